#include "synthdata/ZmProgramListText.h"

#include "synthdata/CLibraryData.h"
#include "synthdata/CQ3580ProgramAccessor.h"
#include "synthdata/CZmChunkHeader.h"

#include "foundation/EfUtility.h"

#include <cstdio>
#include <string>

namespace
{
const char kHeaderLine[] =
    "No.\tProgram Name\tCategory\tProgrammer Name\tPriority\tComment\tVoice Mode\tArp SW\tArp Assign\n";
const char* const kPriorityText[] = {"Off", "A", "B", "C", "D", "E"};

const CZmParameterId kCategory = {0, 12, 0};
const CZmParameterId kVoiceMode = {0, 35, 0};
const CZmParameterId kArpTimbreAssign = {0, 36, 0};
const CZmParameterId kArpSw = {7, 1, 0};

// Holds the process-wide program accessor for one report.
class AccessorHold
{
public:
    AccessorHold() : m_accessor(CZmProgramAccessorSingleton::Acquire()) {}
    ~AccessorHold() { CZmProgramAccessorSingleton::Release(); }
    AccessorHold(const AccessorHold&) = delete;
    AccessorHold& operator=(const AccessorHold&) = delete;
    const CZmProgramAccessor& operator*() const { return *m_accessor; }

private:
    CZmProgramAccessor* m_accessor;
};

// A text column: tabs and line breaks would split the line, so they become blanks.
void AppendColumn(std::string& line, const char* text)
{
    for (const char* p = text; p != nullptr && *p != '\0'; ++p)
        line += (*p == '\t' || *p == '\r' || *p == '\n') ? ' ' : *p;
    line += '\t';
}

void AppendValueText(std::string& line, const CZmProgramAccessor& accessor, const CProgram& program,
                     const CZmParameterId& id, bool last)
{
    char text[64] = {};
    accessor.GetCurrentValueText(&program, id, text, sizeof text);
    AppendColumn(line, text);
    if (last)
        line.back() = '\n';
}
} // namespace

void WriteProgramListText(CHfcOutputStream& stream, const CLibraryData& library)
{
    WriteExact(stream, kHeaderLine, sizeof kHeaderLine - 1);
    const CProgramSet* programs = library.GetProgramSet();
    if (programs == nullptr)
        return;
    AccessorHold accessor;
    for (uint32_t n = 0; n < CProgramSet::kProgramCount; ++n)
    {
        const CProgram& program = programs->GetProgram(n);
        char number[8];
        std::snprintf(number, sizeof number, "%c%02u", static_cast<char>('A' + n / 16), n % 16 + 1);
        std::string line;
        AppendColumn(line, number);
        AppendColumn(line, program.GetName());
        AppendValueText(line, *accessor, program, kCategory, false);
        AppendColumn(line, program.GetAuthor());
        AppendColumn(line, kPriorityText[ClampValue(program.GetUserWord(), 0, 5)]);
        AppendColumn(line, program.GetComment());
        AppendValueText(line, *accessor, program, kVoiceMode, false);
        AppendValueText(line, *accessor, program, kArpSw, false);
        AppendValueText(line, *accessor, program, kArpTimbreAssign, true);
        WriteExact(stream, line.data(), line.size());
    }
}
