#include "foundation/EfUtility.h"
#include "framework/CEfResourceManager.h"
#include "framework/CEfResourceManagerSingleton.h"
#include "framework/CHfcBmp.h"
#include "framework/CHfcOffscreenContext.h"
#include "framework/pixels/CHfcImageException.h"
#include "framework/TestResourceIds.h"
#include "support/TestPng.h"
#include "support/TraceRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
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

// The test registry, counting the reports of images that do not decode.
class ReportingRegistry : public TestRegistry
{
public:
    void OnBitmapFailed(const char* name) override
    {
        CEfResourceManager::OnBitmapFailed(name);
        failed.push_back(name);
    }
    std::vector<std::string> failed;
};

TEST(HfcResourceManager, AnImageThatDoesNotDecodeIsReportedOnceAndPaintingGoesOnWithoutIt)
{
    TraceRecorder trace;
    ReportingRegistry registry;
    ASSERT_TRUE(registry.LoadBitmaps());
    for (int round = 0; round < 3; ++round)
    {
        EXPECT_EQ(GetBitmap("TestNotPng"), nullptr);
        EXPECT_EQ(GetBitmapByIndex(3), nullptr); // "Missing"
    }
    EXPECT_EQ(registry.failed, (std::vector<std::string>{"TestNotPng", "Missing"}));
    EXPECT_EQ(std::count(TraceRecorder::Lines().begin(), TraceRecorder::Lines().end(),
                         "Failed to decode bitmap (TestNotPng)"),
              1);
    // The others still decode.
    CHfcBmp* good = GetBitmap("TestImage");
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->GetWidth(), 4);
    // Drawing with what the look-up gave leaves the surface as it was.
    CHfcOffscreenContext context(4, 4);
    context.DrawBitmap(0, 0, 4, 4, GetBitmap("TestNotPng"), 0, 0);
    context.DrawBitmapText(0, 0, "ab", 2, GetBitmap("Missing"), 0, 0);
    {
        CHfcBmpLock lock(context.GetBitmap());
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x)
                EXPECT_EQ(*reinterpret_cast<const uint32_t*>(lock.View().Pixel(x, y)), 0u);
    }
    // The registry's own look-up still throws, and the failure is not reported again.
    EXPECT_THROW(registry.FindBitmap("TestNotPng"), CHfcImageException);
    EXPECT_EQ(registry.failed.size(), 2u);
}

TEST(HfcResourceManager, AnUnknownNameGivesNullWithTheTrace)
{
    TraceRecorder trace;
    TestRegistry registry;
    ASSERT_TRUE(registry.LoadBitmaps());
    EXPECT_EQ(GetBitmap("Unlisted"), nullptr);
    EXPECT_EQ(GetBitmap(nullptr), nullptr);
    EXPECT_EQ(GetBmpFontInfo("TestImage"), nullptr); // listed, but no font
    EXPECT_EQ(TraceRecorder::Lines(),
              (std::vector<std::string>{"Failed to get bitmap (Unlisted)", "Failed to get bitmap ()",
                                        "Failed to get bmp font info (TestImage)"}));
}

// A shared registry over the test images; "TestImageDim" is a font of 2 x 1 cells.
class SharedRegistry : public CEfResourceManagerSingleton<SharedRegistry>
{
public:
    const void* GetBitmapList(size_t& count, size_t& stride) override
    {
        count = 2;
        stride = sizeof m_names[0];
        return s_withoutList ? nullptr : m_names;
    }
    bool GetBmpFontCell(size_t index, int32_t& cellWidth, int32_t& cellHeight) override
    {
        if (index != 1)
            return false;
        cellWidth = 2;
        cellHeight = 1;
        return true;
    }
    static inline bool s_withoutList = false;

private:
    friend class CEfResourceManagerSingleton<SharedRegistry>;
    SharedRegistry() = default;
    char m_names[2][64] = {"TestImage", "TestImageDim"};
};

TEST(HfcResourceManager, TheSharedRegistryLivesUntilItsLastReferenceIsGivenBack)
{
    ASSERT_EQ(SharedRegistry::peekInstance(), nullptr);
    SharedRegistry* first = SharedRegistry::getInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SharedRegistry::getInstance(), first);
    EXPECT_EQ(SharedRegistry::GetReferenceCount(), 2);
    EXPECT_EQ(CEfResourceManager::GetInstance(), first);
    CHfcBmp* image = GetBitmap("TestImage");
    ASSERT_NE(image, nullptr);
    {
        CHfcBmpLock lock(image);
        std::memset(lock.View().Pixel(0, 0), 0x22, 4);
    }

    // Two takes, one release: the bitmaps stay, decoded as they were.
    SharedRegistry::releaseInstance();
    EXPECT_EQ(SharedRegistry::peekInstance(), first);
    EXPECT_EQ(GetBitmap("TestImage"), image);
    EXPECT_EQ(PixelAt(*image, 0, 0), 0x22222222u);

    const CHfcBmpFontInfo* font = GetBmpFontInfo("TestImageDim");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->cellWidth, 2);
    EXPECT_EQ(font->cellHeight, 1);
    EXPECT_EQ(font->glyphCount, 128);
    EXPECT_EQ(font->glyphs[65].sourceY, 65);
    EXPECT_EQ(font->glyphs[65].width, 2);
    EXPECT_EQ(GetBmpFontInfo("TestImageDim"), font);

    // The last release unloads them.
    SharedRegistry::releaseInstance();
    EXPECT_EQ(SharedRegistry::peekInstance(), nullptr);
    EXPECT_EQ(CEfResourceManager::GetInstance(), nullptr);
    EXPECT_EQ(GetBitmap("TestImage"), nullptr);
    SharedRegistry::releaseInstance(); // nothing left to give back
    EXPECT_EQ(SharedRegistry::GetReferenceCount(), 0);

    // A registry whose list cannot be loaded is not kept.
    SharedRegistry::s_withoutList = true;
    EXPECT_EQ(SharedRegistry::getInstance(), nullptr);
    EXPECT_EQ(SharedRegistry::peekInstance(), nullptr);
    EXPECT_EQ(CEfResourceManager::GetInstance(), nullptr);
    SharedRegistry::s_withoutList = false;
}
} // namespace
