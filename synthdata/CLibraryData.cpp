#include "synthdata/CLibraryData.h"

#include "synthdata/CZmChunkHeader.h"
#include "synthdata/ZmDataFile.h"

#include "foundation/CHfcStream.h"
#include "foundation/CZmException.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace
{
const char kAllDataTag[] = "3580AllD";
const char kLibraryInfoTag[] = "3580LibP";
const uint32_t kLibraryInfoRecordSize = 128;
const uint32_t kLibraryInfoPadding = 112;

const uint32_t kListModeMax = 2;
const uint32_t kCategoryHoldMax = 3;
const uint32_t kMode0FieldsMax = 3;

// Units of the character at text[i]: where wchar_t is a UTF-16 unit, a surrogate pair is one
// character.
size_t CharacterUnits(const std::wstring& text, size_t i)
{
    if (sizeof(wchar_t) != 2 || i + 1 >= text.size())
        return 1;
    const auto unit = static_cast<uint32_t>(text[i]);
    const auto next = static_cast<uint32_t>(text[i + 1]);
    return (unit >= 0xD800 && unit <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) ? 2 : 1;
}

// The file name as wide text. Windows paths are UTF-16 already; native paths hold UTF-8, which
// path::wstring would convert through the C locale and refuse for any non-ASCII name. Bytes
// that are not UTF-8 show as U+FFFD.
std::wstring WideFileName(const std::filesystem::path& path)
{
    if constexpr (std::is_same_v<std::filesystem::path::value_type, wchar_t>)
        return path.filename().wstring();
    else
    {
        const std::string bytes = path.filename().string();
        std::wstring out;
        for (size_t i = 0; i < bytes.size();)
        {
            const auto lead = static_cast<uint8_t>(bytes[i]);
            const size_t length = lead < 0x80    ? 1
                                  : lead >= 0xF0 ? 4
                                  : lead >= 0xE0 ? 3
                                  : lead >= 0xC0 ? 2
                                                 : 0;
            uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
            bool valid = length != 0 && i + length <= bytes.size();
            for (size_t k = 1; valid && k < length; ++k)
            {
                const auto next = static_cast<uint8_t>(bytes[i + k]);
                valid = (next & 0xC0) == 0x80;
                code = code << 6 | (next & 0x3Fu);
            }
            static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
            valid =
                valid && code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
            out += valid ? static_cast<wchar_t>(code) : L'\xFFFD';
            i += valid ? length : 1;
        }
        return out;
    }
}

// The lowest n bits set in mask, within the information fields.
uint32_t KeepLowestBits(uint32_t mask, uint32_t n)
{
    mask &= CLibraryData::kInfoFieldBits;
    uint32_t kept = 0;
    for (uint32_t bit = 1; bit <= mask && n > 0; bit <<= 1)
        if (mask & bit)
        {
            kept |= bit;
            --n;
        }
    return kept;
}
} // namespace

CLibraryEntry::CLibraryEntry(uint32_t kind) : m_kind(kind)
{
    if (kind == kKindProgramSet)
        m_programs = std::make_unique<CProgramSet>();
    else if (kind == kKindGlobal)
    {
        m_global = std::make_unique<CGlobal>();
        m_global->Init();
        m_savedGlobal = std::make_unique<CGlobal>();
        KeepSavedGlobal();
    }
}

void CLibraryEntry::KeepSavedGlobal()
{
    if (m_global)
        m_savedGlobal->CopyFrom(*m_global);
}

bool CLibraryEntry::RestoreSavedGlobal()
{
    if (!m_global)
        return false;
    m_global->CopyFrom(*m_savedGlobal);
    return true;
}

CLibraryData::CLibraryData() : m_modified(false)
{
    SetNewDocumentSettings();
}

void CLibraryData::SetNewDocumentSettings()
{
    m_listMode = 0;
    m_categoryHold = 0;
    m_mode1Fields = 1;
    m_mode0Fields = 7;
}

void CLibraryData::Reset()
{
    m_entries.clear();
    SetNewDocumentSettings();
    m_path.clear();
}

void CLibraryData::SetDataKind(uint32_t kind)
{
    m_entries.clear();
    AddEntry(kind);
    SetNewDocumentSettings();
}

CLibraryEntry* CLibraryData::AddEntry(uint32_t kind)
{
    if (kind != CLibraryEntry::kKindProgramSet && kind != CLibraryEntry::kKindGlobal)
        return nullptr;
    m_entries.push_back(std::make_unique<CLibraryEntry>(kind));
    return m_entries.back().get();
}

CLibraryEntry* CLibraryData::FindEntryByKind(uint32_t kind)
{
    return const_cast<CLibraryEntry*>(static_cast<const CLibraryData*>(this)->FindEntryByKind(kind));
}

const CLibraryEntry* CLibraryData::FindEntryByKind(uint32_t kind) const
{
    for (const auto& entry : m_entries)
        if (entry->GetKind() == kind)
            return entry.get();
    return nullptr;
}

CProgramSet* CLibraryData::GetProgramSet()
{
    CLibraryEntry* entry = FindEntryByKind(CLibraryEntry::kKindProgramSet);
    return entry != nullptr ? entry->GetProgramSet() : nullptr;
}

const CProgramSet* CLibraryData::GetProgramSet() const
{
    const CLibraryEntry* entry = FindEntryByKind(CLibraryEntry::kKindProgramSet);
    return entry != nullptr ? entry->GetProgramSet() : nullptr;
}

CGlobal* CLibraryData::GetGlobal()
{
    CLibraryEntry* entry = FindEntryByKind(CLibraryEntry::kKindGlobal);
    return entry != nullptr ? entry->GetGlobal() : nullptr;
}

void CLibraryData::KeepSavedGlobals()
{
    for (const std::unique_ptr<CLibraryEntry>& entry : m_entries)
        entry->KeepSavedGlobal();
}

const CGlobal* CLibraryData::GetGlobal() const
{
    const CLibraryEntry* entry = FindEntryByKind(CLibraryEntry::kKindGlobal);
    return entry != nullptr ? entry->GetGlobal() : nullptr;
}

void CLibraryData::SetListMode(uint32_t mode)
{
    m_listMode = std::min(mode, kListModeMax);
}

void CLibraryData::SetCategoryHold(uint32_t mode)
{
    m_categoryHold = std::min(mode, kCategoryHoldMax);
}

void CLibraryData::SetMode1Fields(uint32_t mask)
{
    m_mode1Fields = KeepLowestBits(mask, 1);
}

void CLibraryData::SetMode0Fields(uint32_t mask)
{
    m_mode0Fields = KeepLowestBits(mask, kMode0FieldsMax);
}

std::wstring CLibraryData::GetDisplayName() const
{
    std::wstring name = m_path.empty() ? std::wstring(L"Untitled") : WideFileName(m_path);
    // Counted and cut by characters, never inside a surrogate pair.
    size_t characters = 0;
    size_t cut = 0;
    for (size_t i = 0; i < name.size(); i += CharacterUnits(name, i))
        if (++characters == kDisplayNameLimit - 3)
            cut = i + CharacterUnits(name, i);
    if (characters > kDisplayNameLimit)
        name = name.substr(0, cut) + L"...";
    return name;
}

uint64_t CLibraryData::GetAllDataSize() const
{
    uint64_t size = CZmChunkHeader::kSize + kLibraryInfoChunkSize;
    for (const auto& entry : m_entries)
        size += entry->GetKind() == CLibraryEntry::kKindProgramSet ? CProgramSet::kChunkSize
                                                                   : CQ3580GlobalData::kChunkSize;
    return size;
}

void CLibraryData::WriteAllDataFile(CHfcOutputStream& stream) const
{
    CZmChunkHeader(kAllDataTag, static_cast<uint32_t>(GetAllDataSize()), kAllDataChunkCount, 0).Write(stream);
    for (const auto& entry : m_entries)
    {
        if (const CProgramSet* programs = entry->GetProgramSet())
            programs->WriteProgramSetChunk(stream);
        else if (const CGlobal* global = entry->GetGlobal())
            global->WriteChunk(stream);
    }
    WriteLibraryInfoChunk(stream);
}

// The header's size field is the file's length: a file shorter than it says is cut off
// (code 2). Every chunk must lie inside that length (code 8), and the next chunk starts at
// the chunk's start plus its header size plus its size, or where its reader stopped when
// that is further on; so every step moves forward and no file makes the loop spin.
void CLibraryData::ReadAllDataFile(CHfcInputStream& stream)
{
    const uint64_t start = stream.GetPosition();
    CZmChunkHeader header;
    header.ReadTag(stream);
    if (!header.HasTag(kAllDataTag))
        throw CZmFileException(kZmFileErrorInvalidId);
    header.ReadRest(stream);
    if (header.headerSize < CZmChunkHeader::kSize || header.size < header.headerSize)
        throw CZmFileException(kZmFileErrorDataSize);
    const uint64_t end = start + header.size;
    if (end > stream.GetSize())
        throw CZmFileException(kZmFileErrorReadData);

    CLibraryData read;
    read.AddEntry(CLibraryEntry::kKindProgramSet);
    read.AddEntry(CLibraryEntry::kKindGlobal);
    uint64_t position = start + header.headerSize;
    while (position < end)
    {
        if (end - position < CZmChunkHeader::kSize)
            throw CZmFileException(kZmFileErrorReadData);
        SeekExact(stream, position);
        CZmChunkHeader chunk;
        chunk.ReadTag(stream);
        chunk.ReadRest(stream);
        const uint64_t length = uint64_t{chunk.headerSize} + chunk.size;
        if (length < CZmChunkHeader::kSize || length > end - position)
            throw CZmFileException(kZmFileErrorDataSize);
        SeekExact(stream, position);
        if (chunk.HasTag(CProgramSet::kChunkTag))
            read.GetProgramSet()->ReadProgramSetChunk(stream);
        else if (chunk.HasTag(CQ3580GlobalData::kChunkTag))
            read.GetGlobal()->ReadChunk(stream);
        else if (chunk.HasTag(kLibraryInfoTag))
            read.ReadLibraryInfoChunk(stream);
        position = std::max(position + length, stream.GetPosition());
    }
    read.m_modified = false;
    read.KeepSavedGlobals();
    Swap(read);
}

void CLibraryData::WriteLibraryInfoChunk(CHfcOutputStream& stream) const
{
    CZmChunkHeader(kLibraryInfoTag, kLibraryInfoRecordSize, 1, kLibraryInfoRecordSize).Write(stream);
    uint8_t bytes[16];
    const uint32_t settings[4] = {m_listMode, m_categoryHold, m_mode1Fields, m_mode0Fields};
    for (int i = 0; i < 16; ++i)
        bytes[i] = static_cast<uint8_t>(settings[i / 4] >> (8 * (i % 4)));
    WriteExact(stream, bytes, sizeof bytes);
    FillExact(stream, 0xFF, kLibraryInfoPadding);
}

void CLibraryData::ReadLibraryInfoChunk(CHfcInputStream& stream)
{
    CZmChunkHeader header;
    header.ReadChecked(stream, kLibraryInfoTag, kLibraryInfoRecordSize);
    uint8_t bytes[16];
    ReadExact(stream, bytes, sizeof bytes);
    SkipExact(stream, kLibraryInfoPadding);
    uint32_t settings[4] = {};
    for (int i = 0; i < 16; ++i)
        settings[i / 4] |= static_cast<uint32_t>(bytes[i]) << (8 * (i % 4));
    SetListMode(settings[0]);
    SetCategoryHold(settings[1]);
    SetMode1Fields(settings[2]);
    SetMode0Fields(settings[3]);
}

void CLibraryData::LoadAllDataFile(const std::filesystem::path& path)
{
    CLibraryData read;
    ReadFileWith(path, [&](CHfcInputStream& stream) { read.ReadAllDataFile(stream); });
    read.m_path = path;
    Swap(read);
}

void CLibraryData::SaveAllDataFile(const std::filesystem::path& path)
{
    WriteFileReplacing(path, [&](CHfcOutputStream& stream) { WriteAllDataFile(stream); });
    m_path = path;
    KeepSavedGlobals();
}

void CLibraryData::Swap(CLibraryData& other)
{
    m_entries.swap(other.m_entries);
    std::swap(m_listMode, other.m_listMode);
    std::swap(m_categoryHold, other.m_categoryHold);
    std::swap(m_mode1Fields, other.m_mode1Fields);
    std::swap(m_mode0Fields, other.m_mode0Fields);
    std::swap(m_modified, other.m_modified);
    m_path.swap(other.m_path);
}
