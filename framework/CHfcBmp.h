#pragma once

#include "framework/pixels/CHfcPixelView.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace Gdiplus
{
class GpBitmap;
}

// A 32-bit ARGB surface (GDI+ bitmap, pixels B, G, R, A in memory, not premultiplied), with
// an optional Win32 DIB section copy for bit blits. Window thread only.
class CHfcBmp
{
public:
    CHfcBmp() = default;
    CHfcBmp(const CHfcBmp&) = delete;
    CHfcBmp& operator=(const CHfcBmp&) = delete;
    virtual ~CHfcBmp();

    // Releases what the object holds and makes a transparent width x height surface.
    virtual bool Create(int32_t width, int32_t height);
    // A standard bitmap resource, copied with alpha 255. Throws CHfcImageException.
    virtual bool LoadBitmapResource(uint32_t id);
    virtual bool ReloadBitmapResource(uint32_t id);
    // A resource of type "PNG" of the program's module. Throws CHfcImageException when it is
    // missing, cannot be loaded, is no PNG or does not decode; the object is then released.
    virtual bool LoadPngResource(const char* name, int32_t = 0, int32_t = 0);
    virtual bool LoadPngResourceById(uint32_t id);
    // Decodes PNG bytes into a new surface. Throws CHfcImageException (the object released).
    virtual bool DecodePng(const uint8_t* data, size_t size);
    // Reads a PNG file, into the buffer when it is large enough, and decodes it; false when
    // the file cannot be read, CHfcImageException when it does not decode.
    virtual bool LoadFromFile(const wchar_t* path, uint8_t* buffer, size_t bufferSize);
    virtual void Release();

    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    Gdiplus::GpBitmap* GetGpBitmap() const { return m_bitmap; }

    // Locks the pixels for reading and writing; nested locks only count. Null on failure
    // (the GDI+ status is kept).
    uint8_t* LockBits();
    void UnlockBits();
    int32_t GetStride() const;
    // The locked pixels; an invalid view while not locked.
    CHfcPixelView GetLockedPixels() const;
    int GetLastStatus() const { return m_lastStatus; }

    // A top-down 32-bit DIB section copy of the whole surface, kept by the object; refused
    // while one exists.
    bool CreateWin32Bitmap();
    // The same for the width x height part at (x, y), zero-filled where the surface does not
    // reach.
    bool CreateWin32Bitmap(int32_t x, int32_t y, int32_t width, int32_t height);
    bool DeleteWin32Bitmap();
    HBITMAP GetWin32Bitmap() const { return m_hWin32Bitmap; }
    // A DIB section copy of a part, owned by the caller (DeleteObject); null on failure.
    HBITMAP CopyToDibSection(int32_t x, int32_t y, int32_t width, int32_t height);

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_lockCount = 0;
    Gdiplus::GpBitmap* m_bitmap = nullptr;
    // The locked-bits record while locked.
    struct LockedBits
    {
        uint32_t width, height;
        int32_t stride;
        int32_t pixelFormat;
        void* scan0;
        uintptr_t reserved;
    } m_locked = {};
    HBITMAP m_hWin32Bitmap = nullptr;
    int m_lastStatus = 0;
};

// Keeps a bitmap locked for its lifetime.
class CHfcBmpLock
{
public:
    explicit CHfcBmpLock(CHfcBmp* bmp) : m_bmp(bmp), m_bits(bmp ? bmp->LockBits() : nullptr) {}
    ~CHfcBmpLock()
    {
        if (m_bits)
            m_bmp->UnlockBits();
    }
    CHfcBmpLock(const CHfcBmpLock&) = delete;
    CHfcBmpLock& operator=(const CHfcBmpLock&) = delete;

    bool IsLocked() const { return m_bits != nullptr; }
    CHfcPixelView View() const { return m_bits ? m_bmp->GetLockedPixels() : CHfcPixelView(); }

private:
    CHfcBmp* m_bmp;
    uint8_t* m_bits;
};
