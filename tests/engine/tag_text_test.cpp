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

// Raw GBK is recovered; valid UTF-8 is never second-guessed, even when all
// its characters lie in Latin-1 (guessing turned "Señor Niño" into "Se駉r Ni駉").
TEST(TagText, RecoversRawGbkAndTakesUtf8AsItIs) {
    EXPECT_EQ(tagTextToUtf8("Unit 3 " + kTingLiGbk), "Unit 3 听力");
    EXPECT_EQ(tagTextToUtf8(asLatin1ToUtf8(kTingLiGbk)), asLatin1ToUtf8(kTingLiGbk));
    for (const char* text : {"Señor Niño", "Müller", "第一课", "Ångström ñ"}) {
        EXPECT_EQ(textFromUtf8Tag(text), text);
        EXPECT_EQ(tagTextToUtf8(text), text);
    }
}

// ID3's Latin-1 frames: GBK only when every high byte is part of a GB2312 pair.
TEST(TagText, Latin1TagHoldsGbkOnlyInGb2312Pairs) {
    const std::pair<std::string, std::string> cases[] = {
        {kTingLiGbk + " 1", "听力 1"},
        {"Se\xF1or Ni\xF1o", "Señor Niño"},           // 0xF1 then 'o': no pair
        {"M\xFCller", "Müller"},                      // 0xFC is no lead
        {"\xB0\xA1\xA1", "\xC2\xB0\xC2\xA1\xC2\xA1"}, // a pair, then a lone trail
        {"\xA1\xA1", "\xC2\xA1\xC2\xA1"},             // symbols row: not hanzi
        {"  plain  ", "plain"},
        {"Müller 听力", "Müller 听力"}, // UTF-8 where Latin-1 was declared
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(textFromLatin1Tag(bytes), text) << bytes;
}

TEST(TagText, Utf16WithAndWithoutByteOrderMark) {
    const std::string le = std::string("\xFF\xFE", 2) + std::string("M\0\xFC\0", 4) +
                           std::string("\x3D\xD8\x00\xDE", 4); // U+1F600 as a pair
    EXPECT_EQ(utf16ToUtf8(le, true), "Mü😀");
    EXPECT_EQ(utf16ToUtf8(std::string("\x54\x2C\x52\x9B", 4), false), "听力");
    EXPECT_EQ(utf16ToUtf8(std::string("\x00\x41\xDC\x00", 4), false), "A\xEF\xBF\xBD");
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
