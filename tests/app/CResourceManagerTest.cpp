#include "app/CResourceManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

TEST(CResourceManager, NamesEverySkinBitmapOnceInFixedCells)
{
    int32_t count = 0, stride = 0;
    const char* list = CResourceManager::GetBitmapNameList(&count, &stride);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(count, 75);
    EXPECT_EQ(stride, 64);
    std::set<std::string> names;
    for (int32_t i = 0; i < count; ++i)
    {
        const char* cell = list + i * stride;
        ASSERT_LT(strnlen(cell, static_cast<size_t>(stride)), static_cast<size_t>(stride)) << i;
        EXPECT_EQ(CResourceManager::GetBitmapName(i), cell);
        EXPECT_TRUE(names.insert(cell).second) << cell;
    }
    EXPECT_STREQ(CResourceManager::GetBitmapName(0), "LcdChar");
    EXPECT_STREQ(CResourceManager::GetBitmapName(19), "Knob");
    EXPECT_STREQ(CResourceManager::GetBitmapName(51), "BG_StatusLog");
    EXPECT_STREQ(CResourceManager::GetBitmapName(74), "ButtonPopupDim");
    for (const char* used :
         {"LedStepRed", "LogoNv2Editor", "BG_ProgramList", "SwitchOnOff", "LcdCharLargeWhite"})
        EXPECT_EQ(names.count(used), 1u) << used;
    EXPECT_EQ(CResourceManager::GetBitmapName(-1), nullptr);
    EXPECT_EQ(CResourceManager::GetBitmapName(75), nullptr);
    EXPECT_EQ(CResourceManager::GetBitmapNameList(nullptr, nullptr), list);
}
