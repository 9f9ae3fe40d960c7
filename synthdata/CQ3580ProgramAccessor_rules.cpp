// The rules by which the editors grey out program parameters.
#include "synthdata/CQ3580ProgramAccessor.h"

#include <iterator>

namespace
{
using T = CQ3580EnableTest;
} // namespace

// {group, first row, last row, depends on group, row, test, value}
const CQ3580EnableRule kQ3580EnableRules[] = {
    {kPrgGroupCommon, kCommonTimbre2MidiCh, kCommonTimbre2MidiCh, kPrgGroupCommon, kCommonVoiceMode, T::kIs,
     3},
    {kPrgGroupCommon, kCommonSplitKey, kCommonSplitKey, kPrgGroupCommon, kCommonVoiceMode, T::kIs, 2},

    {kPrgGroupTimbreCommon, kTimbreCommonUnisonDetune, kTimbreCommonUnisonSpread, kPrgGroupTimbreCommon,
     kTimbreCommonUnisonSw, T::kIsNot, 0},

    {kPrgGroupTimbreSynth, kSynthOsc1Ctrl1, kSynthOsc1Ctrl1, kPrgGroupTimbreSynth, kSynthOsc1Wave, T::kIsNot,
     kOsc1WavePcm},
    // Off for waves 6 and 7 and for the bytes above 7, which count as the last wave.
    {kPrgGroupTimbreSynth, kSynthOsc1Ctrl2, kSynthOsc1Ctrl2, kPrgGroupTimbreSynth, kSynthOsc1Wave, T::kBelow,
     kOsc1WavePcm},
    {kPrgGroupTimbreSynth, kSynthOsc1PcmWave, kSynthOsc1PcmWave, kPrgGroupTimbreSynth, kSynthOsc1Wave, T::kIs,
     kOsc1WavePcm},
    {kPrgGroupTimbreSynth, kSynthFilter2Type, kSynthFilter2VelocitySens, kPrgGroupTimbreSynth,
     kSynthFilterRouting, T::kIsNot, 0},
    {kPrgGroupTimbreSynth, kSynthDriveWsPosition, kSynthDriveWsPosition, kPrgGroupTimbreSynth,
     kSynthDriveWsType, T::kIsNot, 0},
    {kPrgGroupTimbreSynth, kSynthDriveWsDepth, kSynthDriveWsDepth, kPrgGroupTimbreSynth, kSynthDriveWsType,
     T::kIsNot, 0},
    {kPrgGroupTimbreSynth, kSynthLfo1Frequency, kSynthLfo1Frequency, kPrgGroupTimbreSynth, kSynthLfo1BpmSync,
     T::kIsNot, 1},
    {kPrgGroupTimbreSynth, kSynthLfo1InitPhase, kSynthLfo1InitPhase, kPrgGroupTimbreSynth, kSynthLfo1KeySync,
     T::kIsNot, 0},
    {kPrgGroupTimbreSynth, kSynthLfo1SyncNote, kSynthLfo1SyncNote, kPrgGroupTimbreSynth, kSynthLfo1BpmSync,
     T::kIsNot, 0},
    {kPrgGroupTimbreSynth, kSynthLfo2Frequency, kSynthLfo2Frequency, kPrgGroupTimbreSynth, kSynthLfo2BpmSync,
     T::kIsNot, 1},
    {kPrgGroupTimbreSynth, kSynthLfo2InitPhase, kSynthLfo2InitPhase, kPrgGroupTimbreSynth, kSynthLfo2KeySync,
     T::kIsNot, 0},
    {kPrgGroupTimbreSynth, kSynthLfo2SyncNote, kSynthLfo2SyncNote, kPrgGroupTimbreSynth, kSynthLfo2BpmSync,
     T::kIsNot, 0},

    {kPrgGroupVocoder, kVocoderBandHoldFirst, kVocoderBandHoldLast, kPrgGroupVocoder, kVocoderEfSens, T::kIs,
     127},

    {kPrgGroupArp, kArpStep1Sw, kArpStep8Sw, kPrgGroupArp, kArpLastStep, T::kSteps, 0},
};
const size_t kQ3580EnableRuleCount = std::size(kQ3580EnableRules);

// {effect type, parameter, depends on parameter, test, value}
const CQ3580FxEnableRule kQ3580FxEnableRules[] = {
    // B1 Q and B4 Q, by B1 Type and B4 Type
    {kFx4BandEq, 4, 2, T::kIs, 0},
    {kFx4BandEq, 14, 12, T::kIs, 0},
    // Fixed Frequency, Note Offset and Note Fine, by OSC Mode
    {kFxRingModulator, 2, 1, T::kIs, 0},
    {kFxRingModulator, 3, 1, T::kIsNot, 0},
    {kFxRingModulator, 4, 1, T::kIsNot, 0},
};
const size_t kQ3580FxEnableRuleCount = std::size(kQ3580FxEnableRules);

// {effect type, {flag, A, B, switch}}
const CQ3580FxTypeCoupling kQ3580FxTypeCouplings[] = {
    // Fixed Frequency or Note Offset, by OSC Mode
    {kFxRingModulator, {1, 2, 3, 1}},
};
const size_t kQ3580FxTypeCouplingCount = std::size(kQ3580FxTypeCouplings);

// By group, 0-9.
const CQ3580UnruledRow kQ3580UnruledRows[kPrgGroupCount] = {
    CQ3580UnruledRow::kEnabled,      CQ3580UnruledRow::kEnabled,      CQ3580UnruledRow::kEnabled,
    CQ3580UnruledRow::kWhilePresent, CQ3580UnruledRow::kWhilePresent, CQ3580UnruledRow::kEnabled,
    CQ3580UnruledRow::kEffectRules,  CQ3580UnruledRow::kWhilePresent, CQ3580UnruledRow::kWhilePresent,
    CQ3580UnruledRow::kWhilePresent,
};
