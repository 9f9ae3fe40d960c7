#include "foundation/CEfStringTable.h"

#include "foundation/CHfcFile.h"
#include "foundation/CHfcFileInputStream.h"
#include "foundation/EfUtility.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include "foundation/win32/EfWin32Utility.h"
#endif

namespace
{

CEfStringTable* g_stringTable = nullptr;
// Set while a table is being constructed, which may be on another thread than the readers.
std::atomic<CEfStringTable* (*)()> g_fallback{nullptr};

bool UserLanguageIsJapanese()
{
#ifdef _WIN32
    return GetUserPrimaryLanguage() == 0x11;
#else
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return std::strncmp(value, "ja", 2) == 0;
    }
    return false;
#endif
}

} // namespace

CEfStringTable::CEfStringTable() : m_current(&m_maps[0]) {}

CEfStringTable::~CEfStringTable() = default;

bool CEfStringTable::SelectLanguage(int32_t language)
{
    if (language == -1)
        language = UserLanguageIsJapanese() ? 1 : 0;
    if (language != 0 && language != 1)
        return false;
    m_current = &m_maps[language];
    return true;
}

bool CEfStringTable::LoadFromFile(const std::filesystem::path& path)
{
    CHfcFile file;
    if (!file.Open(path, CHfcFile::kModeRead | CHfcFile::kModeBinary))
    {
        DebugTrace("CEfStringTable::LoadFromFile - %s", "Failed to open file.");
        return false;
    }
    CHfcFileInputStream stream(file);
    std::string text(static_cast<size_t>(stream.GetSize()), '\0');
    if (stream.Read(text.data(), text.size()) != text.size())
    {
        DebugTrace("CEfStringTable::LoadFromFile - %s", "Failed to read file.");
        return false;
    }
    return Parse(text.data(), text.size());
}

bool CEfStringTable::Parse(const char* text, size_t length)
{
    if (text == nullptr)
        return false;
    const char* const end = std::find(text, text + length, '\0');
    bool whole = true;
    std::string keyword;
    bool inList = false;
    for (const char* line = text; line < end;)
    {
        const char* lineEnd =
            static_cast<const char*>(std::memchr(line, '\n', static_cast<size_t>(end - line)));
        const char* next = lineEnd != nullptr ? lineEnd + 1 : end;
        if (lineEnd == nullptr)
            lineEnd = end;
        if (lineEnd > line && lineEnd[-1] == '\r')
            --lineEnd;
        const size_t n = static_cast<size_t>(lineEnd - line);

        if (n == 0)
            inList = false;
        else if (line[0] == ';')
        {
        }
        else if (line[0] == '*')
        {
            keyword.assign(line + 1, n - 1);
            inList = !keyword.empty();
            if (inList)
                for (KeywordMap& map : m_maps)
                    map[keyword].clear();
            else
            {
                DebugTrace("CEfStringTable::LoadFromFile - %s", "zero length keyword.");
                whole = false;
            }
        }
        else if (!inList)
        {
            DebugTrace("CEfStringTable::LoadFromFile - %s", "Keyword undefined...");
            whole = false;
        }
        else
            for (KeywordMap& map : m_maps)
                map[keyword].emplace_back(line, n);
        line = next;
    }
    return whole;
}

const char* CEfStringTable::GetString(const char* keyword, uint32_t index) const
{
    if (keyword == nullptr)
        return nullptr;
    const auto it = m_current->find(keyword);
    if (it == m_current->end())
    {
        DebugTrace("CEfStringTable::GetString : Not found key \"%s\"", keyword);
        return nullptr;
    }
    return index < it->second.size() ? it->second[index].c_str() : nullptr;
}

uint32_t CEfStringTable::GetKeywordCount() const
{
    return static_cast<uint32_t>(m_current->size());
}

uint32_t CEfStringTable::GetCount(const char* keyword) const
{
    if (keyword == nullptr)
        return 0;
    const auto it = m_current->find(keyword);
    return it == m_current->end() ? 0 : static_cast<uint32_t>(it->second.size());
}

bool CEfStringTable::Create()
{
    return false;
}

CEfStringTable* GetStringTable()
{
    if (g_stringTable != nullptr)
        return g_stringTable;
    CEfStringTable* (*fallback)() = g_fallback.load();
    return fallback != nullptr ? fallback() : nullptr;
}

void SetStringTable(CEfStringTable* table)
{
    g_stringTable = table;
}

void SetStringTableFallback(CEfStringTable* (*fallback)())
{
    g_fallback.store(fallback);
}
