#pragma once

#include "editor/base/CEditLayerBase.h"

#include <cstdint>
#include <memory>

class CCustomEditText;
class CCustomEqGraph;
class CHfcBmp;
class CProgram;

// The timbre EQ page (BG_TimbreEqEdit, 342 x 166): the low and high shelf of one timbre as
// four value fields and a response graph whose band points the user drags. Window thread only.
class CTimbreEqEditLayer : public CEditLayerBase
{
public:
    static constexpr uint32_t kControlCount = 5;
    static constexpr uint32_t kGraphId = 4;
    static constexpr uint32_t kGraphCode = 7;
    static constexpr int32_t kWidth = 342, kHeight = 166;
    // The band no drag has shown yet.
    static constexpr int32_t kNoBand = 255;

    CTimbreEqEditLayer();
    ~CTimbreEqEditLayer() override;

    // Makes the page at (0, 0) of the window for one timbre (0 or 1) of the program (null: the
    // window's program) and shows it. False, with nothing of the page left behind, when the
    // window, the program, the timbre or a control cannot be had.
    bool CreatePage(CBaseWindow* window, CProgram* program, int32_t timbre);
    // At once when the page was never made.
    bool Destroy() override;

    void DrawBackground();
    CHfcControl* GetPageControl(uint32_t id) const;
    CCustomEqGraph* GetGraph() const { return m_graph.get(); }
    // The band last dragged and the band the graph shows as selected.
    int32_t GetDraggedBand() const { return m_draggedBand; }
    int32_t GetShownBand() const { return m_shownBand; }
    // How often the shelves were handed to the graph.
    uint32_t GetGraphComputeCount() const { return m_computeCount; }

    // The frequency index of a shelf for a frequency in Hz: the largest whose frequency is not
    // above it, 0 below the first.
    static int32_t FrequencyIndex(int32_t band, double frequency);

    void RefreshAllControls() override;
    void RefreshOne(uint32_t id) override;
    void RefreshControl(CHfcControl* control) override;
    void RefreshValues() override;
    void OnTextChanged(CHfcControl* control, const char* text) override;

private:
    bool CreateControls();
    void ReleaseControls();
    // The shelves computed again when a value changed, then the dragged band shown as selected.
    void RefreshGraph();
    bool RefreshField(uint32_t id);

    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_logo = nullptr;
    bool m_pageCreated = false;
    std::unique_ptr<CCustomEditText> m_fields[4];
    std::unique_ptr<CCustomEqGraph> m_graph;
    int32_t m_cached[4] = {kNoBand, kNoBand, kNoBand, kNoBand}; // the values last drawn
    int32_t m_draggedBand = 0;
    int32_t m_shownBand = kNoBand;
    uint32_t m_computeCount = 0;
};
