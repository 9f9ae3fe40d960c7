#include "foundation/CEfMemoryBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace
{

std::string Text(const CHfcMemoryBlock& block)
{
    return std::string(reinterpret_cast<const char*>(block.GetData()), block.GetSize());
}

} // namespace

TEST(CHfcMemoryBlock, SizesAndZeroFill)
{
    CHfcMemoryBlock empty;
    EXPECT_EQ(empty.GetSize(), 0u);
    EXPECT_EQ(empty.GetData(), nullptr);

    CHfcMemoryBlock zeroed(5, true);
    ASSERT_EQ(zeroed.GetSize(), 5u);
    EXPECT_EQ(Text(zeroed), std::string(5, '\0'));

    CHfcMemoryBlock block("abc", 3);
    ASSERT_TRUE(block.SetSize(6, true));
    EXPECT_EQ(Text(block), std::string("abc\0\0\0", 6));
    ASSERT_TRUE(block.SetSize(2, true));
    EXPECT_EQ(Text(block), "ab");
    ASSERT_TRUE(block.SetSize(0, true));
    EXPECT_EQ(block.GetSize(), 0u);
    EXPECT_EQ(block.GetData(), nullptr);
}

TEST(CHfcMemoryBlock, AppendIncludingItsOwnBytes)
{
    CHfcMemoryBlock block;
    ASSERT_TRUE(block.Append("abc", 3));
    ASSERT_TRUE(block.Append("de", 2));
    EXPECT_EQ(Text(block), "abcde");
    // The reallocation may move the bytes being appended.
    ASSERT_TRUE(block.Append(block.GetData() + 1, 4));
    EXPECT_EQ(Text(block), "abcdebcde");
    EXPECT_TRUE(block.Append(nullptr, 0));
    EXPECT_FALSE(block.Append(nullptr, 1));
    EXPECT_EQ(block.GetSize(), 9u);
}

TEST(CHfcMemoryBlock, CopiesAreDeepAndSurviveSelfAssignment)
{
    CHfcMemoryBlock original("data", 4);
    CHfcMemoryBlock copy(original);
    CHfcMemoryBlock assigned;
    assigned = original;
    copy.GetData()[0] = 'D';
    assigned.GetData()[0] = 'X';
    EXPECT_EQ(Text(original), "data");
    EXPECT_EQ(Text(copy), "Data");
    EXPECT_EQ(Text(assigned), "Xata");

    CHfcMemoryBlock& self = original;
    original = self;
    EXPECT_EQ(Text(original), "data");

    CHfcMemoryBlock moved(std::move(copy));
    EXPECT_EQ(Text(moved), "Data");
    EXPECT_EQ(copy.GetSize(), 0u);
}

TEST(CEfMemoryBlock, TagKeepsEightCharacters)
{
    CEfMemoryBlock block;
    EXPECT_STREQ(block.GetTag(), "");
    block.SetTag("3580PrgDextra");
    EXPECT_STREQ(block.GetTag(), "3580PrgD");
    EXPECT_TRUE(block.HasTag("3580PrgD"));
    EXPECT_TRUE(block.HasTag("3580PrgDanything")); // only 8 characters compare
    EXPECT_FALSE(block.HasTag("3580PrgS"));
    EXPECT_FALSE(block.HasTag(nullptr));
    block.SetTag("ab");
    EXPECT_STREQ(block.GetTag(), "ab");
    EXPECT_FALSE(block.HasTag("abc"));
    block.SetTag(nullptr);
    EXPECT_STREQ(block.GetTag(), "");
}

TEST(CEfMemoryBlock, AssignCopiesBytesAndTagAndEqualityIgnoresTheTag)
{
    CEfMemoryBlock source;
    ASSERT_TRUE(source.Append("12345", 5));
    source.SetTag("3580GlbD");

    CEfMemoryBlock target;
    ASSERT_TRUE(target.Append("zz", 2));
    EXPECT_TRUE(target.IsNotEqual(source));
    ASSERT_TRUE(target.Assign(source));
    EXPECT_STREQ(target.GetTag(), "3580GlbD");
    EXPECT_TRUE(target.IsEqual(source));
    ASSERT_TRUE(target.Assign(target));
    EXPECT_EQ(Text(target), "12345");

    target.SetTag("other");
    EXPECT_TRUE(target.IsEqual(source));
    target.GetData()[4] = '0';
    EXPECT_TRUE(target.IsNotEqual(source));
    EXPECT_TRUE(CEfMemoryBlock().IsEqual(CHfcMemoryBlock()));
}
