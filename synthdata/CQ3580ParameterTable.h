#pragma once

#include "synthdata/CZmParameterTable.h"

// Groups of the program table and the bases of their sections in the program image.
enum CQ3580ProgramGroup : uint32_t
{
    kPrgGroupCommon = 0,
    kPrgGroupTimbreCommon = 1,
    kPrgGroupTimbreSynth = 2,
    kPrgGroupModSeq = 3,
    kPrgGroupTimbreEq = 4,
    kPrgGroupVocoder = 5,
    kPrgGroupMfx = 6,
    kPrgGroupArpCommon = 7,
    kPrgGroupArp = 8,
    kPrgGroupNone = 9,
    kPrgGroupCount = 10,
};

// Rows of the program table that code names, one enum per group.
enum CQ3580CommonRow : uint32_t
{
    kCommonVoiceMode = 35,
    kCommonTimbre2MidiCh = 41,
    kCommonSplitKey = 42,
};

enum CQ3580TimbreCommonRow : uint32_t
{
    kTimbreCommonUnisonSw = 16,
    kTimbreCommonUnisonDetune = 17,
    kTimbreCommonUnisonSpread = 18,
};

enum CQ3580TimbreSynthRow : uint32_t
{
    kSynthOsc1Wave = 19,
    kSynthOsc1Mod = 21,
    kSynthOsc1Ctrl1 = 22,
    kSynthOsc1Ctrl2 = 23,
    kSynthOsc1PcmWave = 24,
    kSynthFilterRouting = 33,
    kSynthFilter2Type = 41,
    kSynthFilter2VelocitySens = 46,
    kSynthDriveWsPosition = 48,
    kSynthDriveWsType = 50,
    kSynthDriveWsDepth = 51,
    kSynthLfo1Frequency = 81,
    kSynthLfo1BpmSync = 82,
    kSynthLfo1KeySync = 83,
    kSynthLfo1InitPhase = 84,
    kSynthLfo1SyncNote = 85,
    kSynthLfo2Frequency = 88,
    kSynthLfo2BpmSync = 89,
    kSynthLfo2KeySync = 90,
    kSynthLfo2InitPhase = 91,
    kSynthLfo2SyncNote = 92,
};

// Values of OSC 1 Wave that code names.
enum CQ3580Osc1Wave : int32_t
{
    kOsc1WavePcm = 6,
    kOsc1WaveAudioIn = 7,
};

enum CQ3580VocoderRow : uint32_t
{
    kVocoderEfSens = 19,
    kVocoderBandHoldFirst = 53,
    kVocoderBandHoldLast = 68,
};

enum CQ3580MfxRow : uint32_t
{
    kMfxFx1Type = 1,
    kMfxFx2Type = 25,
};

enum CQ3580ArpCommonRow : uint32_t
{
    kArpCommonBpm = 0,
};

enum CQ3580ArpRow : uint32_t
{
    kArpLastStep = 4,
    kArpStep1Sw = 9,
    kArpStep8Sw = 16,
};

// The program parameter table: groups 0-9.
class CQ3580ParameterTable : public CZmParameterTable
{
public:
    uint32_t GetGroupCount() const override { return kPrgGroupCount; }

protected:
    const CZmParameterGroup* GetGroup(uint32_t group) const override;
};

// Rows, in CQ3580ParameterTable_rows.cpp.
extern const CZmParameterGroup kQ3580ProgramGroups[kPrgGroupCount];
