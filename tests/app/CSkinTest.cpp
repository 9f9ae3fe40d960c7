// The skin as the program carries it: every bitmap decoded from the program's own resources.

#include "app/CResourceManager.h"
#include "framework/CHfcBmp.h"
#include "framework/pixels/HfcPixels.h"
#include "resources/SkinGeometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#ifndef NV_SKIN_DIR
#define NV_SKIN_DIR "skin"
#endif

namespace
{
// Holds one reference to the application's registry.
class SkinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_manager = CResourceManager::getInstance();
        ASSERT_NE(m_manager, nullptr);
    }
    void TearDown() override
    {
        if (m_manager)
            CResourceManager::releaseInstance();
    }
    CHfcBmp* Bitmap(const char* name)
    {
        CHfcBmp* bitmap = nullptr;
        EXPECT_NO_THROW(bitmap = m_manager->FindBitmap(name)) << name;
        return bitmap;
    }

    CResourceManager* m_manager = nullptr;
};

uint32_t PixelAt(const CHfcPixelView& view, int32_t x, int32_t y)
{
    uint32_t p;
    std::memcpy(&p, view.Pixel(x, y), 4);
    return p;
}

bool EndsWithDim(const std::string& name)
{
    return name.size() > 3 && name.compare(name.size() - 3, 3, "Dim") == 0;
}

TEST_F(SkinTest, EveryBitmapDecodesAtItsSizeAndIsTheGeneratorsOutput)
{
    ASSERT_EQ(kNvSkinBitmapCount, CResourceManager::kBitmapCount);
    for (int32_t i = 0; i < CResourceManager::kBitmapCount; ++i)
    {
        const char* name = CResourceManager::GetBitmapName(i);
        const NvSkinBitmap& geometry = kNvSkinBitmaps[i];
        ASSERT_STREQ(geometry.name, name) << "the geometry follows the name table";
        CHfcBmp* bitmap = Bitmap(name);
        ASSERT_NE(bitmap, nullptr) << name;
        EXPECT_EQ(bitmap->GetWidth(), geometry.width) << name;
        // A strip is its frames stacked: frame height x frame count; a font 128 cells.
        EXPECT_EQ(bitmap->GetHeight(), geometry.frameHeight * geometry.frameCount) << name;
        if (geometry.kind == NvSkinKind::Font)
        {
            EXPECT_EQ(bitmap->GetHeight(), 128 * geometry.frameHeight) << name;
        }
        if (geometry.kind == NvSkinKind::Background)
        {
            EXPECT_EQ(geometry.frameCount, 1) << name;
        }

        // The same pixels as the PNG file the generator wrote in this build.
        const std::string path = std::string(NV_SKIN_DIR) + "/" + name + ".png";
        const std::wstring widePath(path.begin(), path.end());
        CHfcBmp file;
        ASSERT_TRUE(file.LoadFromFile(widePath.c_str(), nullptr, 0)) << path;
        ASSERT_EQ(file.GetWidth(), bitmap->GetWidth()) << name;
        ASSERT_EQ(file.GetHeight(), bitmap->GetHeight()) << name;
        CHfcBmpLock a(bitmap), b(&file);
        int32_t different = 0;
        for (int32_t y = 0; y < file.GetHeight(); ++y)
            different +=
                std::memcmp(a.View().Pixel(0, y), b.View().Pixel(0, y), size_t(file.GetWidth()) * 4) != 0;
        EXPECT_EQ(different, 0) << name << ": rows that differ from the generator's file";
    }
}

TEST_F(SkinTest, EveryDimTwinHasItsPairsSizeAndLooksDifferent)
{
    int twins = 0;
    for (const NvSkinBitmap& dim : kNvSkinBitmaps)
    {
        const std::string name = dim.name;
        if (!EndsWithDim(name))
            continue;
        ++twins;
        const std::string pairName = name.substr(0, name.size() - 3);
        const NvSkinBitmap* pair = FindSkinBitmap(pairName.c_str());
        ASSERT_NE(pair, nullptr) << name;
        EXPECT_EQ(pair->kind, dim.kind) << name;
        CHfcBmp* a = Bitmap(dim.name);
        CHfcBmp* b = Bitmap(pair->name);
        ASSERT_TRUE(a && b) << name;
        ASSERT_EQ(a->GetWidth(), b->GetWidth()) << name;
        ASSERT_EQ(a->GetHeight(), b->GetHeight()) << name;
        // Of the pixels that either shows, a good part must differ, not a stray few.
        CHfcBmpLock la(a), lb(b);
        int64_t shown = 0, different = 0;
        for (int32_t y = 0; y < a->GetHeight(); ++y)
            for (int32_t x = 0; x < a->GetWidth(); ++x)
            {
                const uint32_t pa = PixelAt(la.View(), x, y), pb = PixelAt(lb.View(), x, y);
                if ((pa | pb) >> 24 == 0)
                    continue;
                ++shown;
                int delta = 0;
                for (int c = 0; c < 24; c += 8)
                    delta += std::abs(int(pa >> c & 0xFF) - int(pb >> c & 0xFF));
                different += delta >= 24;
            }
        EXPECT_GT(shown, 0) << name;
        EXPECT_GE(different * 5, shown) << name << ": " << different << " of " << shown << " pixels differ";
    }
    EXPECT_EQ(twins, 21);
}

TEST_F(SkinTest, FontsHoldABlankGlyphACaretAndTheFallbackBox)
{
    ASSERT_EQ(int(NvSkinGlyph::kFallback), kBitmapFontFallbackGlyph);
    for (const NvSkinBitmap& font : kNvSkinBitmaps)
    {
        if (font.kind != NvSkinKind::Font)
            continue;
        CHfcBmp* bitmap = Bitmap(font.name);
        ASSERT_NE(bitmap, nullptr) << font.name;
        CHfcBmpLock lock(bitmap);
        // Uniform: every pixel of the cell is the same (no ink).
        auto uniform = [&](int32_t glyph)
        {
            const uint32_t first = PixelAt(lock.View(), 0, glyph * font.frameHeight);
            for (int32_t y = 0; y < font.frameHeight; ++y)
                for (int32_t x = 0; x < font.width; ++x)
                    if (PixelAt(lock.View(), x, glyph * font.frameHeight + y) != first)
                        return false;
            return true;
        };
        EXPECT_TRUE(uniform(NvSkinGlyph::kBlank)) << font.name;
        EXPECT_TRUE(uniform(' ')) << font.name;
        EXPECT_FALSE(uniform(NvSkinGlyph::kCaret)) << font.name;
        EXPECT_FALSE(uniform(NvSkinGlyph::kFallback)) << font.name;
        for (int32_t glyph = '!'; glyph <= '~'; ++glyph)
            EXPECT_FALSE(uniform(glyph)) << font.name << " glyph " << glyph;

        const CHfcBmpFontInfo* info = GetBmpFontInfo(font.name);
        ASSERT_NE(info, nullptr) << font.name;
        EXPECT_EQ(info->cellWidth, font.width) << font.name;
        EXPECT_EQ(info->cellHeight, font.frameHeight) << font.name;
    }
    EXPECT_EQ(GetBmpFontInfo("Knob"), nullptr);
    EXPECT_EQ(GetBmpFontInfo("NoSuchFont"), nullptr);
}

TEST(CResourceManager, TwoTakesAndOneReleaseKeepTheBitmapsTheLastReleaseUnloadsThem)
{
    ASSERT_EQ(CResourceManager::peekInstance(), nullptr);
    CResourceManager* first = CResourceManager::getInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(CResourceManager::getInstance(), first);
    EXPECT_EQ(first->GetBitmapCount(), size_t(CResourceManager::kBitmapCount));
    CHfcBmp* knob = GetBitmap("Knob");
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(GetBitmapByIndex(19), knob);

    CResourceManager::releaseInstance();
    EXPECT_EQ(CResourceManager::peekInstance(), first);
    EXPECT_EQ(GetBitmap("Knob"), knob);
    EXPECT_EQ(knob->GetWidth(), 36);

    CResourceManager::releaseInstance();
    EXPECT_EQ(CResourceManager::peekInstance(), nullptr);
    EXPECT_EQ(CEfResourceManager::GetInstance(), nullptr);
    EXPECT_EQ(GetBitmap("Knob"), nullptr);

    // A new take loads them again.
    CResourceManager* again = CResourceManager::getInstance();
    ASSERT_NE(again, nullptr);
    CHfcBmp* logo = GetBitmap("LogoNv2Editor");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->GetWidth(), 176);
    EXPECT_EQ(GetBitmap("NoSuchBitmap"), nullptr);
    CResourceManager::releaseInstance();
}
} // namespace
