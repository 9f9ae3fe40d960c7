#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/controls/CHfcCtrlOldCharEditText.h"
#include "editor/math/CEditTextValueMap.h"

struct CCustomEditTextRecord
{
    int32_t x = 0;
    int32_t y = 0;
    CHfcBmp* font = nullptr;
    CHfcBmp* background = nullptr;
    int32_t columns = 0;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t reserved = 0;    // handed on to the framework record
    int32_t sensitivity = 0; // stored doubled
    CHfcBmp* dimFont = nullptr;
};

// A text entry bound to a parameter: a value text (the value's name, dragged and wheeled in
// positions of CEditTextValueMap) or a name field that the owner edits with StartEditing.
class CCustomEditText : public CHfcCtrlOldCharEditText, public CCustomControl
{
public:
    bool Create(const CCustomEditTextRecord* record, uint32_t id, uint32_t eventKind);
    const CEditTextValueMap& GetMap() const { return m_map; }
    void EraseBackground(CHfcDrawContext* context) override;
    bool OnHfcMouseWheel(CHfcMouse* mouse, int32_t x, int32_t y, int32_t reserved, int32_t delta,
                         uint32_t modifiers) override;

    void SetValue(int32_t value) override;
    int32_t GetValue() override;
    int32_t ValueToPosition(int32_t value) override { return m_map.ValueToPosition(value); }
    int32_t PositionToValue(int32_t position) override { return m_map.PositionToValue(position); }
    int32_t GetMinimum() override { return m_map.PositionToValue(m_minimum); }
    int32_t GetMaximum() override { return m_map.PositionToValue(m_maximum); }
    void SetMinimum(int32_t value) override;
    void SetMaximum(int32_t value) override;
    void SetSensitivity(int32_t sensitivity) override;
    void SetEnabled(bool enabled) override;
    void GetText(char* buffer, size_t size) override;
    int32_t GetControlType() override { return kTypeEditText; }

protected:
    bool TakesPresses() const override { return m_customEnabled; }

private:
    CCustomEditTextRecord m_custom;
    CEditTextValueMap m_map;
};
