// Tag text reaches the track record as UTF-8 whatever the tagger wrote.
#include "tag_text.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>

using namespace vbmp3;

namespace {

const std::string kTingLiGbk = "\xCC\xFD\xC1\xA6"; // 听力

// What a decoder makes of bytes it believed to be Latin-1.
std::string asLatin1ToUtf8(const std::string& bytes) {
    std::string out;
    for (unsigned char b : bytes) {
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

} // namespace

TEST(TagText, KeepsUtf8AndTrimsBlanks) {
    EXPECT_EQ(tagTextToUtf8("  Lesson 1 听力  "), "Lesson 1 听力");
    EXPECT_EQ(tagTextToUtf8("Café"), "Café");
    EXPECT_EQ(tagTextToUtf8("       "), "");
}

TEST(TagText, RecoversGbkAndUtf8WhetherRawOrReadAsLatin1) {
    EXPECT_EQ(tagTextToUtf8("Unit 3 " + kTingLiGbk), "Unit 3 听力");
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8(kTingLiGbk)), "听力");
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8("第一课")), "第一课");
}

TEST(TagText, RealLatin1StaysLatin1) {
    EXPECT_EQ(tagTextToUtf8("Caf\xE9 M\xFCller"), "Café Müller");
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8("Caf\xE9")), "Café");
}

TEST(TagText, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8("abc 听力 😀"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE5\x90"));         // cut short
}

TEST(TagText, CutNeverSplitsACharacter) {
    EXPECT_EQ(cutUtf8("ab听力", 8), "ab听力");
    EXPECT_EQ(cutUtf8("ab听力", 7), "ab听");
    EXPECT_EQ(cutUtf8("ab听力", 4), "ab");
    EXPECT_EQ(cutUtf8("a😀", 4), "a");
}

TEST(TagText, FieldIsNulPaddedAndHoldsAtMost127Bytes) {
    std::array<char, 128> field{};
    field.fill('x');
    fillTextField(field.data(), field.size(), "听力");
    EXPECT_STREQ(field.data(), "听力");
    for (std::size_t i = 6; i < field.size(); ++i)
        ASSERT_EQ(field[i], '\0') << i;
    fillTextField(field.data(), field.size(), std::string(300, 'a'));
    EXPECT_EQ(std::strlen(field.data()), 127u);
}
