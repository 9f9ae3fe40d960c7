#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/math/CEnvelopeCurveGeometry.h"
#include "framework/CHfcControl.h"

struct CHfcCtrlEnvelopeCurveRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 1;
    int32_t height = 1;
    CHfcBmp* background = nullptr;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
    int32_t pointCount = 2;
    int32_t handleSize = 0;
    int32_t minimum = 0;
    int32_t maximum = 127;
    uint32_t lineColor = 0xFFFFFFFF;
    uint32_t handleFillColor = 0xFF808080;
    uint32_t handleFrameColor = 0xFFFFFFFF;
    uint32_t grabbedFillColor = 0xFFFF8000;
    uint32_t grabbedFrameColor = 0xFFFFFFFF;
};

// What the envelope reports and takes for one point, passed in place of OnTextChanged's text.
struct CEnvelopePointChange
{
    int32_t index = 0;
    int32_t level = 0;
    int32_t time = 0;   // relative to the point before
    uint32_t flags = 3; // the curve type of the segment leading to the point
};

// An envelope as a polyline of points whose handles the user drags; the owner turns the
// reports (OnTextChanged with a CEnvelopePointChange) into parameter writes and sets the
// points back with SetPoint.
class CHfcCtrlEnvelopeCurve : public CHfcControl
{
public:
    static constexpr int32_t kNoPoint = -2;

    // False for a null record or for a layout CEnvelopeCurveGeometry refuses.
    bool Create(const CHfcCtrlEnvelopeCurveRecord* record, uint32_t id);
    bool Destroy() override;
    // Ignored for an index outside the points.
    void SetPoint(const CEnvelopePointChange& change, bool redraw);
    int32_t HitTest(int32_t x, int32_t y) const;
    const CEnvelopeCurveGeometry& GetGeometry() const { return m_geometry; }
    int32_t GetGrabbed() const { return m_grabbed; }
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

protected:
    virtual bool TakesPresses() const { return true; }

private:
    CEnvelopePointChange Record(int32_t index) const;

    CHfcCtrlEnvelopeCurveRecord m_record;
    CEnvelopeCurveGeometry m_geometry;
    int32_t m_grabbed = kNoPoint;
};

class CCustomEnvelopeCurve : public CHfcCtrlEnvelopeCurve, public CCustomControl
{
public:
    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeEnvelopeCurve; }

protected:
    bool TakesPresses() const override { return m_customEnabled; }
};
