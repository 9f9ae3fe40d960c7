#include "editor/pages/CArpEditLayer.h"

#include "editor/layout/ArpEditLayout.h"
#include "framework/CEfResourceManager.h"
#include "synthdata/CProgram.h"
#include "synthdata/CQ3580ProgramAccessor.h"

namespace
{
// Group 8 is the arpeggiator's; its rows have no timbre.
const CZmParameterId kTextParameters[5] = {{8, 1, 0}, {8, 0, 0}, {8, 3, 0}, {8, 4, 0}, {0, 36, 0}};
const CZmParameterId kLatch = {8, 2, 0};
const CZmParameterId kKeySync = {7, 2, 0};
constexpr uint32_t kStep1Index = 9;
const CZmParameterId kSwing = {8, 6, 0};
const CZmParameterId kGateTime = {8, 5, 0};

const NvLayoutControl& Row(uint32_t id)
{
    return NvArpEditLayout::kControls[id];
}
} // namespace

CArpEditLayer::CArpEditLayer() : CEditPageLayer(NvArpEditLayout::kPage) {}

bool CArpEditLayer::CreateControls()
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    for (uint32_t i = 0; i < m_texts.size(); ++i)
    {
        const NvLayoutControl& place = Row(NvArpEditLayout::kIdValueTexts + i);
        CCustomEditTextRecord record;
        record.x = place.x;
        record.y = place.y;
        record.font = m_fontWhite;
        record.dimFont = m_fontWhiteDim;
        record.background = m_background;
        record.columns = 10;
        if (accessor && m_data.program)
        {
            record.minimum = accessor->GetMin(m_data.program, kTextParameters[i]);
            record.maximum = accessor->GetMax(m_data.program, kTextParameters[i]);
        }
        record.sensitivity = StepForRange(record.minimum, record.maximum);
        if (!m_texts[i].Create(&record, NvArpEditLayout::kIdValueTexts + i, 0))
            return false;
        AddPageControl(m_texts[i], m_texts[i], 0, &kTextParameters[i], true);
    }
    CHfcBmp* onOff = GetBitmap("SwitchOnOff");
    CHfcBmp* onOffDim = GetBitmap("SwitchOnOffDim");
    CCustomSwitch* switches[2] = {&m_latch, &m_keySync};
    const CZmParameterId* switchParameters[2] = {&kLatch, &kKeySync};
    for (uint32_t i = 0; i < 2; ++i)
    {
        const uint32_t id = NvArpEditLayout::kIdLatch + i;
        CCustomSwitchRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = onOff;
        record.dim = onOffDim;
        record.background = m_background;
        if (!switches[i]->Create(&record, id, CCustomControl::kEventToggle))
            return false;
        AddPageControl(*switches[i], *switches[i], CCustomControl::kEventToggle, switchParameters[i], true);
    }
    for (uint32_t i = 0; i < kStepCount; ++i)
    {
        const uint32_t id = NvArpEditLayout::kIdSteps + i;
        CCustomSwitchRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap("TriggerButtonSmall");
        record.dim = GetBitmap("TriggerButtonSmallDim");
        record.background = m_background;
        if (!m_steps[i].Create(&record, id, CCustomControl::kEventToggle))
            return false;
        const CZmParameterId step = {8, kStep1Index + i, 0};
        AddPageControl(m_steps[i], m_steps[i], CCustomControl::kEventToggle, &step, true);
    }
    CCustomKnob* knobs[2] = {&m_swing, &m_gateTime};
    const CZmParameterId* knobParameters[2] = {&kSwing, &kGateTime};
    for (uint32_t i = 0; i < 2; ++i)
    {
        const uint32_t id = NvArpEditLayout::kIdSwing + i;
        CCustomKnobRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap("Knob");
        record.dim = GetBitmap("KnobDim");
        record.background = m_background;
        record.frameCount = NvSkinFrames::kKnob;
        if (accessor && m_data.program)
        {
            record.minimum = accessor->GetMin(m_data.program, *knobParameters[i]);
            record.maximum = accessor->GetMax(m_data.program, *knobParameters[i]);
        }
        record.sensitivity = StepForRange(record.minimum, record.maximum);
        if (!knobs[i]->Create(&record, id, 0))
            return false;
        AddPageControl(*knobs[i], *knobs[i], 0, knobParameters[i], true);
    }
    CCustomButton* buttons[2] = {&m_left, &m_right};
    const char* strips[2][2] = {{"ButtonArrowLeft", "ButtonArrowLeftDim"},
                                {"ButtonArrowRight", "ButtonArrowRightDim"}};
    for (uint32_t i = 0; i < 2; ++i)
    {
        const uint32_t id = NvArpEditLayout::kIdRotateLeft + i;
        CCustomButtonRecord record;
        record.x = Row(id).x;
        record.y = Row(id).y;
        record.strip = GetBitmap(strips[i][0]);
        record.dim = GetBitmap(strips[i][1]);
        record.background = m_background;
        const uint32_t code = i == 0 ? kCodeRotateLeft : kCodeRotateRight;
        if (!buttons[i]->Create(&record, id, code))
            return false;
        AddPageControl(*buttons[i], *buttons[i], code, nullptr, false);
    }
    RefreshAllControls();
    DrawBackground();
    return m_background != nullptr;
}

void CArpEditLayer::OnValueChanged(CHfcControl* control, int32_t value)
{
    if (control &&
        (control->GetUserValue() == kCodeRotateLeft || control->GetUserValue() == kCodeRotateRight))
    {
        // A button reports once, on its release.
        RotateSteps(control->GetUserValue() == kCodeRotateLeft);
        return;
    }
    CEditPageLayer::OnValueChanged(control, value);
}

void CArpEditLayer::RotateSteps(bool left)
{
    CZmProgramAccessor* accessor = CZmProgramAccessorSingleton::Get();
    if (!accessor || !m_data.program)
        return;
    int32_t steps[kStepCount];
    for (uint32_t i = 0; i < kStepCount; ++i)
        steps[i] = accessor->GetValue(m_data.program, {8, kStep1Index + i, 0});
    // Written and sent left from step 1 up, right from step 8 down; the wrapped step comes last.
    for (uint32_t n = 0; n < kStepCount; ++n)
    {
        const uint32_t i = left ? n : kStepCount - 1 - n;
        const uint32_t from = left ? (i + 1) % kStepCount : (i + kStepCount - 1) % kStepCount;
        WriteValue(&m_steps[i], {8, kStep1Index + i, 0}, steps[from]);
    }
}
