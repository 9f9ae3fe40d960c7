#pragma once

class CHfcOutputStream;
class CLibraryData;

// The program list of the library's program set as tab-separated text: a header line, then
// one line per program (number, name, category, programmer name, priority, comment, voice
// mode, arpeggiator switch and assignment). Tabs and line breaks inside the texts become
// blanks, so each program stays one line. A failed write throws CZmFileException 3.
void WriteProgramListText(CHfcOutputStream& stream, const CLibraryData& library);
