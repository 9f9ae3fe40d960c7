#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The keyword string table: value names of list parameters, by keyword and position. Two
// keyword maps (languages 0 and 1), both filled from the same text; one is current.
//
// Text: lines end in CR LF (a lone LF is accepted); a line beginning with ';' is a comment; a
// line "*Keyword" opens that keyword's list; each following non-empty line is its next entry;
// an empty line closes the list. A repeated keyword starts its list again.
class CEfStringTable
{
public:
    CEfStringTable();
    virtual ~CEfStringTable();

    // -1 picks by the user's language (1 for Japanese, else 0); 0 or 1 select that map.
    // False, and no change, for any other value.
    virtual bool SelectLanguage(int32_t language);
    // Reads a file of the text and parses it; false when it cannot be read or parsed whole.
    virtual bool LoadFromFile(const std::filesystem::path& path);
    // Adds the lists of the text (up to length bytes, or a NUL) to both maps. False when a
    // line was refused (an empty keyword, an entry outside a list); the other lines are kept.
    virtual bool Parse(const char* text, size_t length);
    // The entry text, or null when the keyword or the entry does not exist.
    virtual const char* GetString(const char* keyword, uint32_t index) const;
    virtual uint32_t GetKeywordCount() const;
    // Number of entries of a keyword; 0 when it does not exist.
    virtual uint32_t GetCount(const char* keyword) const;
    // Loads the model's own text; the base has none and answers false.
    virtual bool Create();

private:
    using KeywordMap = std::map<std::string, std::vector<std::string>>;

    KeywordMap m_maps[2];
    const KeywordMap* m_current;
};

// The process-wide string table: the one installed with SetStringTable, else the one the
// fallback gives; null when there is neither.
CEfStringTable* GetStringTable();
void SetStringTable(CEfStringTable* table);
// The model's table registers where its process-wide object is found, so that this layer
// needs no knowledge of the model.
void SetStringTableFallback(CEfStringTable* (*fallback)());
