#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/math/CValueBarGeometry.h"
#include "framework/CHfcControl.h"

struct CCustomValueBarRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    CHfcBmp* fill = nullptr; // none: the fill colour
    CHfcBmp* background = nullptr;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
    int32_t minimum = 0;
    int32_t maximum = 127;
    uint8_t vertical = 0;   // 0 grows to the right, 1 upwards
    uint8_t centreMode = 0; // not 0: grows from the middle around the origin
    uint8_t unused[2] = {};
    int32_t origin = 0;
    uint32_t fillColor = 0xFFFFFFFF;
    uint32_t frameColor = 0;
};

// A bar whose length shows a parameter's value, pressed and dragged along its track. The
// origin of the centre mode is the mix-in's tag, in tenths.
class CCustomValueBar : public CHfcControl, public CCustomControl
{
public:
    // False without a record or for a size or range CValueBarGeometry refuses.
    bool Create(const CCustomValueBarRecord* record, uint32_t id, uint32_t eventKind);
    const CValueBarGeometry& GetGeometry() const { return m_geometry; }
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;

    void SetValue(int32_t value) override;
    int32_t GetValue() override { return m_geometry.GetValue(); }
    int32_t ValueToPosition(int32_t value) override { return value; }
    int32_t PositionToValue(int32_t position) override { return position; }
    int32_t GetMinimum() override { return m_geometry.GetMinimum(); }
    int32_t GetMaximum() override { return m_geometry.GetMaximum(); }
    void SetMinimum(int32_t value) override;
    void SetMaximum(int32_t value) override;
    void SetTag(int32_t tag) override;
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeValueBar; }
    // A read-only bar shows its value and ignores the mouse.
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }

private:
    void Report(int32_t before);

    CCustomValueBarRecord m_custom;
    CValueBarGeometry m_geometry;
    bool m_readOnly = false;
};
