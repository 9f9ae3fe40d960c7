#include "framework/CHfcBmp.h"

#include "foundation/EfUtility.h"
#include "framework/CHfcAppBase.h"
#include "framework/pixels/CHfcImageException.h"
#include "framework/pixels/HfcPixels.h"
#include "framework/pixels/HfcPngDecode.h"

#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace Gdiplus;

namespace
{
// The surface the PNG decoder writes: the bitmap, created at the image's size and locked
// until the decode ends.
class BmpPngTarget : public CHfcPngTarget
{
public:
    explicit BmpPngTarget(CHfcBmp* bmp) : m_bmp(bmp) {}
    ~BmpPngTarget() override
    {
        if (m_locked)
            m_bmp->UnlockBits();
    }
    CHfcPixelView AllocatePixels(int32_t width, int32_t height) override
    {
        if (!m_bmp->Create(width, height) || !m_bmp->LockBits())
            return {};
        m_locked = true;
        return m_bmp->GetLockedPixels();
    }

private:
    CHfcBmp* m_bmp;
    bool m_locked = false;
};

// The header of top-down 32-bit rows without a palette.
BITMAPINFO TopDownInfo(int32_t width, int32_t height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP CreateTopDownDib(int32_t width, int32_t height, void** bits)
{
    const BITMAPINFO info = TopDownInfo(width, height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    DeleteDC(memory);
    return dib;
}
} // namespace

CHfcBmp::~CHfcBmp()
{
    Release();
}

bool CHfcBmp::Create(int32_t width, int32_t height)
{
    static_assert(sizeof(m_locked) == sizeof(BitmapData), "the locked-bits record is GDI+'s BitmapData");
    Release();
    if (width <= 0 || height <= 0)
        return false;
    GpBitmap* bitmap = nullptr;
    m_lastStatus =
        DllExports::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    if (m_lastStatus != Ok || !bitmap)
        return false;
    m_bitmap = bitmap;
    m_width = width;
    m_height = height;
    return true;
}

void CHfcBmp::Release()
{
    if (m_hWin32Bitmap)
        DeleteWin32Bitmap();
    if (m_bitmap)
    {
        if (m_lockCount > 0)
            DllExports::GdipBitmapUnlockBits(m_bitmap, reinterpret_cast<BitmapData*>(&m_locked));
        DllExports::GdipDisposeImage(m_bitmap);
        m_bitmap = nullptr;
    }
    m_locked = {};
    m_width = 0;
    m_height = 0;
    m_lockCount = 0;
}

uint8_t* CHfcBmp::LockBits()
{
    if (!m_bitmap)
        return nullptr;
    if (m_lockCount == 0)
    {
        const GpRect whole(0, 0, m_width, m_height);
        m_lastStatus =
            DllExports::GdipBitmapLockBits(m_bitmap, &whole, ImageLockModeRead | ImageLockModeWrite,
                                           PixelFormat32bppARGB, reinterpret_cast<BitmapData*>(&m_locked));
        if (m_lastStatus != Ok)
        {
            m_locked = {};
            return nullptr;
        }
    }
    ++m_lockCount;
    return static_cast<uint8_t*>(m_locked.scan0);
}

void CHfcBmp::UnlockBits()
{
    if (m_lockCount <= 0 || !m_bitmap)
        return;
    if (--m_lockCount == 0)
    {
        DllExports::GdipBitmapUnlockBits(m_bitmap, reinterpret_cast<BitmapData*>(&m_locked));
        m_locked = {};
    }
}

int32_t CHfcBmp::GetStride() const
{
    return m_locked.stride;
}

CHfcPixelView CHfcBmp::GetLockedPixels() const
{
    if (m_lockCount <= 0)
        return {};
    return {static_cast<uint8_t*>(m_locked.scan0), m_width, m_height, m_locked.stride};
}

bool CHfcBmp::DecodePng(const uint8_t* data, size_t size)
{
    try
    {
        BmpPngTarget target(this);
        DecodePngToBgra(data, size, target);
    }
    catch (const CHfcImageException&)
    {
        Release();
        throw;
    }
    return true;
}

bool CHfcBmp::LoadPngResource(const char* name, int32_t, int32_t)
{
    Release();
    const HMODULE module = CHfcAppBase::GetInstanceHandle();
    HRSRC resource = FindResourceA(module, name, "PNG");
    if (!resource)
        throw CHfcImageException();
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, resource);
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!bytes || size < sizeof kSignature || std::memcmp(bytes, kSignature, sizeof kSignature) != 0)
        throw CHfcImageException();
    return DecodePng(static_cast<const uint8_t*>(bytes), size);
}

bool CHfcBmp::LoadPngResourceById(uint32_t id)
{
    return LoadPngResource(MAKEINTRESOURCEA(id));
}

bool CHfcBmp::LoadBitmapResource(uint32_t id)
{
    Release();
    HBITMAP source = static_cast<HBITMAP>(LoadImageA(CHfcAppBase::GetInstanceHandle(), MAKEINTRESOURCEA(id),
                                                     IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!source)
        throw CHfcImageException();
    BITMAP header = {};
    GetObjectA(source, sizeof header, &header);
    bool copied = false;
    if (Create(header.bmWidth, header.bmHeight))
    {
        CHfcBmpLock lock(this);
        const CHfcPixelView pixels = lock.View();
        if (pixels.IsValid())
        {
            // Top-down 32-bit rows from whatever depth the resource has.
            BITMAPINFO info = TopDownInfo(m_width, m_height);
            std::vector<uint8_t> rows(static_cast<size_t>(m_width) * m_height * 4);
            HDC screen = GetDC(nullptr);
            copied = GetDIBits(screen, source, 0, m_height, rows.data(), &info, DIB_RGB_COLORS) == m_height;
            ReleaseDC(nullptr, screen);
            for (int32_t y = 0; copied && y < m_height; ++y)
            {
                uint8_t* row = pixels.Row(y);
                std::memcpy(row, &rows[static_cast<size_t>(y) * m_width * 4],
                            static_cast<size_t>(m_width) * 4);
                for (int32_t x = 0; x < m_width; ++x)
                    row[x * 4 + 3] = 255;
            }
        }
    }
    DeleteObject(source);
    if (!copied)
    {
        Release();
        throw CHfcImageException();
    }
    return true;
}

bool CHfcBmp::ReloadBitmapResource(uint32_t id)
{
    Release();
    return LoadBitmapResource(id);
}

bool CHfcBmp::LoadFromFile(const wchar_t* path, uint8_t* buffer, size_t bufferSize)
{
    FILE* file = path ? _wfopen(path, L"rb") : nullptr;
    if (!file)
        return false;
    std::vector<uint8_t> own;
    bool read = fseek(file, 0, SEEK_END) == 0;
    const long length = read ? ftell(file) : -1;
    read = length >= 0 && fseek(file, 0, SEEK_SET) == 0;
    uint8_t* bytes = buffer;
    if (read && (!buffer || bufferSize < static_cast<size_t>(length)))
    {
        own.resize(static_cast<size_t>(length));
        bytes = own.data();
    }
    read = read && fread(bytes, 1, static_cast<size_t>(length), file) == static_cast<size_t>(length);
    fclose(file);
    if (!read)
        return false;
    return DecodePng(bytes, static_cast<size_t>(length));
}

HBITMAP CHfcBmp::CopyToDibSection(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    CHfcBmpLock lock(this);
    const CHfcPixelView pixels = lock.View();
    if (!pixels.IsValid())
        return nullptr;
    void* bits = nullptr;
    HBITMAP dib = CreateTopDownDib(width, height, &bits);
    if (!dib)
        return nullptr;
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    CHfcBlitRegion region{0, 0, width, height, x, y};
    if (ClipBlitRegion(width, height, m_width, m_height, region))
    {
        auto* dest = static_cast<uint8_t*>(bits);
        for (int32_t row = 0; row < region.height; ++row)
            std::memcpy(dest + (static_cast<size_t>(region.y + row) * width + region.x) * 4,
                        pixels.Pixel(region.sourceX, region.sourceY + row),
                        static_cast<size_t>(region.width) * 4);
    }
    return dib;
}

bool CHfcBmp::CreateWin32Bitmap()
{
    return CreateWin32Bitmap(0, 0, m_width, m_height);
}

bool CHfcBmp::CreateWin32Bitmap(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (m_hWin32Bitmap)
    {
        DebugTrace("CHfcBmp::CreateWin32Bitmap() - %s", "m_hWin32Bitmap is already created.");
        return false;
    }
    m_hWin32Bitmap = CopyToDibSection(x, y, width, height);
    return m_hWin32Bitmap != nullptr;
}

bool CHfcBmp::DeleteWin32Bitmap()
{
    if (!m_hWin32Bitmap)
    {
        DebugTrace("CHfcBmp::DeleteWin32Bitmap() - %s", "m_hWin32Bitmap is invalid.");
        return false;
    }
    if (!DeleteObject(m_hWin32Bitmap))
    {
        DebugTrace("CHfcBmp::DeleteWin32Bitmap() - %s", "Failed to call DeleteObject().");
        return false;
    }
    m_hWin32Bitmap = nullptr;
    return true;
}
