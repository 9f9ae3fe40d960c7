#pragma once

#include "app/CModalDialog.h"

#include <cstdint>
#include <string>

// What the CC map value dialog shows and returns: its caption, its label, and the position in
// the choice list ("Off", then CC 0 to 95 and CC 102 to 119).
struct CMapValueRecord
{
    std::wstring caption;
    std::wstring label;
    int32_t position = 0;
};

// Chooses the CC number of a CC map entry. OK stores the chosen position and ends with 1;
// Cancel ends with -1.
class CMapValueDialog : public CModalDialog
{
public:
    enum : int32_t
    {
        kChoiceCount = 115,
    };

    explicit CMapValueDialog(CMapValueRecord& record);
    ~CMapValueDialog() override;

    // The CC number at a list position; -1 for "Off" and for a position outside the list.
    static int32_t GetCcNumber(int32_t position);
    // The list position of a CC number; 0 ("Off") for a number the list does not offer.
    static int32_t GetPosition(int32_t ccNumber);

protected:
    const wchar_t* GetTemplateName() const override { return L"DialogMapValue"; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, LPARAM param) override;

private:
    CMapValueRecord& m_record;
};
