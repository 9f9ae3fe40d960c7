#pragma once

#include "foundation/win32/CEfSemaphore.h"
#include "framework/CHfcBmp.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// What the bitmap-font registry knows of a font: its cells (one per character code, stacked
// vertically) and where each glyph lies in the bitmap.
struct CHfcBmpFontInfo
{
    int32_t cellWidth;
    int32_t cellHeight;
    int32_t glyphCount;
    struct Glyph
    {
        int32_t sourceY;
        int16_t left;
        int16_t width;
    } glyphs[128];
};
static_assert(sizeof(CHfcBmpFontInfo) == 1036, "the font record keeps its size");

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

    // The cells of an entry that is a bitmap font; false for any other entry.
    virtual bool GetBmpFontCell(size_t index, int32_t& cellWidth, int32_t& cellHeight);
    // Reports an image that does not decode; called once per entry, at its first failure.
    // Traces by default.
    virtual void OnBitmapFailed(const char* name);

    // Enters every name of the list; decodes nothing. False when there is no list.
    bool LoadBitmaps();
    // The bitmap of an entry, decoded on its first request; null for an index outside the
    // list. Throws CHfcImageException when the image cannot be decoded (each request tries
    // again).
    CHfcBmp* GetBitmap(size_t index);
    // The bitmap of a name, or null when the name is not in the list.
    CHfcBmp* FindBitmap(const char* name);
    bool HasBitmap(const char* name) const { return name && m_index.count(name) != 0; }
    // As GetBitmap, for drawing: an image that does not decode is reported once
    // (OnBitmapFailed) and gives null from then on, so painting goes on without it.
    CHfcBmp* GetBitmapForDrawing(size_t index);
    CHfcBmp* FindBitmapForDrawing(const char* name);
    // The font record of a name; null when the name is no font of the list.
    const CHfcBmpFontInfo* FindBmpFontInfo(const char* name);
    void UnloadBitmaps();
    size_t GetBitmapCount() const { return m_bitmaps.size(); }
    // "ResourceManager" (count 1), for callers that share the registry's state; the look-ups
    // here do not take it.
    CEfSemaphore& GetSemaphore() { return m_semaphore; }

    static CEfResourceManager* GetInstance();

private:
    enum : uint8_t
    {
        kNotDecoded,
        kDecoded,
        kFailed,
    };
    const char* NameOf(size_t index) const
    {
        return reinterpret_cast<const char*>(m_list + index * m_stride);
    }

    const uint8_t* m_list = nullptr;
    size_t m_stride = 0;
    // One state an entry: not decoded yet, decoded, or failed to decode.
    std::vector<uint8_t> m_decoded;
    std::vector<std::unique_ptr<CHfcBmp>> m_bitmaps;
    CEfSemaphore m_semaphore{1, CHfcSemaphore::kMaximumCount, "ResourceManager"};
    std::map<std::string, size_t> m_index;
    // The font records made so far, by entry.
    std::map<size_t, CHfcBmpFontInfo> m_fonts;
};

// Look-ups through the process-wide registry, for drawing: null when there is none or no such
// name (both traced "Failed to get bitmap (name)"), or for an image that does not decode
// (reported once by the registry). They never throw.
CHfcBmp* GetBitmap(const char* name);
CHfcBmp* GetBitmapByIndex(size_t index);
// The record of a bitmap font; null, traced "Failed to get bmp font info (name)", when there
// is no registry or no such font.
const CHfcBmpFontInfo* GetBmpFontInfo(const char* name);
