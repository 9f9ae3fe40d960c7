#pragma once

#include "synthdata/CZmGlobalData.h"

enum : uint32_t
{
    kQ3580GlobalImageSize = 100,
};

// The 100-byte global image; a new object holds the default image.
class CQ3580GlobalData : public CZmGlobalData
{
public:
    static constexpr char kChunkTag[] = "3580GlbD";
    static constexpr uint32_t kChunkSize = 176;

    CQ3580GlobalData();

    // The default image.
    void Clear() override;
    // "3580GlbD": image, 28 bytes 0xFF, MD5 of the image.
    void ReadChunk(CHfcInputStream& stream) override;
    void WriteChunk(CHfcOutputStream& stream) const override;
    const char* GetChunkTag() const override { return kChunkTag; }
    uint32_t GetChunkSize() const override { return kChunkSize; }
    uint8_t* GetImage() override { return m_image; }
    const uint8_t* GetImage() const override { return m_image; }
    uint32_t GetImageSize() const override { return kQ3580GlobalImageSize; }

    static const uint8_t* GetDefaultImage();

private:
    uint8_t m_image[kQ3580GlobalImageSize];
};
