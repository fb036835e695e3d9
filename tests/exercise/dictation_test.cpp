// The dictation rules: masking, the sentence of a lesson text, and the check's walk.
#include "dictation.h"

#include <gtest/gtest.h>

using namespace hearvex::exercise;

namespace {

// The walk as "offset:word:+" (matched) or "offset:word:-" entries.
std::string walk(const QString& typed, const QString& answer) {
    std::string out;
    for (const CheckedSlot& slot : checkWords(typed, answer)) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(slot.offset) + ':' + slot.word.toStdString() +
               (slot.matched ? ":+" : ":-");
    }
    return out;
}

} // namespace

TEST(MaskLetters, HidesAsciiLettersOnlyAndKeepsEveryPosition) {
    EXPECT_EQ(maskLetters(QStringLiteral("It's 5 o'clock.")), QStringLiteral("**'* 5 *'*****."));
    // The neighbours of the letter ranges stay: @ [ ` {
    EXPECT_EQ(maskLetters(QStringLiteral("@AZ[`az{")), QStringLiteral("@**[`**{"));
    // Chinese, typographic quotes, accented letters and line breaks stay.
    const QString mixed = QStringLiteral("“Tom” 说：café\r\nOK");
    EXPECT_EQ(maskLetters(mixed), QStringLiteral("“***” 说：***é\r\n**"));
    EXPECT_EQ(maskLetters(mixed).size(), mixed.size());
    EXPECT_EQ(maskLetters(QString()), QString());
}

TEST(SentenceOf, IsTheFirstLine) {
    EXPECT_EQ(sentenceOf(QStringLiteral("Good morning.\r\nSecond\r\nThird")),
              QStringLiteral("Good morning."));
    EXPECT_EQ(sentenceOf(QStringLiteral("No break at all.")), QStringLiteral("No break at all."));
    EXPECT_EQ(sentenceOf(QStringLiteral("\r\nStarts with a break")), QString());
    // A lone CR or LF ends it too, as it ends a line in the exercise box.
    EXPECT_EQ(sentenceOf(QStringLiteral("a\rb\r\nc")), QStringLiteral("a"));
    EXPECT_EQ(sentenceOf(QStringLiteral("a\nb")), QStringLiteral("a"));
}

TEST(IsBlankLesson, OnlyNothingOrSpaces) {
    EXPECT_TRUE(isBlankLesson(QString()));
    EXPECT_TRUE(isBlankLesson(QStringLiteral("    ")));
    EXPECT_FALSE(isBlankLesson(QStringLiteral(" \t ")));
    EXPECT_FALSE(isBlankLesson(QStringLiteral("\r\n")));
    EXPECT_FALSE(isBlankLesson(QStringLiteral("  a ")));
}

TEST(CheckWords, ComparesWordsInPlaceWithCaseAndPunctuation) {
    EXPECT_EQ(walk(QStringLiteral("It's 5 o'clock."), QStringLiteral("It's 5 o'clock.")),
              "0:It's:+ 5:5:+ 7:o'clock.:+");
    EXPECT_EQ(walk(QStringLiteral("the dog"), QStringLiteral("The dog.")), "0:The:- 4:dog.:-");
    EXPECT_EQ(walk(QStringLiteral("The dog."), QStringLiteral("The dog.")), "0:The:+ 4:dog.:+");
    // Tabs and punctuation belong to the word they touch.
    EXPECT_EQ(walk(QStringLiteral("a\tb c"), QStringLiteral("a\tb c")), "0:a\tb:+ 4:c:+");
}

TEST(CheckWords, RunsOfSpacesAndLineBreaksInTheTypedTextAreOneSeparator) {
    EXPECT_EQ(walk(QStringLiteral("   The  cat\r\n\r\nsat   "), QStringLiteral("The cat sat.")),
              "0:The:+ 4:cat:+ 8:sat.:-");
    // Words on separate lines are separate words.
    EXPECT_EQ(walk(QStringLiteral("The\r\ncat"), QStringLiteral("The cat")), "0:The:+ 4:cat:+");
}

TEST(CheckWords, AnEmptySlotInTheSentenceUsesUpOneTypedWord) {
    const QString answer = QStringLiteral("a  b c"); // two spaces: an empty slot after "a"
    EXPECT_EQ(walk(QStringLiteral("a x b c"), answer), "0:a:+ 3:b:+ 5:c:+");
    EXPECT_EQ(walk(QStringLiteral("a b c"), answer), "0:a:+ 3:b:-");
    // Spaces before the sentence's first word are empty slots too.
    EXPECT_EQ(walk(QStringLiteral("x y Hi"), QStringLiteral("  Hi")), "2:Hi:+");
}

TEST(CheckWords, MoreTypedWordsAreIgnoredFewerLeaveSlotsUncompared) {
    EXPECT_EQ(walk(QStringLiteral("one two three four"), QStringLiteral("one two")),
              "0:one:+ 4:two:+");
    EXPECT_EQ(walk(QStringLiteral("one"), QStringLiteral("one two three")), "0:one:+");
    EXPECT_EQ(walk(QString(), QStringLiteral("one two")), "");
    EXPECT_EQ(walk(QStringLiteral("   \r\n "), QStringLiteral("one two")), "");
}

TEST(CheckWords, AWordLeftOutShiftsEveryLaterComparison) {
    EXPECT_EQ(
        walk(QStringLiteral("The sat on the mat."), QStringLiteral("The cat sat on the mat.")),
        "0:The:+ 4:cat:- 8:sat:- 12:on:- 15:the:-");
    // ...unless two neighbours happen to be equal.
    EXPECT_EQ(walk(QStringLiteral("no no yes"), QStringLiteral("no no no yes")),
              "0:no:+ 3:no:+ 6:no:-");
}

TEST(CheckWords, AnEmptySentenceComparesNothing) {
    EXPECT_EQ(walk(QStringLiteral("anything at all"), QString()), "");
    // A sentence ending in a space is not given a second one.
    EXPECT_EQ(walk(QStringLiteral("cat"), QStringLiteral("cat ")), "0:cat:+");
}
