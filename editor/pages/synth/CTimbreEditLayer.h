#pragma once

#include "editor/base/CEditLayerBase.h"

#include <cstdint>
#include <memory>
#include <vector>

class CHfcBmp;
class CProgram;
class CZmRandomSource;

// The timbre synth page: every oscillator, mixer, filter, amp, drive, envelope, LFO and
// virtual-patch parameter of one timbre of a program (BG_SynthEdit, 794 x 600). Beyond the
// edit-layer value path it keeps the oscillator-control labels, the modulation LEDs, the PCM
// wave arrows, the envelope curves and LFO graphs in step with the program, offers the value
// lists of the waveform and routing pictures, and randomises the timbre. Window thread only.
class CTimbreEditLayer : public CEditLayerBase
{
public:
    // The framework control's user value of each kind of control.
    enum Code : uint32_t
    {
        kCodeValue = 0,
        kCodeSwitch = 1,
        kCodeLed = 2,
        kCodeList = 3,
        kCodeEnvelope = 4,
        kCodeLfo = 5,
        kCodeRandom = 0x101,
        kCodeOscLabel = 0x102,
        kCodePcmNext = 0x103,
        kCodePcmPrevious = 0x104,
    };
    static constexpr uint32_t kControlCount = 102;
    static constexpr int32_t kWidth = 794, kHeight = 600;

    CTimbreEditLayer();
    ~CTimbreEditLayer() override;

    // Makes the page at (0, 0) of the window for one timbre (0 or 1) of the program (null: the
    // window's program) and shows it. False, with nothing of the page left behind, when the
    // window, the program, the timbre or a control cannot be had.
    bool CreatePage(CBaseWindow* window, CProgram* program, int32_t timbre);
    // At once when the page was never made.
    bool Destroy() override;
    // The source of the random button's draws (not owned); null: the layer's own.
    void SetRandomSource(CZmRandomSource* source) { m_randomSource = source; }

    // The page background and logo onto the surface, every control over it.
    void DrawBackground();
    CHfcControl* GetPageControl(uint32_t id) const;
    // The editor side of every control of the page, registered with the layer or not.
    CCustomControl* GetPageCustom(uint32_t id) const;
    // Whether a control of this code stands for the parameter it is bound to.
    static bool IsParameterControl(uint32_t code);

    const NvPageLayout* GetPageLayout() const override;

    void RefreshAllControls() override;
    void RefreshOne(uint32_t id) override;
    void RefreshControl(CHfcControl* control) override;
    // Each tick: only controls whose shown state differs from the program are redrawn.
    void RefreshValues() override;

    void OnValueChanged(CHfcControl* control, int32_t value) override;
    void OnTextChanged(CHfcControl* control, const char* text) override;
    bool OnControlLButtonDown(CHfcControl* control, int32_t x, int32_t y, uint32_t modifiers) override;
    void OnEndEdit(CHfcControl* control) override;

private:
    struct EnvelopeState
    {
        int32_t values[4] = {-1, -1, -1, -1}; // attack, decay, sustain, release as drawn
    };
    struct LfoState
    {
        int32_t shape = -1;
        bool random = false;
        int32_t speed = -1;
    };

    bool CreateControls();
    void ReleaseControls();
    CZmParameterId Parameter(uint32_t index) const;
    int32_t Read(uint32_t index) const;
    // The sensitivity of a field or knob: 127 / (max - min) within 1 .. 12, 1 for an empty range.
    int32_t Step(const CZmParameterId& id) const;
    // True when the control's shown state changed.
    bool Refresh(uint32_t id);
    bool RefreshStandard(CHfcControl* control, CCustomControl* custom);
    bool RefreshOscLabel(CHfcControl* control, CCustomControl* custom);
    bool RefreshLed(CHfcControl* control, CCustomControl* custom);
    bool RefreshEnvelope(CHfcControl* control, CCustomControl* custom);
    bool RefreshLfo(CHfcControl* control, CCustomControl* custom);
    bool RefreshPcmArrow(CHfcControl* control, CCustomControl* custom);
    void Randomize(bool simple);
    void StepPcmWave(int32_t delta);
    void ToggleOsc2ModBit(int32_t bit);
    // A value of the page's own handling written: modified mark, update, the change sent.
    void WriteOwn(const CZmParameterId& id, int32_t value);
    bool ShowValueList(CHfcControl* control, int32_t x, int32_t y);

    CHfcBmp* m_background = nullptr;
    CHfcBmp* m_logo = nullptr;
    bool m_pageCreated = false;
    std::vector<std::unique_ptr<CHfcControl>> m_controls; // by control id
    std::vector<CCustomControl*> m_customs;               // by control id, into m_controls
    EnvelopeState m_envelopes[3];
    LfoState m_lfos[2];
    CZmRandomSource* m_randomSource = nullptr; // not owned
    std::unique_ptr<CZmRandomSource> m_ownRandom;
    uint32_t m_randomModifiers = 0; // the modifier bits of the random button's press
};
