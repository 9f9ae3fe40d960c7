#include "framework/CEfResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/pixels/CHfcImageException.h"
#include "framework/TestResourceIds.h"
#include "support/TestPng.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
uint32_t PixelAt(CHfcBmp& bmp, int32_t x, int32_t y)
{
    CHfcBmpLock lock(&bmp);
    const uint8_t* p = lock.View().Pixel(x, y);
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

// The pattern the test images were made with: B = 60x, G = 80y, R = 30(x + y),
// A = 255 - 40x - 20y.
uint32_t TestImagePixel(int32_t x, int32_t y)
{
    return static_cast<uint32_t>(x * 60) | static_cast<uint32_t>(y * 80) << 8 |
           static_cast<uint32_t>((x + y) * 30) << 16 | static_cast<uint32_t>(255 - x * 40 - y * 20) << 24;
}

TEST(HfcBmp, PngResourceDecodesIntoArgbPixels)
{
    CHfcBmp bmp;
    ASSERT_TRUE(bmp.LoadPngResource("TestImage", 0, 0));
    ASSERT_EQ(bmp.GetWidth(), 4);
    ASSERT_EQ(bmp.GetHeight(), 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(bmp, x, y), TestImagePixel(x, y)) << x << "," << y;
    // The lock is for reading and writing: a written pixel stays.
    {
        CHfcBmpLock lock(&bmp);
        ASSERT_TRUE(lock.IsLocked());
        EXPECT_GE(bmp.GetStride(), 16);
        std::memset(lock.View().Pixel(1, 1), 0x5A, 4);
    }
    EXPECT_EQ(PixelAt(bmp, 1, 1), 0x5A5A5A5Au);
}

TEST(HfcBmp, MissingOrForeignResourcesThrowAndLeaveTheObjectReleased)
{
    for (const char* name : {"NoSuchImage", "TestNotPng"})
    {
        CHfcBmp bmp;
        ASSERT_TRUE(bmp.LoadPngResource("TestImage"));
        EXPECT_THROW(bmp.LoadPngResource(name), CHfcImageException) << name;
        EXPECT_EQ(bmp.GetWidth(), 0) << name;
        EXPECT_EQ(bmp.GetGpBitmap(), nullptr) << name;
    }
    CHfcBmp bmp;
    std::vector<uint8_t> truncated = EncodeTestPngFromBgra(2, 2, std::vector<uint8_t>(16, 0x40));
    truncated.resize(truncated.size() - 20);
    EXPECT_THROW(bmp.DecodePng(truncated.data(), truncated.size()), CHfcImageException);
    EXPECT_EQ(bmp.GetGpBitmap(), nullptr);
}

TEST(HfcBmp, BitmapResourceIsCopiedTopDownWithOpaqueAlpha)
{
    CHfcBmp bmp;
    ASSERT_TRUE(bmp.LoadBitmapResource(IDB_TEST_BITMAP));
    ASSERT_EQ(bmp.GetWidth(), 3);
    ASSERT_EQ(bmp.GetHeight(), 2);
    // The bitmap's pixel (x, y), counted from the top: B = 10x + 1, G = 20y + 2, R = 30.
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(bmp, x, y), 0xFF1E0000u | static_cast<uint32_t>(20 * y + 2) << 8 |
                                              static_cast<uint32_t>(10 * x + 1))
                << x << "," << y;
    EXPECT_THROW(bmp.LoadBitmapResource(IDB_TEST_BITMAP + 1), CHfcImageException);
}

uint32_t DibPixel(HBITMAP dib, int32_t width, int32_t x, int32_t y)
{
    DIBSECTION section = {};
    EXPECT_EQ(GetObjectA(dib, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, width);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    const auto* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
    const uint8_t* p = bits + (static_cast<size_t>(y) * width + x) * 4;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

TEST(HfcBmp, Win32BitmapIsATopDownCopyMadeOnce)
{
    CHfcBmp bmp;
    ASSERT_TRUE(bmp.LoadPngResource("TestImage"));
    ASSERT_TRUE(bmp.CreateWin32Bitmap());
    const HBITMAP first = bmp.GetWin32Bitmap();
    EXPECT_EQ(DibPixel(first, 4, 3, 2), TestImagePixel(3, 2));
    EXPECT_FALSE(bmp.CreateWin32Bitmap()); // refused; the first stays
    EXPECT_EQ(bmp.GetWin32Bitmap(), first);
    EXPECT_TRUE(bmp.DeleteWin32Bitmap());
    EXPECT_FALSE(bmp.DeleteWin32Bitmap());

    // A part at a negative origin: the copy moves inward, the rest is zero.
    ASSERT_TRUE(bmp.CreateWin32Bitmap(-1, 1, 3, 3));
    const HBITMAP part = bmp.GetWin32Bitmap();
    EXPECT_EQ(DibPixel(part, 3, 0, 0), 0u);
    EXPECT_EQ(DibPixel(part, 3, 1, 0), TestImagePixel(0, 1));
    EXPECT_EQ(DibPixel(part, 3, 2, 1), TestImagePixel(1, 2));
    EXPECT_EQ(DibPixel(part, 3, 2, 2), 0u); // below the bitmap
}

// A registry of the test images, with one name that has no resource.
class TestRegistry : public CEfResourceManager
{
public:
    const void* GetBitmapList(size_t& count, size_t& stride) override
    {
        count = 4;
        stride = sizeof m_names[0];
        return m_names;
    }

private:
    char m_names[4][64] = {"TestImage", "TestImageDim", "TestNotPng", "Missing"};
};

TEST(HfcResourceManager, DecodesEachImageOnceOnFirstUse)
{
    TestRegistry registry;
    ASSERT_EQ(CEfResourceManager::GetInstance(), &registry);
    ASSERT_TRUE(registry.LoadBitmaps());
    EXPECT_EQ(registry.GetBitmapCount(), 4u);

    CHfcBmp* dim = registry.FindBitmap("TestImageDim");
    ASSERT_NE(dim, nullptr);
    EXPECT_EQ(dim->GetWidth(), 2);
    EXPECT_EQ(GetBitmapByIndex(1), dim);
    EXPECT_EQ(GetBitmap("TestImageDim"), dim);

    // A second request keeps the object and does not decode again: a changed pixel stays.
    {
        CHfcBmpLock lock(dim);
        std::memset(lock.View().Pixel(0, 0), 0x11, 4);
    }
    EXPECT_EQ(registry.FindBitmap("TestImageDim"), dim);
    EXPECT_EQ(PixelAt(*dim, 0, 0), 0x11111111u);

    EXPECT_EQ(registry.FindBitmap("Unlisted"), nullptr);
    EXPECT_EQ(GetBitmap("Unlisted"), nullptr);
    EXPECT_EQ(registry.GetBitmap(4), nullptr);
    EXPECT_THROW(registry.FindBitmap("Missing"), CHfcImageException);
    EXPECT_THROW(registry.FindBitmap("TestNotPng"), CHfcImageException);

    registry.UnloadBitmaps();
    EXPECT_EQ(registry.FindBitmap("TestImageDim"), nullptr);
}

TEST(HfcResourceManager, LookUpsWithoutARegistryGiveNull)
{
    ASSERT_EQ(CEfResourceManager::GetInstance(), nullptr);
    EXPECT_EQ(GetBitmap("TestImage"), nullptr);
    EXPECT_EQ(GetBitmapByIndex(0), nullptr);
}
} // namespace
