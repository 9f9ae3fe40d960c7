#pragma once

#include "editor/library/CGlobalBaseLayer.h"

#include <memory>
#include <string>
#include <vector>

class CCustomEditText;
class CCustomStaticText;

// The GLOBAL sub-page: each parameter's name and value field on the grid of the page's cell
// table, the user scale's fields on the keyboard picture (the headings and the keyboard are
// printed on the background). A field's id is its row; a name's id is kLabelIdBase + row.
// Disabled parameters show their fields dim. List and switch fields open a popup of their
// values on a press. Window thread only.
class CGlobalEditGlobalPageLayer : public CGlobalBaseLayer
{
public:
    CGlobalEditGlobalPageLayer(CLibraryEntry* entry, CGlobalEditHost& host);
    ~CGlobalEditGlobalPageLayer() override;

    bool CreateControls() override;
    void Refresh() override;
    void RefreshField(uint32_t row);

    // The field of a row, or null for a heading or a row outside the table.
    CCustomEditText* GetField(uint32_t row) const;
    CCustomStaticText* GetLabel(uint32_t row) const;
    std::string GetFieldText(uint32_t row) const;

    void OnValueChanged(CHfcControl* control, int32_t position) override;
    bool OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;

protected:
    void DestroyControls() override;

private:
    CHfcBmp* m_keyboard = nullptr;
    CHfcBmp* m_fieldFont = nullptr;
    CHfcBmp* m_fieldFontDim = nullptr;
    std::vector<std::unique_ptr<CCustomEditText>> m_fields;   // by row; null for headings
    std::vector<std::unique_ptr<CCustomStaticText>> m_labels; // by row; null without a name
};
