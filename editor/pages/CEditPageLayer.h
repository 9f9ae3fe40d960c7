#pragma once

#include "editor/base/CEditLayerBase.h"

#include <cstdint>
#include <vector>

class CCustomEditText;
class CHfcBmp;
struct NvPageLayout;

// An edit page drawn from its layout table: the page background with the logo at the top
// right, and the controls the page makes, each kept by its id with the page's control code
// (the framework control's user value). Controls that stand for a parameter are the base's
// editor controls; the others (buttons, graphs, status texts) are the page's own. Every tick
// refreshes every control from the program and redraws what changed. Window thread only.
class CEditPageLayer : public CEditLayerBase
{
public:
    explicit CEditPageLayer(const NvPageLayout& page);

    // The page's controls, then every control refreshed from the program and the page drawn.
    virtual bool CreateControls() = 0;
    void DrawBackground();

    void RefreshValues() override;
    // Every control of the page, parameter or not.
    void RefreshAllControls() override;
    // After a write: the page's own refresh of the control (texts, ranges), then the base's.
    void RefreshControl(CHfcControl* control) override;
    // Value texts take their parameter's range, step, availability, value and value text;
    // other parameter controls the base refresh.
    void RefreshOne(uint32_t id) override;

    // The control of an id, parameter or not; null outside the page.
    CCustomControl* GetPageControl(uint32_t id) const;
    CHfcControl* GetFrameworkControl(uint32_t id) const;
    uint32_t GetCode(uint32_t id) const;
    size_t GetPageControlCount() const { return m_controls.size(); }
    const NvPageLayout& GetLayout() const { return m_page; }
    const NvPageLayout* GetPageLayout() const override { return &m_page; }

protected:
    // Puts the control on the page as the next id: its code, its parameter (timbre word as
    // given), the layer as listener, shown. A parameter control becomes an editor control.
    void AddPageControl(CHfcControl& control, CCustomControl& custom, uint32_t code, const CZmParameterId* id,
                        bool parameterControl);
    // A value text's refresh: range and step, enabled, value and text, each only when changed.
    void RefreshValueText(uint32_t id);
    bool SetShownText(CHfcControl& control, const char* text);
    // Step 127 / (max - min), clamped to 1..12; 1 for an empty range.
    static int32_t StepForRange(int32_t minimum, int32_t maximum);

    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_logo = nullptr;

private:
    struct Entry
    {
        CHfcControl* control;
        CCustomControl* custom;
        uint32_t code;
    };
    const NvPageLayout& m_page;
    std::vector<Entry> m_controls; // by id
};
