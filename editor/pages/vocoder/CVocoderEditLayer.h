#pragma once

#include "editor/base/CEditLayerBase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class CCustomLed;
class CCustomValueBar;
class CHfcBmp;

// The vocoder page of a program (parameter group 5): input and gate, levels, the formant
// filter, the 16 band pans and levels, the formant shift LEDs and the 16 formant-hold bars.
// Every edit takes the edit-layer base's value path. The hold bars only show the hold data:
// they take no press and are refreshed as one group, only when one of the 16 values or their
// enabled state changed. Window thread only.
class CVocoderEditLayer : public CEditLayerBase
{
public:
    enum : uint32_t
    {
        kGroup = 5,
        kControlCount = 67,
        kFirstLedId = 46,  // the five Formant Shift LEDs, +2 down to -2
        kFirstHoldId = 51, // Band 1..16 Hold Data
        kHoldCount = 16,
        kHoldFirstIndex = 53,
    };

    CVocoderEditLayer();
    ~CVocoderEditLayer() override;

    // The page over the window's client area at (0, 0), bound to the window's program, its
    // controls made and read from the program.
    bool Create(CBaseWindow* window);
    using CEditLayerBase::Create;
    const NvPageLayout* GetPageLayout() const override;

    // Whether the control takes the base's value refresh; not the hold bars.
    static bool TakesStandardRefresh(uint32_t id) { return id < kFirstHoldId || id >= kControlCount; }

    void RefreshOne(uint32_t id) override;
    void RefreshControl(CHfcControl* control) override;
    void RefreshValues() override;
    void OnValueChanged(CHfcControl* control, int32_t value) override;
    bool OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;

    // How often the hold bars were given new values (for the tests: an unchanged program
    // redraws nothing).
    uint32_t GetHoldUpdateCount() const { return m_holdUpdates; }
    CCustomValueBar* GetHoldBar(uint32_t band) const;
    CCustomLed* GetShiftLed(uint32_t index) const;

private:
    bool MakeControls();
    void DrawBackground();
    // The hold bars from {5, 53..68} and the enabled state of Band 1 Hold Data.
    void RefreshHold();
    void RefreshLeds();
    void RefreshText(uint32_t id);
    template <class T> T* Own(std::unique_ptr<T> control);

    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_logo = nullptr;
    std::vector<std::unique_ptr<CHfcControl>> m_owned; // the controls, by id
    std::array<int32_t, kHoldCount> m_holdShown{};
    bool m_holdValid = false;  // m_holdShown holds what the bars show
    bool m_holdEnabled = true; // the bars' enabled state
    uint32_t m_holdUpdates = 0;
};
