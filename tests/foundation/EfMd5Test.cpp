#include "foundation/EfMd5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace
{

std::string Hex(const uint8_t digest[16])
{
    std::string text;
    char pair[3];
    for (int i = 0; i < 16; ++i)
    {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        text += pair;
    }
    return text;
}

std::string Md5(const std::string& message, const uint32_t* state = nullptr)
{
    uint8_t digest[16];
    ComputeMd5(message.data(), message.size(), digest, state);
    return Hex(digest);
}

} // namespace

TEST(ComputeMd5, RfcTestSuite)
{
    const struct
    {
        const char* message;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Md5(c.message), c.digest) << '"' << c.message << '"';
}

TEST(ComputeMd5, PaddingAtTheBlockBoundaries)
{
    // 55 bytes pad in one block, 56 need a second, 64 fill one exactly.
    EXPECT_EQ(Md5(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
    EXPECT_EQ(Md5(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
    EXPECT_EQ(Md5(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(ComputeMd5, StartsFromAGivenState)
{
    const uint32_t standard[4] = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
    EXPECT_EQ(Md5("abc", standard), "900150983cd24fb0d6963f7d28e17f72");

    const uint32_t other[4] = {0x01234567u, 0x89abcdefu, 0xfedcba98u, 0x76543210u};
    EXPECT_EQ(Md5("", other), "d67dfb7e907840deee15560e9657e40f");
    EXPECT_EQ(Md5("abc", other), "a45474cd4ef18c8ab63e01fbba89c893");
    EXPECT_EQ(Md5(std::string(100, 'x'), other), "f26050b5167cf043288884245851862e");
}
