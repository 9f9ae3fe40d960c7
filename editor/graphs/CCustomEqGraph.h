#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/math/CEqAxes.h"
#include "editor/math/CGraphPoint.h"
#include "framework/CHfcControl.h"

#include <vector>

struct CCustomEqGraphRecord
{
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 120;
    int32_t height = 61;
    CHfcBmp* background = nullptr;
    int32_t backgroundX = 0;
    int32_t backgroundY = 0;
    int32_t bandCount = 4;
    CEqGraphRanges ranges;
    uint32_t curveColor = 0xFF7F7F7F;
    uint32_t selectedFillColor = 0xFFFF0000;
    uint32_t selectedFrameColor = 0xFFFFFFFF;
    uint32_t fillColor = 0xFF000000;
    uint32_t frameColor = 0xFFFFFFFF;
};

struct CEqBand
{
    float frequency = 1000.0f;
    float second = 0.3f; // not drawn
    float gain = 0.0f;
    CEqBiquad biquad;
};

// What the graph reports in place of OnTextChanged's text: kind 0 a band's frequency (Hz) and
// gain (dB), kind 1 its second value.
struct CEqBandReport
{
    int32_t kind = 0;
    int32_t band = 0;
    float value1 = 0.0f;
    float value2 = 0.0f;
};

// A command of SetBand: kinds 0 frequency, 1 second value, 2 gain, 3 the coefficients b0, b1,
// b2, a1, a2, 4 the sample rate, 5 select the band.
struct CEqBandCommand
{
    int32_t kind = 0;
    int32_t band = 0;
    float values[5] = {};
};

// The summed response of an EQ's bands on a logarithmic frequency axis, a square handle on
// each band. It reports where a dragged band should go; the owner sets it with SetBand. The
// option makes it read-only.
class CCustomEqGraph : public CHfcControl, public CCustomControl
{
public:
    static constexpr int32_t kHitReach = 5;

    // False without a record, without bands, or for axes CEqAxes refuses.
    bool Create(const CCustomEqGraphRecord* record, uint32_t id, uint32_t eventKind);
    bool Destroy() override;
    void SetBand(const CEqBandCommand& command, bool redraw);
    const std::vector<CEqBand>& GetBands() const { return m_bands; }
    const CEqAxes& GetAxes() const { return m_axes; }
    void Draw(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;
    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftDoubleClick(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;

    void SetEnabled(bool enabled) override;
    int32_t GetControlType() override { return kTypeEqGraph; }

private:
    CGraphPoint HandleCentre(const CEqBand& band) const;
    void ReportPosition(float x, float y);

    CCustomEqGraphRecord m_record;
    CEqAxes m_axes;
    std::vector<CEqBand> m_bands;
    float m_sampleRate = 44100.0f;
    int32_t m_selected = -1;
    int32_t m_dragged = -1;
    float m_accX = 0.0f;
    float m_accY = 0.0f;
    float m_accSecond = 0.0f;
    int32_t m_lastX = 0;
    int32_t m_lastY = 0;
};
