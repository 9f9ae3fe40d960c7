#include "synthdata/CJ5ProgramConverter.h"

#include <cstring>
#include <initializer_list>

namespace
{
const uint32_t kJ5TimbreAt = 48;
const uint32_t kJ5TimbreSize = 228;
const uint32_t kBlockSize = 164; // an intermediate timbre block; bytes 16-179 hold the timbre
const uint32_t kImageTimbreAt = 16;
const uint32_t kImageTimbreSize = 96;
const uint32_t kBpmMin = 20;
const uint32_t kBpmMax = 300;
const uint8_t kWsTypeMax = 11;
const uint8_t kPcmWaveType = 6;

// Sets the bits of mask in target from source.
void Merge(uint8_t& target, uint8_t source, uint8_t mask)
{
    target = static_cast<uint8_t>((target & ~mask) | (source & mask));
}

void Copy(uint8_t* target, const uint8_t* source, uint32_t n)
{
    std::memcpy(target, source, n);
}

// LFO waves (block bytes 82 and 86): a value 3 whose next J5 byte is 0, 1 or 127 becomes 4.
void ConvertLfoWave(uint8_t& target, uint8_t value, uint8_t next)
{
    const uint8_t v = value & 0x0F;
    if (v == 3 && (next == 0 || next == 1 || next == 127))
        target = 4;
    else
        Merge(target, v, 0x0F);
}
} // namespace

void CJ5ProgramConverter::Convert(const uint8_t* j5Image, uint8_t* image)
{
    ClearFlags();
    uint8_t intermediate[kIntermediateSize];
    ToIntermediate(j5Image, intermediate);
    ToImage(intermediate, image);
}

// Block byte b is intermediate byte 164 t + b, J5 byte k of the timbre is J5 image byte
// 48 + 228 t + k.
void CJ5ProgramConverter::ConvertTimbre(const uint8_t* j, uint8_t* b)
{
    Copy(b + 16, j + 28, 4);
    Merge(b[20], (j[8] & 0x80) == 0 ? 0 : static_cast<uint8_t>((j[8] & 15) < 2 ? (j[8] & 15) + 1 : 3), 0x0F);
    b[21] = j[9];
    b[22] = j[10];
    Merge(b[23], static_cast<uint8_t>(((j[32] & 0x80) ? 2 : (j[32] & 0x40) ? 1 : 0) << 6), 0xC0);
    Copy(b + 25, j + 34, 4);
    b[29] = j[11];
    b[30] = j[12];
    const uint8_t wave = j[38] & 15;
    Merge(b[32], static_cast<uint8_t>(wave <= 6 ? wave : (wave == 7 ? 5 : 7)), 0x0F);
    Merge(b[32], j[38], 0x30);
    Copy(b + 33, j + 39, 3);
    Merge(b[37], j[43], 0x33);
    Copy(b + 38, j + 44, 4);
    b[42] = j[48];
    Merge(b[44], j[49], 0x33);
    Copy(b + 45, j + 50, 10);
    b[55] = j[60];
    b[56] = j[61];
    Merge(b[57], j[62], 0x30);
    // A Drive/WS type from byte 63 may exceed the nibble; 15 stands for every value without a
    // counterpart, which the last step replaces.
    const uint32_t ws = (j[62] & 3) <= 1 ? (j[62] & 3) : (j[63] & 15) + 2u;
    Merge(b[58], static_cast<uint8_t>(ws > 15 ? 15 : ws), 0x0F);
    Copy(b + 59, j + 64, 4);
    Copy(b + 64, j + 68, 4);
    b[68] = j[73];
    Copy(b + 70, j + 76, 4);
    b[74] = j[81];
    Copy(b + 76, j + 84, 4);
    b[80] = j[89];
    ConvertLfoWave(b[82], j[92], j[93]);
    b[83] = j[94];
    Merge(b[84], j[95], 0xE0);
    Merge(b[85], j[96], 0x1F);
    ConvertLfoWave(b[86], j[97], j[98]);
    b[87] = j[99];
    Merge(b[88], j[100], 0xE0);
    Merge(b[89], j[101], 0x1F);
    Copy(b + 90, j + 102, 18);
    // Virtual-patch sources: a J5 value above 15 has no entry and becomes source 0.
    for (uint32_t group = 0; group < 6; ++group)
    {
        const uint8_t source = j[102 + 3 * group];
        if (source < 16)
            b[90 + 3 * group] = kPatchList[source];
        else
        {
            b[90 + 3 * group] = 0;
            SetFlag(kFlagAssign);
        }
    }
    Copy(b + 108, j + 120, 52);
    if (j[173] & 0x80)
        b[160] = j[172] & ~0x40;
    else
        b[160] = static_cast<uint8_t>((j[172] & ~0x30) | 0x40);
    Merge(b[161], j[173], 0x3F);
    Copy(b + 162, j + 174, 18);
}

void CJ5ProgramConverter::ToIntermediate(const uint8_t* j, uint8_t* m)
{
    Copy(m, kTemplate, kIntermediateSize);
    Copy(m, j, 8);
    m[8] = j[17];
    Copy(m + 9, j + 12, 4);
    m[13] = j[280];
    m[14] = j[20];
    m[15] = static_cast<uint8_t>((j[21] & 0xF0) | (j[16] & 0x0F));
    for (uint32_t t = 0; t < 2; ++t)
        ConvertTimbre(j + kJ5TimbreAt + kJ5TimbreSize * t, m + kBlockSize * t);

    m[344] = static_cast<uint8_t>((j[960] & 0xF0) | (m[344] & 0x0C) | ((j[960] & 3) != 0 ? 1 : 0));
    Copy(m + 345, j + 961, 7);
    Copy(m + 352, j + 968, 32);
    m[384] = static_cast<uint8_t>((kVocoderHighList[j[1000] >> 4] << 4) | kPatchList[j[1000] & 15]);
    m[385] = j[1005];
    Copy(m + 386, j + 1001, 4);
    Copy(m + 390, j + 1006, 32);

    Copy(m + 422, j + 1038, 24);
    if ((j[1039] & 0x1F) == 0)
        m[423] = kEffectTable[j[1038] & 127];

    // BPM in tenths; one outside this model's range is limited to it.
    uint32_t bpm = static_cast<uint32_t>(j[1060] | (j[1061] << 8)) / 10;
    if (bpm < kBpmMin || bpm > kBpmMax)
    {
        bpm = bpm < kBpmMin ? kBpmMin : kBpmMax;
        SetFlag(kFlagAssign);
    }
    m[444] = static_cast<uint8_t>(bpm);
    m[445] = static_cast<uint8_t>(bpm >> 8);
    m[448] = j[1064];
    m[449] = j[1065];
    const uint8_t gate = j[1070] & 127;
    m[450] = gate > 100 ? 100 : gate;
    m[451] = static_cast<uint8_t>(static_cast<int8_t>(j[1067]) / 2 + 64);
    uint8_t steps = 0;
    for (uint32_t k = 0; k < 8; ++k)
        if (j[1070 + k] > 127)
            steps = static_cast<uint8_t>(steps | (1u << k));
    m[452] = steps;
}

void CJ5ProgramConverter::FinishTimbre(const uint8_t* block, uint8_t* timbre)
{
    Copy(timbre, block + 16, 92);
    for (uint32_t knob = 0; knob < 3; ++knob)
    {
        const uint8_t j5 = timbre[knob];
        const uint8_t value = j5 < kKnobAssignCount ? kKnobAssign[j5] : 0;
        if (value != j5)
            SetFlag(kFlagAssign);
        timbre[knob] = value;
    }
    if ((timbre[16] & 0x0F) == kPcmWaveType)
    {
        const uint8_t pcm = timbre[19];
        if (pcm < kPcmCount)
        {
            timbre[19] = kPcmWave[pcm];
            if (kPcmInexact[pcm])
                SetFlag(kFlagPcm);
        }
        else
        {
            timbre[19] = 0;
            SetFlag(kFlagPcm);
        }
    }
    if ((timbre[28] & 0x30) == 0x30)
    {
        timbre[28] &= 0x03;
        SetFlag(kFlagFilterRouting);
    }
    const uint8_t ws = timbre[42] & 0x0F;
    if (ws == kWsTypeMax)
        SetFlag(kFlagDriveWs);
    else if (ws == kWsTypeMax + 1)
        Merge(timbre[42], kWsTypeMax, 0x0F);
    else if (ws > kWsTypeMax + 1)
    {
        Merge(timbre[42], 0, 0x0F);
        SetFlag(kFlagDriveWs);
    }
    Copy(timbre + 92, block + 156, 4);
}

void CJ5ProgramConverter::ToImage(const uint8_t* m, uint8_t* image)
{
    Copy(image, m, 16);
    std::memset(image + 9, 0, 4);
    for (uint32_t i = 0; i < 8; ++i)
        if (image[i] >= 'a' && image[i] <= 'z')
            image[i] = static_cast<uint8_t>(image[i] - 'a' + 'A');
    for (uint32_t t = 0; t < 2; ++t)
        FinishTimbre(m + kBlockSize * t, image + kImageTimbreAt + kImageTimbreSize * t);

    Copy(image + 208, m + 344, 76);
    Copy(image + 284, m + 420, 2);
    image[208] &= 0xA3;
    image[249] = 0;
    if ((m[344] & 0xC0) == 0xC0)
        SetFlag(kFlagVocoder);

    // Both master effects off: type, Control 1 and Control 2.
    for (uint32_t at : {286u, 310u})
    {
        image[at] = 0;
        image[at + 2] = 0;
        image[at + 3] = 0;
    }

    Copy(image + 334, m + 444, 3);
    Copy(image + 338, m + 448, 8);

    if (GetFlag(kFlagFilterRouting) || GetFlag(kFlagDriveWs) || GetFlag(kFlagVocoder) || GetFlag(kFlagPcm))
    {
        std::memset(image, '*', 8);
        if (GetFlag(kFlagFilterRouting))
            image[0] = 'F';
        if (GetFlag(kFlagDriveWs))
            image[1] = 'W';
        if (GetFlag(kFlagVocoder))
            image[2] = 'V';
        if (GetFlag(kFlagPcm))
            image[3] = 'P';
    }
}
