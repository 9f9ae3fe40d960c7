#include "synthdata/CQ3580ProgramAccessor.h"

#include "synthdata/CQ3580ProgramData.h"
#include "synthdata/CZmValueText.h"

#include "foundation/EfUtility.h"

#include <cstdio>

namespace
{
const uint32_t kTimbreBase = 16;
const uint32_t kTimbreSize = 96;
const uint32_t kVocoderBase = 208;
const uint32_t kMfxBase = 286;
const uint32_t kArpBase = 338;

CZmParameterId Synth(uint32_t row, uint32_t timbre)
{
    return {kPrgGroupTimbreSynth, row, timbre};
}

// Control memory slot of (wave, mod) for Ctrl 1 (ctrl 0) or Ctrl 2 (ctrl 1); -1 = not remembered.
int32_t OscCtrlSlot(int32_t wave, int32_t mod, int32_t ctrl)
{
    if (wave <= 3)
        return mod * 2 + ctrl;
    if (mod != 0)
        return -1;
    static const int32_t kSlots[4][2] = {{8, 9}, {10, 11}, {-1, 12}, {13, 14}};
    return kSlots[wave - 4][ctrl];
}

// The couplings of an effect in the order they apply: the type row's second and first, then
// the type's own.
class Couplings
{
public:
    Couplings(uint32_t type, const CZmFxTypeInfo& info)
    {
        m_items[m_count++] = &info.coupling2;
        m_items[m_count++] = &info.coupling1;
        for (size_t r = 0; r < kQ3580FxTypeCouplingCount && m_count < kMaxCount; ++r)
            if (kQ3580FxTypeCouplings[r].type == type)
                m_items[m_count++] = &kQ3580FxTypeCouplings[r].coupling;
    }
    const CZmFxCoupling* const* begin() const { return m_items; }
    const CZmFxCoupling* const* end() const { return m_items + m_count; }

private:
    static constexpr size_t kMaxCount = 4;
    const CZmFxCoupling* m_items[kMaxCount];
    size_t m_count = 0;
};

// The rule that names a row, null without one.
const CQ3580EnableRule* FindEnableRule(const CZmParameterId& id)
{
    for (size_t r = 0; r < kQ3580EnableRuleCount; ++r)
    {
        const CQ3580EnableRule& rule = kQ3580EnableRules[r];
        if (rule.group == id.group && id.index >= rule.firstRow && id.index <= rule.lastRow)
            return &rule;
    }
    return nullptr;
}

// step: the row's place among the rule's rows, for kSteps.
bool Passes(CQ3580EnableTest test, int32_t value, int32_t expected, uint32_t step)
{
    switch (test)
    {
    case CQ3580EnableTest::kIs:
        return value == expected;
    case CQ3580EnableTest::kIsNot:
        return value != expected;
    case CQ3580EnableTest::kBelow:
        return value < expected;
    case CQ3580EnableTest::kSteps:
        return static_cast<int32_t>(step) <= value;
    }
    return true;
}
} // namespace

CQ3580ProgramAccessor::CQ3580ProgramAccessor() : CZmProgramAccessor(&m_programTable, &m_fxParameterTable) {}

bool CQ3580ProgramAccessor::IsTimbreGroup(uint32_t group) const
{
    return group >= kPrgGroupTimbreCommon && group <= kPrgGroupTimbreEq;
}

bool CQ3580ProgramAccessor::LocateField(const CZmData* program, const CZmParameterId& id,
                                        CZmFieldLocation& f) const
{
    const CZmParameterInfo* row = GetPresentRow(id);
    if (row == nullptr)
        return false;
    uint32_t base = 0;
    bool wide = false;
    int32_t bias = row->bias;
    bool isSigned = row->minimum < 0;
    switch (id.group)
    {
    case kPrgGroupCommon:
        break;
    case kPrgGroupTimbreCommon:
    case kPrgGroupTimbreSynth:
    case kPrgGroupTimbreEq:
        if (id.timbre >= kQ3580TimbreCount)
            return false;
        base = kTimbreBase + kTimbreSize * id.timbre;
        break;
    case kPrgGroupVocoder:
        base = kVocoderBase;
        wide = id.index >= kVocoderBandHoldFirst && id.index <= kVocoderBandHoldLast;
        break;
    case kPrgGroupMfx:
        base = kMfxBase;
        if (id.index != kMfxFx1Type && id.index != kMfxFx2Type)
        {
            // Effect parameters take bias and sign from the row of the effect's current type.
            bias = GetBias(program, id);
            isSigned = GetMin(program, id) < 0;
        }
        break;
    case kPrgGroupArpCommon:
        wide = id.index == kArpCommonBpm;
        break;
    case kPrgGroupArp:
        base = kArpBase;
        break;
    default:
        DebugTrace("unsupported parameter...");
        return false;
    }
    if (wide)
    {
        f = CZmFieldLocation::Wide(*row, base);
        return true;
    }
    f = CZmFieldLocation::FromRow(*row, base);
    f.bias = bias;
    f.isSigned = isSigned;
    return true;
}

// ---- master effects ----

bool CQ3580ProgramAccessor::GetEffect(const CZmData* program, const CZmParameterId& id, Effect& effect) const
{
    if (id.group != kPrgGroupMfx || id.index >= 48)
        return false;
    effect.typeRow = id.index < 24 ? kMfxFx1Type : kMfxFx2Type;
    effect.paramBase = effect.typeRow + 3;
    const int32_t type = GetParameter(program, {kPrgGroupMfx, effect.typeRow, 0});
    effect.type = static_cast<uint32_t>(type < 0 ? 0 : type);
    effect.info = GetFxTable()->GetTypeInfo(effect.type);
    return true;
}

int32_t CQ3580ProgramAccessor::GetEffectParam(const CZmData* program, const Effect& effect,
                                              int32_t parameter) const
{
    if (parameter < 0 || parameter >= static_cast<int32_t>(kQ3580FxParameterCount))
        return 0;
    return GetValue(program, {kPrgGroupMfx, effect.paramBase + static_cast<uint32_t>(parameter), 0});
}

const CZmFxParameterInfo* CQ3580ProgramAccessor::GetEffectRow(const CZmData* program,
                                                              const CZmParameterId& id) const
{
    Effect effect;
    if (!GetEffect(program, id, effect) || id.index < effect.paramBase ||
        id.index >= effect.paramBase + kQ3580FxParameterCount)
        return nullptr;
    // A type byte above the table's types has no rows: callers fall back to the program row.
    return GetFxTable()->GetParameterInfo(effect.type, id.index - effect.paramBase);
}

void CQ3580ProgramAccessor::SetFxType(CZmData* program, uint32_t typeRow, int32_t type) const
{
    const CZmParameterId typeId{kPrgGroupMfx, typeRow, 0};
    const int32_t current = GetParameter(program, typeId);
    SetParameter(program, typeId, type);
    if (current == type)
        return;
    const uint32_t paramBase = typeRow + 3;
    for (uint32_t p = 0; p < kQ3580FxParameterCount; ++p)
    {
        const CZmFxParameterInfo* row = GetFxTable()->GetParameterInfo(static_cast<uint32_t>(type), p);
        // A default outside its row's range is brought into it.
        const int32_t value = row != nullptr ? ClampValue(row->defaultValue, row->minimum, row->maximum) : 0;
        SetParameter(program, {kPrgGroupMfx, paramBase + p, 0}, value);
    }
    if (const CZmFxTypeInfo* info = GetFxTable()->GetTypeInfo(static_cast<uint32_t>(type)))
    {
        SetParameter(program, {kPrgGroupMfx, typeRow + 1, 0}, info->control1);
        SetParameter(program, {kPrgGroupMfx, typeRow + 2, 0}, info->control2);
    }
}

int32_t CQ3580ProgramAccessor::ApplyFxCouplings(CZmData* program, const CZmParameterId& id,
                                                int32_t value) const
{
    Effect e;
    if (!GetEffect(program, id, e) || e.info == nullptr)
        return value;
    const Couplings couplings(e.type, *e.info);

    if (id.index == e.typeRow + 1 || id.index == e.typeRow + 2)
    {
        // A Control may only point at the member of a coupled pair that is in use.
        for (const CZmFxCoupling* c : couplings)
        {
            if (c->flag == 0)
                continue;
            const bool on = GetEffectParam(program, e, c->sw) != 0;
            if (value == c->a && on)
                value = c->b;
            else if (value == c->b && !on)
                value = c->a;
        }
        return value;
    }

    if (id.index < e.paramBase)
        return value;
    const int32_t p = static_cast<int32_t>(id.index - e.paramBase);
    const CZmParameterId controls[2] = {{kPrgGroupMfx, e.typeRow + 1, 0}, {kPrgGroupMfx, e.typeRow + 2, 0}};
    auto retarget = [&](int32_t a, int32_t b)
    {
        for (const CZmParameterId& control : controls)
        {
            const int32_t current = GetParameter(program, control);
            if (current == a || current == b)
                SetParameter(program, control, value != 0 ? b : a);
        }
    };
    for (const CZmFxCoupling* c : couplings)
        if (c->flag != 0 && p == c->sw)
            retarget(c->a, c->b);
    return value;
}

bool CQ3580ProgramAccessor::IsFxParameterEnabled(const CZmData* program, const CZmParameterId& id) const
{
    Effect e;
    if (!GetEffect(program, id, e) || id.index == e.typeRow)
        return true;
    if (e.type == kFxOff)
        return false;
    if (e.info == nullptr || id.index < e.paramBase)
        return true;
    const int32_t p = static_cast<int32_t>(id.index - e.paramBase);
    auto param = [&](int32_t n) { return GetEffectParam(program, e, n); };
    bool enabled = true;

    const CZmFxCoupling& c2 = e.info->coupling2;
    if (c2.flag != 0)
    {
        if (p == c2.a)
            enabled = enabled && param(c2.sw) == 0;
        if (p == c2.b)
            enabled = enabled && param(c2.sw) != 0;
    }
    if (enabled && e.info->rule3Flag != 0)
    {
        if (p >= 8 && p <= 14)
            enabled = param(e.info->rule3Switch) == 0;
        else if (p == 15)
            enabled = param(e.info->rule3Switch) == 1;
    }
    const CZmFxCoupling& c1 = e.info->coupling1;
    if (c1.flag != 0)
    {
        // The parameters from A up to B - 1 belong to A, as many again from B belong to B.
        const int32_t span = c1.b - c1.a;
        if (p >= c1.a && p < c1.b)
            enabled = enabled && param(c1.sw) == 0;
        else if (p >= c1.b && p < c1.b + span)
            enabled = enabled && param(c1.sw) != 0;
    }
    if (e.info->rule4Flag != 0 && p == e.info->rule4Parameter + 1)
        enabled = enabled && param(e.info->rule4Parameter) != 0;
    for (size_t r = 0; r < kQ3580FxEnableRuleCount; ++r)
    {
        const CQ3580FxEnableRule& rule = kQ3580FxEnableRules[r];
        if (rule.type == e.type && rule.parameter == p)
            enabled = enabled && Passes(rule.test, param(rule.dependsOn), rule.value, 0);
    }
    return enabled;
}

bool CQ3580ProgramAccessor::IsControlAssignable(const CZmData* program, const CZmParameterId& id) const
{
    const CZmFxParameterInfo* row = GetEffectRow(program, id);
    Effect e;
    if (row == nullptr || !GetEffect(program, id, e) || row->assignable == 0)
        return false;
    const int32_t p = static_cast<int32_t>(id.index - e.paramBase);
    for (const CZmFxCoupling* c : Couplings(e.type, *e.info))
    {
        if (c->flag == 0)
            continue;
        const bool on = GetEffectParam(program, e, c->sw) != 0;
        if ((!on && p == c->b) || (on && p == c->a))
            return false;
    }
    return true;
}

// ---- OSC 1 ----

int32_t CQ3580ProgramAccessor::GetOscWave(const CZmData* program, uint32_t timbre) const
{
    // A wave byte above 7 is treated as the last wave, never used as an index as it is.
    return ClampValue(GetParameter(program, Synth(kSynthOsc1Wave, timbre)), 0, 7);
}

int32_t CQ3580ProgramAccessor::GetOscMod(const CZmData* program, uint32_t timbre) const
{
    return ClampValue(GetParameter(program, Synth(kSynthOsc1Mod, timbre)), 0, 3);
}

CQ3580OscCtrlMemory* CQ3580ProgramAccessor::GetMemory(CZmData* program, uint32_t timbre)
{
    auto* data = dynamic_cast<CQ3580ProgramData*>(program);
    if (data == nullptr || timbre >= kQ3580TimbreCount)
    {
        DebugTrace("illegal ctrl number.");
        return nullptr;
    }
    return &data->GetOscCtrlMemory();
}

void CQ3580ProgramAccessor::RememberOscCtrl(CZmData* program, uint32_t timbre, int32_t ctrl,
                                            int32_t stored) const
{
    const int32_t slot = OscCtrlSlot(GetOscWave(program, timbre), GetOscMod(program, timbre), ctrl);
    CQ3580OscCtrlMemory* memory = GetMemory(program, timbre);
    if (slot >= 0 && memory != nullptr)
        memory->slots[timbre][slot] = stored & 0xFF;
}

void CQ3580ProgramAccessor::RestoreOscCtrl(CZmData* program, uint32_t timbre) const
{
    CQ3580OscCtrlMemory* memory = GetMemory(program, timbre);
    if (memory == nullptr)
        return;
    const int32_t wave = GetOscWave(program, timbre);
    const int32_t mod = GetOscMod(program, timbre);
    for (int32_t ctrl = 0; ctrl < 2; ++ctrl)
    {
        const int32_t slot = OscCtrlSlot(wave, mod, ctrl);
        // The slots hold stored bytes: written back raw.
        if (slot >= 0)
            SetParameter(program, Synth(kSynthOsc1Ctrl1 + static_cast<uint32_t>(ctrl), timbre),
                         memory->slots[timbre][slot]);
    }
}

void CQ3580ProgramAccessor::SetOscWave(CZmData* program, uint32_t timbre, int32_t wave) const
{
    if (wave < 0 || wave > 7)
    {
        DebugTrace("illegal wave type.");
        return;
    }
    const CZmParameterId waveId = Synth(kSynthOsc1Wave, timbre);
    const CZmParameterId modId = Synth(kSynthOsc1Mod, timbre);
    CQ3580OscCtrlMemory* memory = GetMemory(program, timbre);
    if (GetOscWave(program, timbre) <= 3 && memory != nullptr)
        memory->mod[timbre] = GetOscMod(program, timbre);
    if (wave <= 3)
    {
        SetParameter(program, waveId, wave);
        if (memory != nullptr)
            SetParameter(program, modId, memory->mod[timbre]);
    }
    else
    {
        SetParameter(program, modId, 0);
        SetParameter(program, waveId, wave);
        SetParameter(program, modId, 0);
    }
    RestoreOscCtrl(program, timbre);
}

// ---- values ----

int32_t CQ3580ProgramAccessor::GetValue(const CZmData* program, const CZmParameterId& id) const
{
    int32_t v = GetParameter(program, id);
    if (id.group == kPrgGroupTimbreSynth && (id.index == kSynthOsc1Ctrl1 || id.index == kSynthOsc1Ctrl2))
    {
        const int32_t wave = GetOscWave(program, id.timbre);
        if (id.index == kSynthOsc1Ctrl1)
        {
            if (wave == kOsc1WaveAudioIn)
                v -= 64;
        }
        else if (wave <= 3 && GetOscMod(program, id.timbre) == 3)
            v /= 4;
        else if (wave == 4 || wave == 5 || wave == 7)
            v -= 64;
    }
    return ClampValue(v, GetMin(program, id), GetMax(program, id));
}

void CQ3580ProgramAccessor::SetValue(CZmData* program, const CZmParameterId& id, int32_t value) const
{
    if (program == nullptr || GetPresentRow(id) == nullptr)
        return;
    value = ClampValue(value, GetMin(program, id), GetMax(program, id));
    if (id.group == kPrgGroupMfx && (id.index == kMfxFx1Type || id.index == kMfxFx2Type))
    {
        SetFxType(program, id.index, value);
        return;
    }
    if (id.group == kPrgGroupMfx)
    {
        SetParameter(program, id, ApplyFxCouplings(program, id, value));
        return;
    }
    if (id.group != kPrgGroupTimbreSynth)
    {
        SetParameter(program, id, value);
        return;
    }
    const uint32_t t = id.timbre;
    const int32_t wave = GetOscWave(program, t);
    switch (id.index)
    {
    case kSynthOsc1Wave:
        SetOscWave(program, t, value);
        break;
    case kSynthOsc1Mod:
        SetParameter(program, id, value);
        RestoreOscCtrl(program, t);
        break;
    case kSynthOsc1Ctrl1:
    {
        const int32_t stored = wave == kOsc1WaveAudioIn ? value + 64 : value;
        SetParameter(program, id, stored);
        RememberOscCtrl(program, t, 0, stored);
        break;
    }
    case kSynthOsc1Ctrl2:
    {
        int32_t stored = value;
        if (wave <= 3 && GetOscMod(program, t) == 3)
            stored = value * 4;
        else if (wave == 4 || wave == 5 || wave == 7)
            stored = value + 64;
        SetParameter(program, id, stored);
        RememberOscCtrl(program, t, 1, stored);
        break;
    }
    default:
        SetParameter(program, id, value);
        break;
    }
}

int32_t CQ3580ProgramAccessor::GetMin(const CZmData* program, const CZmParameterId& id) const
{
    if (id.group == kPrgGroupTimbreSynth)
    {
        const int32_t wave = GetOscWave(program, id.timbre);
        if (id.index == kSynthOsc1Mod && wave > 3)
            return 0;
        if (id.index == kSynthOsc1Ctrl1)
            return wave == kOsc1WaveAudioIn ? -63 : 0;
        if (id.index == kSynthOsc1Ctrl2)
            return (wave == 4 || wave == 5) ? -63 : 0;
    }
    return CZmProgramAccessor::GetMin(program, id);
}

int32_t CQ3580ProgramAccessor::GetMax(const CZmData* program, const CZmParameterId& id) const
{
    if (id.group == kPrgGroupTimbreSynth)
    {
        const int32_t wave = GetOscWave(program, id.timbre);
        if (id.index == kSynthOsc1Mod && wave > 3)
            return 0;
        if (id.index == kSynthOsc1Ctrl1)
            return wave == kOsc1WavePcm ? 0 : (wave == kOsc1WaveAudioIn ? 63 : 127);
        if (id.index == kSynthOsc1Ctrl2)
        {
            if (wave <= 3)
                return GetOscMod(program, id.timbre) == 3 ? 31 : 127;
            return wave <= 5 ? 63 : 0;
        }
    }
    return CZmProgramAccessor::GetMax(program, id);
}

const char* CQ3580ProgramAccessor::GetName(const CZmData* program, const CZmParameterId& id) const
{
    if (id.group == kPrgGroupTimbreSynth && (id.index == kSynthOsc1Ctrl1 || id.index == kSynthOsc1Ctrl2))
    {
        const int32_t wave = GetOscWave(program, id.timbre);
        const int32_t mod = GetOscMod(program, id.timbre);
        if (id.index == kSynthOsc1Ctrl1)
        {
            static const char* const kHigh[4] = {"Formant Width", "Resonance", "---", "Gain"};
            if (wave > 3)
                return kHigh[wave - 4];
            if (mod == 0)
                return wave == 1 ? "Pulse Width" : (wave == 3 ? "Wave Shape" : "Waveform");
            return mod == 2 ? "Detune" : "Mod.Depth";
        }
        static const char* const kHigh[4] = {"Formant Shift", "LPF/HPF Balance", "---", "---"};
        if (wave > 3)
            return kHigh[wave - 4];
        static const char* const kByMod[4] = {"LFO 1 Mod Int", "LFO 1 Mod Int", "Unison Phase",
                                              "Mod.Harmonics"};
        return (mod == 0 && wave == 3) ? "Wave Shape Mod Int" : kByMod[mod];
    }
    return CZmProgramAccessor::GetName(program, id);
}

const char* CQ3580ProgramAccessor::GetFormat(const CZmData* program, const CZmParameterId& id) const
{
    if (id.group == kPrgGroupTimbreSynth && id.index == kSynthOsc1Ctrl2)
    {
        const int32_t wave = GetOscWave(program, id.timbre);
        if (wave <= 3 && GetOscMod(program, id.timbre) == 3)
            return "PmHarmonics";
        if (wave == 5)
            return "NoiseFltBalance";
    }
    return CZmProgramAccessor::GetFormat(program, id);
}

void CQ3580ProgramAccessor::GetValueText(const CZmData* program, const CZmParameterId& id, int32_t value,
                                         char* buffer, size_t size) const
{
    if (buffer == nullptr || size == 0)
        return;
    const char* format = GetFormat(program, id);
    if (CZmValueText::IsFormat(format, "ArpSwing"))
        std::snprintf(buffer, size, "%lld%%", static_cast<long long>(value) * 2); // any value, no overflow
    else if (CZmValueText::IsFormat(format, "FxFineValue"))
        std::snprintf(buffer, size, value > 0 ? "+%lld cent" : "%lld cent",
                      static_cast<long long>(value) * 2);
    else if (CZmValueText::IsFormat(format, "KnobAssign"))
    {
        if (value == 27 && GetParameter(program, Synth(kSynthLfo1BpmSync, id.timbre)) != 0)
            CZmValueText::FormatKeyword("KnobAssignLfoSync", 0, buffer, size);
        else if (value == 28 && GetParameter(program, Synth(kSynthLfo2BpmSync, id.timbre)) != 0)
            CZmValueText::FormatKeyword("KnobAssignLfoSync", 1, buffer, size);
        else
            CZmProgramAccessor::GetValueText(program, id, value, buffer, size);
    }
    else if (CZmValueText::IsFormat(format, "PmHarmonics"))
        std::snprintf(buffer, size, "%lld", static_cast<long long>(value) + 1);
    else if (CZmValueText::IsFormat(format, "LfoInitPhase") || CZmValueText::IsFormat(format, "FxLfoSpread"))
    {
        CZmProgramAccessor::GetValueText(program, id, value, buffer, size);
        CZmValueText::AppendTab(buffer, size);
    }
    else
        CZmProgramAccessor::GetValueText(program, id, value, buffer, size);
}

bool CQ3580ProgramAccessor::IsParameterEnabled(const CZmData* program, const CZmParameterId& id) const
{
    bool enabled = true;
    if (const CQ3580EnableRule* rule = FindEnableRule(id))
    {
        // The dependency's timbre, where it has one.
        const uint32_t timbre = IsTimbreGroup(rule->dependsOnGroup) ? id.timbre : 0;
        const int32_t value = GetParameter(program, {rule->dependsOnGroup, rule->dependsOnRow, timbre});
        enabled = Passes(rule->test, value, rule->value, id.index - rule->firstRow);
    }
    else
    {
        const CQ3580UnruledRow unruled =
            id.group < kPrgGroupCount ? kQ3580UnruledRows[id.group] : CQ3580UnruledRow::kWhilePresent;
        if (unruled == CQ3580UnruledRow::kEffectRules)
            enabled = IsFxParameterEnabled(program, id);
        else if (unruled == CQ3580UnruledRow::kWhilePresent)
        {
            const CZmParameterInfo* row = GetParameterInfo(id);
            enabled = row != nullptr && row->present != 0;
        }
    }
    // The second timbre is silent in Single mode.
    if (IsTimbreGroup(id.group) && id.group != kPrgGroupModSeq && id.timbre == 1 &&
        GetParameter(program, {kPrgGroupCommon, kCommonVoiceMode, 0}) == 0)
        enabled = false;
    return enabled;
}
