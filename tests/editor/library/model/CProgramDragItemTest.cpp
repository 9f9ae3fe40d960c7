#include "editor/library/model/CProgramDragItem.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace
{
std::vector<uint8_t> ItemBytes(uint32_t source, const CProgram& program)
{
    return CProgramDragItem(source, program).GetBytes();
}

CProgram NamedProgram(const char* name)
{
    CProgram program;
    program.Init();
    program.SetProgramName(name);
    program.SetAuthor("Someone");
    program.SetUserWord(3);
    return program;
}

TEST(CProgramDragItemTest, BytesAreTheSourceNumberThenTheBlock)
{
    const CProgram program = NamedProgram("LEAD");
    const std::vector<uint8_t> bytes = ItemBytes(0x65, program);
    ASSERT_EQ(bytes.size(), 640u);
    EXPECT_EQ(bytes[0], 0x65);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 4, &program.GetBlock(), 636), 0);

    CProgramDragItem item;
    ASSERT_TRUE(item.Parse(bytes.data(), bytes.size()));
    EXPECT_EQ(item.GetSource(), 0x65u);
    EXPECT_EQ(item.GetBytes(), bytes);
    // A number outside the set is never carried.
    EXPECT_EQ(CProgramDragItem(500, program).GetSource(), 127u);
}

TEST(CProgramDragItemTest, RefusesAnythingButSixHundredFortyBytesFromProgramsZeroTo127)
{
    const std::vector<uint8_t> good = ItemBytes(9, NamedProgram("GOOD"));
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {{"empty", {}},
                               {"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1)},
                               {"one byte long", good},
                               {"a whole program block item of another size", std::vector<uint8_t>(636)}};
    cases[2].bytes.push_back(0);
    for (uint32_t source : {128u, 255u, 256u, 0x01000000u, 0xFFFFFFFFu})
    {
        std::vector<uint8_t> bad = good;
        for (uint32_t i = 0; i < 4; ++i)
            bad[i] = static_cast<uint8_t>(source >> (8 * i));
        cases.push_back({"source out of range", bad});
    }
    for (const Case& c : cases)
    {
        CProgramDragItem item(3, NamedProgram("KEPT"));
        const std::vector<uint8_t> before = item.GetBytes();
        EXPECT_FALSE(item.Parse(c.bytes.data(), c.bytes.size())) << c.name;
        EXPECT_EQ(item.GetBytes(), before) << c.name << ": a refused item changes nothing";
    }
    CProgramDragItem item;
    EXPECT_FALSE(item.Parse(nullptr, 640));
    EXPECT_TRUE(item.Parse(good.data(), good.size()));
}

TEST(CProgramDragItemTest, ParseAllTakesAllItemsOrNone)
{
    const std::vector<uint8_t> a = ItemBytes(1, NamedProgram("A"));
    const std::vector<uint8_t> b = ItemBytes(2, NamedProgram("B"));
    std::vector<CProgramDragItem> out(1);
    EXPECT_FALSE(CProgramDragItem::ParseAll({a, std::vector<uint8_t>(639), b}, out));
    EXPECT_EQ(out.size(), 1u);
    ASSERT_TRUE(CProgramDragItem::ParseAll({a, b}, out));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].GetSource(), 1u);
    EXPECT_EQ(out[1].GetSource(), 2u);
}

// Another process may put any 640 bytes into the drag: the program still holds terminated
// texts, a name that matches its image and a priority the list can show.
TEST(CProgramDragItemTest, WritesAForeignBlockSafelyAndKeepsTheSavedCopy)
{
    std::vector<uint8_t> bytes(640, 'x');
    bytes[0] = 4;
    bytes[1] = bytes[2] = bytes[3] = 0;
    const size_t at = 4;
    std::memcpy(bytes.data() + at + offsetof(CProgramBlock, priority), "\x63\0\0\0", 4);
    CProgramDragItem item;
    ASSERT_TRUE(item.Parse(bytes.data(), bytes.size()));

    CProgram program = NamedProgram("SAVED");
    program.SaveBlock();
    ASSERT_TRUE(item.WriteTo(program));
    EXPECT_STREQ(program.GetProgramName(), "xxxxxxxx");
    EXPECT_EQ(std::strlen(program.GetAuthor()), 24u);
    EXPECT_EQ(std::strlen(program.GetComment()), 64u);
    EXPECT_EQ(program.GetUserWord(), 5);
    EXPECT_EQ(program.GetImage()[8], 'x');
    EXPECT_TRUE(program.IsChanged());
    program.RevertBlock();
    EXPECT_STREQ(program.GetProgramName(), "SAVED");
}
} // namespace
