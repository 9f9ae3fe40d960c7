#pragma once

#include "synthdata/CGlobal.h"
#include "synthdata/CProgramSet.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CHfcInputStream;
class CHfcOutputStream;

// One entry of a library: a set of 128 programs (kind 1) or one global data (kind 2).
class CLibraryEntry
{
public:
    enum : uint32_t
    {
        kKindProgramSet = 1,
        kKindGlobal = 2,
    };

    // The entry's data object, initialised.
    explicit CLibraryEntry(uint32_t kind);

    uint32_t GetKind() const { return m_kind; }
    // Null unless the entry is of that kind.
    CProgramSet* GetProgramSet() { return m_programs.get(); }
    const CProgramSet* GetProgramSet() const { return m_programs.get(); }
    CGlobal* GetGlobal() { return m_global.get(); }
    const CGlobal* GetGlobal() const { return m_global.get(); }

    // A global entry keeps a copy of its image as it was last created, loaded, saved or
    // received, for the revert; nothing for a program set.
    const CGlobal* GetSavedGlobal() const { return m_savedGlobal.get(); }
    void KeepSavedGlobal();
    // The global data takes the kept image back; false for a program set.
    bool RestoreSavedGlobal();

private:
    uint32_t m_kind;
    std::unique_ptr<CProgramSet> m_programs;
    std::unique_ptr<CGlobal> m_global;
    std::unique_ptr<CGlobal> m_savedGlobal;
};

// The data of one library document: its entries, the program list's view settings saved with
// it, the modified state and the file path.
class CLibraryData
{
public:
    enum : uint32_t
    {
        kAllDataChunkCount = 3,
        kLibraryInfoChunkSize = 160,
        kDisplayNameLimit = 32,
        kInfoFieldBits = 0x1F, // Voice Mode, Arpeggiator, Vocoder SW, Programmer, Comment
    };

    // No entries, the view settings of a new document, no path.
    CLibraryData();

    // Deletes every entry and clears the path; the view settings become those of a new document.
    void Reset();
    // Holds only a new object of the kind (1 program set, 2 global data; other kinds hold
    // none), with the view settings of a new document.
    void SetDataKind(uint32_t kind);
    // Adds an entry of the kind at the end and answers it; null for a kind other than 1 or 2.
    CLibraryEntry* AddEntry(uint32_t kind);
    // The first entry of the kind, or null.
    CLibraryEntry* FindEntryByKind(uint32_t kind);
    const CLibraryEntry* FindEntryByKind(uint32_t kind) const;
    // The first program set or global data, or null.
    CProgramSet* GetProgramSet();
    const CProgramSet* GetProgramSet() const;
    CGlobal* GetGlobal();
    const CGlobal* GetGlobal() const;
    // KeepSavedGlobal of every global entry.
    void KeepSavedGlobals();
    size_t GetEntryCount() const { return m_entries.size(); }

    // View settings; every value is limited to what the program list can show.
    uint32_t GetListMode() const { return m_listMode; }
    void SetListMode(uint32_t mode);
    uint32_t GetCategoryHold() const { return m_categoryHold; }
    void SetCategoryHold(uint32_t mode);
    uint32_t GetMode1Fields() const { return m_mode1Fields; }
    // At most one field shows in list mode 1: the lowest bit set is kept.
    void SetMode1Fields(uint32_t mask);
    uint32_t GetMode0Fields() const { return m_mode0Fields; }
    // At most three fields show in list mode 0: the three lowest bits set are kept.
    void SetMode0Fields(uint32_t mask);

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    const std::filesystem::path& GetPath() const { return m_path; }
    void SetPath(const std::filesystem::path& path) { m_path = path; }
    // The path's file name, or "Untitled"; a name of more than 32 characters shows its first
    // 29 followed by "...".
    std::wstring GetDisplayName() const;

    // "3580AllD": the header with the file's total size, every entry ("3580PrgS" for program
    // sets, "3580GlbD" for global data, in entry order), then "3580LibP".
    void WriteAllDataFile(CHfcOutputStream& stream) const;
    // Reads an all-data file into a fresh library (a program set and a global data entry, the
    // chunks in any order, unknown chunks skipped) and takes it over only when the whole read
    // succeeded; a failure throws CZmFileException and leaves this library as it was. The path
    // is cleared and the library is unmodified.
    void ReadAllDataFile(CHfcInputStream& stream);
    // "3580LibP": the four view settings and 112 bytes 0xFF.
    void WriteLibraryInfoChunk(CHfcOutputStream& stream) const;
    void ReadLibraryInfoChunk(CHfcInputStream& stream);

    // The file at path through ReadAllDataFile; on success the path becomes the library's.
    void LoadAllDataFile(const std::filesystem::path& path);
    // Replaces the file at path with WriteAllDataFile's bytes; a failure never destroys the
    // file that was there (WriteFileReplacing). On success the path becomes the library's.
    void SaveAllDataFile(const std::filesystem::path& path);

    void Swap(CLibraryData& other);

private:
    uint64_t GetAllDataSize() const;
    void SetNewDocumentSettings();

    std::vector<std::unique_ptr<CLibraryEntry>> m_entries;
    uint32_t m_listMode;
    uint32_t m_categoryHold;
    uint32_t m_mode1Fields;
    uint32_t m_mode0Fields;
    bool m_modified;
    std::filesystem::path m_path;
};
