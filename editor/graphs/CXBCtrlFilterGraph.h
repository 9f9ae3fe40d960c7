#pragma once

#include "editor/controls/CCustomControl.h"
#include "editor/math/FilterResponse.h"
#include "framework/CHfcControl.h"

struct CXBCtrlFilterGraphRecord
{
    int32_t x = 0; // the plot box; the control reaches 2 pixels above and left of it, 4 below and right
    int32_t y = 0;
    int32_t width = 250;
    int32_t height = 100;
    CHfcBmp* background = nullptr;
    CHfcBmp* overlay = nullptr;
    int32_t backgroundX = 0; // the background's point under the plot box's corner
    int32_t backgroundY = 0;
    int32_t type = 0; // graph B's filter type, graph A's balance
    int32_t handleSize = 5;
    CHfcBmp* handleBitmap = nullptr;
    int32_t handleMinimum = 0;
    int32_t handleMaximum = 127;
    uint32_t lineColor = 0xFF000000;
    uint32_t fillColor = 0xFF000000;
    uint32_t spareColors[2] = {0xFFFF0000, 0xFF000000};
    uint32_t handleFillColor = 0xFF000000;
    uint32_t handleFrameColor = 0xFF000000;
    float spare = 1.0f;
    float dragScale = 10.0f;
    int32_t keyStep = 1;
};

// The handle's values as the owner hands them over: the y value is the resonance + 127, the
// x value twice the cutoff.
struct CXBFilterHandle
{
    int32_t index = 0;
    int32_t yValue = 127;
    int32_t xValue = 0;
};

// What the two filter graphs share: the record, the background and overlay, the one handle
// that holds cutoff and resonance, and the drawing of a response as fill lines under a line.
// The curve's colours are scaled by the dim alpha while the control is disabled. Unless
// read-only, the handle is dragged with the mouse (Shift for finer steps) and moved with the
// arrow keys; it reports where it should go (OnTextChanged with a CXBFilterHandle in place
// of the text) and the owner puts it there with SetHandle.
class CXBCtrlFilterGraph : public CHfcControl
{
public:
    static constexpr int32_t kNoHandle = -2;
    static constexpr uint32_t kGuideBandColor = 0x30A5ACB3;

    // False for a null record, a plot box of fewer than 2 x 1 pixels or a handle geometry
    // without room (a maximum of 0 would divide).
    bool Create(const CXBCtrlFilterGraphRecord* record, uint32_t id, uint32_t eventKind);
    bool Destroy() override;
    void SetFilterType(int32_t type, bool redraw);
    int32_t GetFilterType() const { return m_type; }
    // Ignored for an index below 0 or above the handle count.
    void SetHandle(const CXBFilterHandle& handle, bool redraw);
    const CXBFilterHandle& GetHandle() const { return m_handle; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsReadOnly() const { return m_readOnly; }
    // Whether a press gives the graph the key focus (for the arrow keys); set by default.
    void SetAcceptsKeyFocus(bool accepts) { m_acceptsKeyFocus = accepts; }
    // Relative to the plot box.
    CGraphPoint GetHandlePosition() const;
    // The handle under a control-local point, kNoHandle for none.
    int32_t HitTestHandle(int32_t x, int32_t y) const;
    int32_t GetDraggedHandle() const { return m_dragged; }
    int32_t GetLastDraggedHandle() const { return m_lastDragged; }
    void Draw(CHfcDrawContext* context) override;
    // Corner marks around the handle dragged last, in the focus colour.
    void DrawFocusFrame(CHfcDrawContext* context) override;
    void EraseBackground(CHfcDrawContext* context) override;

    bool OnHfcMouseLeftDown(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseLeftUp(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseMove(CHfcMouse* mouse, int32_t x, int32_t y, uint32_t modifiers) override;
    bool OnHfcMouseCaptureLost(CHfcMouse* mouse) override;
    // 28 left, 29 right, 30 up, 31 down move the handle dragged last.
    bool OnKeyFocusKeyDown(uint32_t key, uint32_t modifiers) override;
    bool OnKeyFocusKeyRepeat(uint32_t key, uint32_t modifiers) override
    {
        return OnKeyFocusKeyDown(key, modifiers);
    }

protected:
    virtual void DrawResponse(CHfcDrawContext* context, int32_t cutoff, int32_t resonance) = 0;
    virtual int32_t MapCutoff(int32_t cutoff) const { return cutoff; }
    // The curve of the points in the plot box.
    void DrawCurve(CHfcDrawContext* context, const std::vector<CResponsePoint>& points);

    CXBCtrlFilterGraphRecord m_record;
    int32_t m_type = 0;

private:
    void DrawHandles(CHfcDrawContext* context);
    void DrawGuideBand(CHfcDrawContext* context);
    void DrawHandleMarker(CHfcDrawContext* context);
    void TakeOrReleaseKeyFocus();
    // Reports {index, y, x} when it differs from what was reported last.
    void ReportIfMoved(int32_t index, int32_t yValue, int32_t xValue);

    CXBFilterHandle m_handle;
    bool m_readOnly = false;
    bool m_acceptsKeyFocus = true;
    int32_t m_dragged = kNoHandle;
    int32_t m_lastDragged = kNoHandle;
    int32_t m_lastPointX = 0;
    int32_t m_lastPointY = 0;
    int32_t m_lastXValue = 0;
    int32_t m_lastYValue = 0;
    // The handle's values times the drag scale, the y one upside down (it grows downwards).
    float m_accX = 0.0f;
    float m_accY = 0.0f;
};

// Section A: low-pass through high-pass and band-pass to the unfiltered signal by balance.
class CXBCtrlTolvexFilterAGraph : public CXBCtrlFilterGraph
{
protected:
    void DrawResponse(CHfcDrawContext* context, int32_t cutoff, int32_t resonance) override;
};

// Section B: low-pass (0), high-pass (1), band-pass (2) or comb (3); other types no curve.
class CXBCtrlTolvexFilterBGraph : public CXBCtrlFilterGraph
{
protected:
    void DrawResponse(CHfcDrawContext* context, int32_t cutoff, int32_t resonance) override;
};

class CCustomTolvexFilterA : public CXBCtrlTolvexFilterAGraph, public CCustomControl
{
public:
    bool Create(const CXBCtrlFilterGraphRecord* record, uint32_t id)
    {
        return CXBCtrlFilterGraph::Create(record, id, 8);
    }
    void SetEnabled(bool enabled) override;
    void SetOption(bool option) override;
    int32_t GetControlType() override { return kTypeTolvexFilterA; }
};

class CCustomTolvexFilterB : public CXBCtrlTolvexFilterBGraph, public CCustomControl
{
public:
    bool Create(const CXBCtrlFilterGraphRecord* record, uint32_t id)
    {
        return CXBCtrlFilterGraph::Create(record, id, 9);
    }
    void SetEnabled(bool enabled) override;
    void SetOption(bool option) override;
    int32_t GetControlType() override { return kTypeTolvexFilterB; }
};
