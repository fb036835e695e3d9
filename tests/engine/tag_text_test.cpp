// Tag text reaches the track record as UTF-8 whatever the tagger wrote.
#include "TagText.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>

using vbmp3::cutUtf8;
using vbmp3::fileNameOf;
using vbmp3::fillTextField;
using vbmp3::isValidUtf8;
using vbmp3::tagTextToUtf8;

namespace {

const std::string kTingLiUtf8 = "听力";
const std::string kTingLiGbk = "\xCC\xFD\xC1\xA6";

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
    EXPECT_EQ(tagTextToUtf8("Title\0garbage after NUL"), "Title");
    EXPECT_EQ(tagTextToUtf8("       "), "");
    EXPECT_EQ(tagTextToUtf8("Café"), "Café");
}

TEST(TagText, RecoversGbkWhetherRawOrReadAsLatin1) {
    EXPECT_EQ(tagTextToUtf8(kTingLiGbk), kTingLiUtf8);
    EXPECT_EQ(tagTextToUtf8("Unit 3 " + kTingLiGbk), "Unit 3 " + kTingLiUtf8);
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8(kTingLiGbk)), kTingLiUtf8);
}

TEST(TagText, RecoversUtf8ThatWasReadAsLatin1) {
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8("第一课")), "第一课");
}

TEST(TagText, RealLatin1StaysLatin1) {
    EXPECT_EQ(tagTextToUtf8("Caf\xE9"), "Café");
    EXPECT_EQ(tagTextToUtf8("Caf\xE9 M\xFCller"), "Café Müller");
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8("Caf\xE9")), "Café");
}

TEST(TagText, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8("abc 听力 😀"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE5\x90"));         // cut short
    EXPECT_FALSE(isValidUtf8("\x80"));
}

TEST(TagText, CutNeverSplitsACharacter) {
    const std::string text = "ab听力"; // 2 + 3 + 3 bytes
    EXPECT_EQ(cutUtf8(text, 8), text);
    EXPECT_EQ(cutUtf8(text, 7), "ab听");
    EXPECT_EQ(cutUtf8(text, 5), "ab听");
    EXPECT_EQ(cutUtf8(text, 4), "ab");
    EXPECT_EQ(cutUtf8("a😀", 4), "a");
    EXPECT_EQ(cutUtf8("😀", 3), "");
}

TEST(TagText, FieldIsNulPaddedAndHoldsAtMost127Bytes) {
    std::array<char, 128> field{};
    field.fill('x');
    fillTextField(field.data(), field.size(), "听力");
    EXPECT_STREQ(field.data(), "听力");
    for (std::size_t i = 6; i < field.size(); ++i)
        ASSERT_EQ(field[i], '\0') << i;

    std::string longTitle;
    for (int i = 0; i < 50; ++i)
        longTitle += "课"; // 150 bytes
    fillTextField(field.data(), field.size(), longTitle);
    EXPECT_EQ(std::strlen(field.data()), 126u); // 42 whole characters
    EXPECT_TRUE(isValidUtf8(field.data()));
    EXPECT_EQ(field[127], '\0');

    fillTextField(field.data(), field.size(), std::string(300, 'a'));
    EXPECT_EQ(std::strlen(field.data()), 127u);
}

TEST(TagText, FileNameOfPath) {
    EXPECT_EQ(fileNameOf("/lessons/听力课文/unit1.txt"), "unit1.txt");
    EXPECT_EQ(fileNameOf("unit1.txt"), "unit1.txt");
    EXPECT_EQ(fileNameOf("/"), "");
}
