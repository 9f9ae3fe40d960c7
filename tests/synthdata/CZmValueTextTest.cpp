#include "synthdata/CZmValueText.h"

#include "support/FakeStringTable.h"

#include <gtest/gtest.h>

#include <string>

TEST(CZmValueText, FormatsByName)
{
    FakeStringTable table({{"OnOff", {"Off", "On"}}});
    struct Case
    {
        const char* format;
        int32_t value, minimum;
        const char* text;
    };
    const Case cases[] = {
        {"Value", 5, 0, "5"},
        {"Value", 0, -1, "+0"},
        {"Value", -7, -63, "-7"},
        {"PanValue", 64, 1, "CNT"},
        {"PanValue", 127, 1, "R63"},
        {"PanValue", 0, 0, "L64"},
        {"PercentValue", 100, 0, "100%"},
        {"FxWetDry", 0, 0, "Dry"},
        {"FxWetDry", 100, 0, "Wet"},
        {"FxWetDry", 1, 0, "99:1"},
        {"FxLfoSpread", 18, -18, "+180"},
        {"FxLfoSpread", 0, -18, "+0"},
        {"FxLfoSpread", -18, -18, "-180"},
        {"FxFineValue", 3, -50, "+3 cent"},
        {"FxFineValue", 0, -50, "0 cent"},
        {"FxFineValue", -3, -50, "-3 cent"},
        {"FxdBValue", 0, -36, "+0.0dB"},
        {"FxdBValue", -36, -36, "-18.0dB"},
        {"FxEqQ", 0, 0, "0.5"},
        {"FxEqQ", 15, 0, "2.0"},
        {"FxEqQ", 95, 0, "10.0"},
        {"CcMapNumber", -1, -1, "Off"},
        {"CcMapNumber", 0, -1, "CC#00"},
        {"CcMapNumber", 5, -1, "CC#05"},
        {"CcMapNumber", 119, -1, "CC#119"},
        {"CcMapNumber", 120, -1, "Off"},
        {"OnOff", 1, 0, "On"},
        {"OnOff", 2, 0, "2"},
        {"NoSuchKeyword", 4, 0, "4"},
        {"NoSuchKeyword", -3, -5, "2"},
        // Extreme values have texts too, computed without overflow.
        {"PanValue", INT32_MIN, 0, "L2147483712"},
        {"FxWetDry", INT32_MIN, 0, "2147483748:-2147483648"},
        {"NoSuchKeyword", INT32_MAX, -5, "2147483652"},
    };
    for (const Case& c : cases)
    {
        char buffer[32];
        CZmValueText::Format(c.format, c.value, c.minimum, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.text) << c.format << " " << c.value;
    }
}

TEST(CZmValueText, WithoutAStringTableListsShowTheirNumber)
{
    ASSERT_EQ(GetStringTable(), nullptr);
    char buffer[16];
    CZmValueText::Format("OnOff", 1, 0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "1");
    CZmValueText::Format(nullptr, 1, 0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "1");
}

TEST(CZmValueText, FormatNamesCompareOverThirtyTwoCharacters)
{
    EXPECT_TRUE(CZmValueText::IsFormat("Value", "Value"));
    EXPECT_FALSE(CZmValueText::IsFormat("ValueX", "Value"));
    const std::string a = std::string(32, 'k') + "1";
    const std::string b = std::string(32, 'k') + "2";
    EXPECT_TRUE(CZmValueText::IsFormat(a.c_str(), b.c_str()));
}

TEST(CZmValueText, TabAppendedOnlyWhileShortAndRoomy)
{
    char buffer[40] = "20";
    CZmValueText::AppendTab(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "20\t");
    char tight[3] = "20";
    CZmValueText::AppendTab(tight, sizeof tight);
    EXPECT_STREQ(tight, "20");
    std::string longText(31, 'x');
    char room[40];
    std::snprintf(room, sizeof room, "%s", longText.c_str());
    CZmValueText::AppendTab(room, sizeof room);
    EXPECT_EQ(std::string(room), longText);
}
