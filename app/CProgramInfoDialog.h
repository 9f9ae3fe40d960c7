#pragma once

#include "app/CModalDialog.h"

// The texts the program information dialog edits: fixed-width fields, NUL-padded and not
// terminated when full, each with a flag that says it holds a text.
struct CProgramInfoRecord
{
    enum : unsigned
    {
        kNameLength = 8,
        kProgrammerLength = 24,
        kCommentLength = 64,
    };
    char name[kNameLength] = {};
    bool nameSet = false;
    char programmer[kProgrammerLength] = {};
    bool programmerSet = false;
    char comment[kCommentLength] = {};
    bool commentSet = false;
};

// Edits a program's name, programmer name and comment. OK stores all three (cut to their fields)
// and ends with 1; text with a character outside ASCII ends with 2 and stores nothing; Cancel
// ends with -1.
class CProgramInfoDialog : public CModalDialog
{
public:
    enum : int
    {
        kResultMultiByte = 2,
    };

    explicit CProgramInfoDialog(CProgramInfoRecord& record);
    ~CProgramInfoDialog() override;

protected:
    const wchar_t* GetTemplateName() const override { return L"DialogProgramInfo"; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, LPARAM param) override;

private:
    CProgramInfoRecord& m_record;
};
