#pragma once

#include <cstdint>

// Turns a program of the sibling model J5 into this model's program image: first into an
// intermediate 456-byte program that starts as the J5 template, then into the image. Values
// with no counterpart are replaced by safe ones and noted in the conversion flags.
class CJ5ProgramConverter
{
public:
    enum : uint32_t
    {
        kJ5ImageSize = 1820,
        kIntermediateSize = 456,
        kKnobAssignCount = 49,
        kPcmCount = 64,
    };

    // The conversion flags. Any of 0, 1, 3 and 4 marks the program's name.
    enum Flag : uint32_t
    {
        kFlagFilterRouting = 0, // a Filter Routing that this model lacks ('F')
        kFlagDriveWs = 1,       // a Drive/WS Type without a counterpart ('W')
        kFlagAssign = 2,        // a knob assign, patch source or BPM that was changed
        kFlagVocoder = 3,       // vocoder settings this model lacks ('V')
        kFlagPcm = 4,           // a PCM wave without an exact counterpart ('P')
        kFlagCount = 5,
    };

    // Converts the J5 image into image; bytes the conversion does not set keep their values.
    void Convert(const uint8_t* j5Image, uint8_t* image);
    // The first step alone: the intermediate program of a J5 image.
    void ToIntermediate(const uint8_t* j5Image, uint8_t* intermediate);
    // The last step alone: the image of an intermediate program.
    void ToImage(const uint8_t* intermediate, uint8_t* image);

    bool GetFlag(Flag flag) const { return (m_flags >> flag) & 1u; }
    void ClearFlags() { m_flags = 0; }

    static const uint8_t kTemplate[kIntermediateSize];
    static const uint8_t kEffectTable[128];
    static const uint8_t kPatchList[16];
    static const uint8_t kVocoderHighList[16];
    static const uint8_t kKnobAssign[kKnobAssignCount];
    static const uint8_t kPcmWave[kPcmCount];
    static const uint8_t kPcmInexact[kPcmCount];

private:
    void SetFlag(Flag flag) { m_flags |= 1u << flag; }
    void ConvertTimbre(const uint8_t* j5Timbre, uint8_t* block);
    void FinishTimbre(const uint8_t* block, uint8_t* timbre);

    uint32_t m_flags = 0;
};
