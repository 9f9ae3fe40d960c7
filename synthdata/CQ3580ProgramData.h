#pragma once

#include "synthdata/CZmProgramData.h"

enum : uint32_t
{
    kQ3580ProgramImageSize = 346,
    kQ3580ProgramNameLength = 8,
    kQ3580OscCtrlSlots = 15,
    kQ3580TimbreCount = 2,
};

// Remembered OSC 1 Ctrl 1/2 stored bytes per (wave, mod) slot, and the OSC 1 Mod
// remembered while a wave without modulation types is chosen; one set per timbre.
struct CQ3580OscCtrlMemory
{
    int32_t slots[kQ3580TimbreCount][kQ3580OscCtrlSlots];
    int32_t mod[kQ3580TimbreCount];
};

// The program image of the instrument. The operations here reach the image through
// GetImage, so on a CProgram they act on its program block.
class CQ3580ProgramData : public CZmProgramData
{
public:
    static constexpr char kChunkTag[] = "3580PrgD";
    static constexpr uint32_t kChunkSize = 528;

    CQ3580ProgramData();

    void Clear() override;
    // "3580PrgD": image, 22 bytes 0xFF, MD5 of the image, programmer name (24), comment (64),
    // priority (1 byte, 0-5), 23 bytes 0xFF.
    void ReadChunk(CHfcInputStream& stream) override;
    void WriteChunk(CHfcOutputStream& stream) const override;
    // The 346 bytes of the image; a read also resets the OSC 1 control memory and computes the
    // digest.
    void ReadImage(CHfcInputStream& stream) override;
    void WriteImage(CHfcOutputStream& stream) const override;
    const char* GetChunkTag() const override { return kChunkTag; }
    uint32_t GetChunkSize() const override { return kChunkSize; }
    uint8_t* GetImage() override { return m_image; }
    const uint8_t* GetImage() const override { return m_image; }
    uint32_t GetImageSize() const override { return kQ3580ProgramImageSize; }
    void CopyFrom(const CZmProgramData& other) override;
    // The image's name bytes without trailing blanks and NULs.
    const char* GetName() const override;

    // Slots 9, 11 and 13 (the zero points of the signed controls) hold 64, the others 0; the
    // remembered OSC 1 Mod of each timbre is its current one.
    void ResetOscCtrlMemory();
    CQ3580OscCtrlMemory& GetOscCtrlMemory() { return m_oscMemory; }
    const CQ3580OscCtrlMemory& GetOscCtrlMemory() const { return m_oscMemory; }

    // The initial program "INITPROG".
    static const uint8_t* GetInitImage();

protected:
    uint8_t m_image[kQ3580ProgramImageSize];
    mutable char m_name[kQ3580ProgramNameLength + 1];
    CQ3580OscCtrlMemory m_oscMemory;
};
