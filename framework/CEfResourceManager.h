#pragma once

#include "foundation/win32/CEfSemaphore.h"
#include "framework/CHfcBmp.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The registry of named skin bitmaps: one CHfcBmp per entry of the list the derived class
// supplies, decoded from its PNG resource on first use and kept until UnloadBitmaps. The
// first registry constructed is the process-wide one. Window thread only.
class CEfResourceManager
{
public:
    // Starts GDI+.
    CEfResourceManager();
    CEfResourceManager(const CEfResourceManager&) = delete;
    CEfResourceManager& operator=(const CEfResourceManager&) = delete;
    virtual ~CEfResourceManager();

    // The packed list of entries: each begins with the image's NUL-terminated resource name;
    // count is the number of entries, stride the distance in bytes between them.
    virtual const void* GetBitmapList(size_t& count, size_t& stride) = 0;

    // Enters every name of the list; decodes nothing.
    bool LoadBitmaps();
    // The bitmap of an entry, decoded on its first request; null for an index outside the
    // list. Throws CHfcImageException when the image cannot be decoded.
    CHfcBmp* GetBitmap(size_t index);
    // The bitmap of a name, or null when the name is not in the list.
    CHfcBmp* FindBitmap(const char* name);
    void UnloadBitmaps();
    size_t GetBitmapCount() const { return m_bitmaps.size(); }
    // "ResourceManager" (count 1), for callers that share the registry's state; the look-ups
    // here do not take it.
    CEfSemaphore& GetSemaphore() { return m_semaphore; }

    static CEfResourceManager* GetInstance();

private:
    const uint8_t* m_list = nullptr;
    size_t m_stride = 0;
    std::vector<uint8_t> m_decoded;
    std::vector<std::unique_ptr<CHfcBmp>> m_bitmaps;
    CEfSemaphore m_semaphore{1, CHfcSemaphore::kMaximumCount, "ResourceManager"};
    std::map<std::string, size_t> m_index;
};

// Look-ups through the process-wide registry; null (traced) when there is none or no such
// name.
CHfcBmp* GetBitmap(const char* name);
CHfcBmp* GetBitmapByIndex(size_t index);
