#pragma once

#include <cstdint>

// Names the skin bitmaps that the bitmap registry loads from the resources.
class CResourceManager
{
public:
    enum : int32_t
    {
        kBitmapCount = 75,
        kNameStride = 64, // bytes per name cell
    };

    // The name list: kBitmapCount cells of kNameStride bytes, each a terminated name.
    static const char* GetBitmapNameList(int32_t* count, int32_t* stride);
    // The name of bitmap i; null outside the list.
    static const char* GetBitmapName(int32_t i);
};
