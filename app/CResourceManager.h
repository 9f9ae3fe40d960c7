#pragma once

#include "framework/CEfResourceManagerSingleton.h"

#include <cstddef>
#include <cstdint>

// The application's bitmap registry: the names of the skin bitmaps, shared by reference count
// (getInstance, releaseInstance). The application takes one reference at start-up and gives
// it back at exit. Window thread only.
class CResourceManager : public CEfResourceManagerSingleton<CResourceManager>
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

    const void* GetBitmapList(size_t& count, size_t& stride) override;
    // The LCD fonts' cells, from the skin geometry.
    bool GetBmpFontCell(size_t index, int32_t& cellWidth, int32_t& cellHeight) override;
    // A skin bitmap that does not decode goes to the status log, and is traced.
    void OnBitmapFailed(const char* name) override;

private:
    friend class CEfResourceManagerSingleton<CResourceManager>;
    CResourceManager() = default;
};
