// The aligned compare: which words of the sentence and of the typed text pair
// up, where each typed word lies in the text as typed, and the size limit.
#include "word_alignment.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

using namespace hearvex::exercise;

namespace {

// One character per word: '+' matched, '-' not.
std::string marks(const std::vector<AlignedWord>& words) {
    std::string out;
    for (const AlignedWord& word : words)
        out += word.matched ? '+' : '-';
    return out;
}

// Each word as "start:length:text".
std::string places(const std::vector<AlignedWord>& words) {
    std::string out;
    for (const AlignedWord& word : words) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(word.start) + ':' + std::to_string(word.length) + ':' +
               word.text.toStdString();
    }
    return out;
}

struct AlignCase {
    const char* name;
    const char* sentence; // UTF-8
    const char* typed;
    const char* sentenceMarks;
    const char* typedMarks;
};

const AlignCase kCases[] = {
    {"identical", "I like it.", "I like it.", "+++", "+++"},
    {"missing word", "I really like it.", "I like it.", "+-++", "+++"},
    {"extra word", "I like it.", "I do like it.", "+++", "+-++"},
    {"wrong word", "I like it.", "I lick it.", "+-+", "+-+"},
    {"reordered keeps the earlier typed word", "the big dog", "the dog big", "+-+", "++-"},
    {"case is exact", "Hello World", "hello World", "-+", "-+"},
    {"punctuation belongs to its word", "Stop.", "Stop", "-", "-"},
    {"full-width marks", "Yes, sir. Why? Now! Note: this; it", "Yes，sir。Why？Now！Note：this；it",
     "+++++++", "+++++++"},
    {"full-width mark after a space", "a , b", "a ，b", "+++", "+++"},
    // An input method's mark before a closing quote or bracket, another mark or
    // the end stays glued to its word.
    {"full-width mark before a closing quote", "He asked, \"Is this the bus?\"",
     "He asked，“Is this the bus？”", "++++++", "++++++"},
    {"full-width mark before an ASCII quote", "the bus?\" he", "the bus？\" he", "+++", "+++"},
    {"full-width marks in a row", "Really?! Yes.", "Really？！Yes。", "++", "++"},
    {"full-width mark before a bracket", "Go (now.)", "Go （now。）", "++", "++"},
    {"typographic quotes and brackets", "It's \"fine\" (really)", "It’s “fine” （really）", "+++",
     "+++"},
    {"line breaks and runs of spaces", "one two three", "  one\r\ntwo\n   three ", "+++", "+++"},
    {"full-width space", "good morning", "good　morning", "++", "++"},
    {"tab stays inside a word", "a b", "a\tb", "--", "-"},
    {"nothing typed", "a b", "", "--", ""},
    {"only spaces typed", "a b", "   ", "--", ""},
    {"no sentence", "", "a b", "", "--"},
    {"both empty", "", "", "", ""},
    {"repeated sentence word", "the cat and the dog", "the dog", "+---+", "++"},
    {"repeated typed word", "the cat", "the the cat", "++", "+-+"},
    {"same word everywhere", "no no no", "no no", "++-", "++"},
    {"Chinese words compare whole", "你好 world", "你好 world", "++", "++"},
};

} // namespace

TEST(AlignWords, PairsWordsByTheLongestCommonSubsequence) {
    for (const AlignCase& c : kCases) {
        const WordAlignment a =
            alignWords(QString::fromUtf8(c.sentence), QString::fromUtf8(c.typed));
        EXPECT_FALSE(a.tooLong) << c.name;
        EXPECT_EQ(marks(a.sentence), c.sentenceMarks) << c.name;
        EXPECT_EQ(marks(a.typed), c.typedMarks) << c.name;
        EXPECT_EQ(a.matchedCount(),
                  std::count(c.sentenceMarks, c.sentenceMarks + strlen(c.sentenceMarks), '+'))
            << c.name;
    }
}

TEST(AlignWords, TypedWordsKeepTheirPlaceInTheTextAsTyped) {
    // A full-width mark is one character in the text but two when compared.
    EXPECT_EQ(places(alignWords(QString(), QStringLiteral("Hello，world。")).typed),
              "0:6:Hello， 6:6:world。");
    EXPECT_EQ(places(alignWords(QString(), QStringLiteral("  I  lke\nit")).typed),
              "2:1:I 5:3:lke 9:2:it");
    EXPECT_EQ(places(alignWords(QString(), QStringLiteral("“Hi”，（you）")).typed),
              "0:5:“Hi”， 5:5:（you）");
    EXPECT_EQ(places(alignWords(QStringLiteral("a   b"), QString()).sentence), "0:1:a 4:1:b");
}

TEST(AlignWords, MissedWordsAreTheSentencesUnmatchedWordsAsWritten) {
    const WordAlignment a =
        alignWords(QStringLiteral("Well， it’s late."), QStringLiteral("Well, its late."));
    const std::vector<QString> expected = {QStringLiteral("it’s")};
    EXPECT_EQ(a.missedWords(), expected);
    EXPECT_EQ(a.matchedCount(), 2);
}

TEST(AlignWords, TextsTooLargeToAlignGiveAClearOutcomeAtOnce) {
    QString many;
    for (int i = 0; i < 4001; ++i)
        many += QStringLiteral("w%1 ").arg(i % 7);
    const WordAlignment a = alignWords(many, many);
    EXPECT_TRUE(a.tooLong);
    EXPECT_EQ(a.sentence.size(), 4001u);
    EXPECT_EQ(a.matchedCount(), 0);
    // The same long sentence against a short answer aligns.
    const WordAlignment b = alignWords(many, QStringLiteral("w0 w1 w2"));
    EXPECT_FALSE(b.tooLong);
    EXPECT_EQ(b.matchedCount(), 3);
}

TEST(CompareText, MapsEveryCharacterBackToItsOriginal) {
    const CompareText read = compareText(QStringLiteral("a，b’c"));
    EXPECT_EQ(read.text, QStringLiteral("a, b'c"));
    const std::vector<int> expected = {0, 1, 1, 2, 3, 4};
    EXPECT_EQ(read.source, expected);
}
