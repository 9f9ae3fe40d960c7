#include "foundation/CQ3580StringTable.h"

#include "foundation/EfUtility.h"

#include <string>

#ifdef _WIN32
#include "foundation/CHfcFileInputStream.h"
#include "foundation/win32/CHfcResourceFile.h"
#else
// Generated at build time from resources/Q3580StringTable.txt.
extern const unsigned char kQ3580StringTableText[];
extern const size_t kQ3580StringTableTextSize;
#endif

namespace
{

// The text of the table, or false.
bool ReadText(std::string& text)
{
#ifdef _WIN32
    CHfcResourceFile file;
    if (!file.OpenResource(L"STR", L"Q3580StringTable.txt"))
        return false;
    CHfcFileInputStream stream(file);
    text.assign(static_cast<size_t>(stream.GetSize()), '\0');
    return stream.Read(text.data(), text.size()) == text.size();
#else
    text.assign(reinterpret_cast<const char*>(kQ3580StringTableText), kQ3580StringTableTextSize);
    return true;
#endif
}

} // namespace

CQ3580StringTable::CQ3580StringTable()
{
    // The singleton's object is one of these, so it is never there before this has run.
    SetStringTableFallback(&CEfStringTableSingleton::Get);
    CQ3580StringTable::Create();
}

CQ3580StringTable::~CQ3580StringTable() = default;

bool CQ3580StringTable::Create()
{
    std::string text;
    if (!ReadText(text))
    {
        DebugTrace("CQ3580StringTable::Create - Failed to open text resource file.");
        return false;
    }
    if (!Parse(text.data(), text.size()))
    {
        DebugTrace("CQ3580StringTable::Create - Failed to load texts from resource.");
        return false;
    }
    return true;
}
