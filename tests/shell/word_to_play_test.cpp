// Which words the word keys play: the caret's word through the aligned
// compare, the next missed word, and their times.
#include "word_to_play.h"

#include <gtest/gtest.h>

using namespace hearvex;

TEST(WordToPlay, TheSentenceWordAtTheCaret) {
    const QString sentence = QStringLiteral("The children ran home after school.");
    // Sentence words: 0 The, 1 children, 2 ran, 3 home, 4 after, 5 school.
    struct Case {
        const char* typed;
        int caret;
        int word;
        const char* why;
    } cases[] = {
        {"", 0, 0, "nothing typed: the first word"},
        {"The children ran", 5, 1, "inside a paired word"},
        {"The children ran", 16, 2, "right after a paired word"},
        {"The children ran ", 17, 3, "past the typed words: the next missed one"},
        {"The childern ran", 6, 1, "a misspelt word: the missed word it stands for"},
        {"The ran home", 4, 2, "paired after a word left out"},
        {"The ran home", 3, 0, "right after the first word"},
        {"The ran home", 12, 3, "the end of the last word"},
        {"The children ran home after school.", 35, 5, "all typed, at the end"},
        {"The children ran home after school. ", 36, 5, "nothing missed: the last word"},
        {"The\r\nchildren ran", 7, 1, "a line break counts as one character"},
        {"the children", 1, 0, "case differs: not paired, the first missed"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sentenceWordAtCaret(sentence, QString::fromUtf8(c.typed), c.caret), c.word)
            << c.why;
    EXPECT_EQ(sentenceWordAtCaret(QString(), QStringLiteral("word"), 2), -1);
}

TEST(WordToPlay, TheTimesOfAWordAndOfTheWordsAroundIt) {
    const QStringList words = sentenceWords(QStringLiteral("The children ran home."));
    ASSERT_EQ(words, QStringList({"The", "children", "ran", "home."}));
    const lessons::WordTimes times = {{0, 200, 0.9, "The"},
                                      {200, 700, 0.9, "children"},
                                      {700, 950, 0.9, "ran"},
                                      {1000, 1400, 0.9, "home."}};
    // One timed word for each sentence word, and times that lack a word.
    const lessons::WordTimes gappy = {times[0], times[2], times[3]};
    struct Case {
        const lessons::WordTimes* times;
        int index;
        bool around;
        int first, last;
    } cases[] = {
        {&times, 2, false, 2, 2}, {&times, 2, true, 1, 3},    {&times, 0, true, 0, 1},
        {&times, 3, true, 2, 3},  {&times, 4, false, -1, -1}, {&times, -1, false, -1, -1},
        {&gappy, 2, false, 1, 1}, {&gappy, 1, false, -1, -1}, {&gappy, 3, true, 1, 2},
    };
    for (const Case& c : cases) {
        const TimedSpan span = timedSpanOf(words, *c.times, c.index, c.around);
        EXPECT_EQ(span.first, c.first) << c.index << (c.around ? " around" : "");
        EXPECT_EQ(span.last, c.last) << c.index << (c.around ? " around" : "");
    }
    EXPECT_TRUE(timedSpanOf(words, {}, 1, false).isEmpty());

    EXPECT_EQ(timedIndexOfWord(times, QStringLiteral("Home")), 3);
    EXPECT_EQ(timedIndexOfWord(times, QStringLiteral("the")), 0);
    EXPECT_EQ(timedIndexOfWord(times, QStringLiteral("school")), -1);
    EXPECT_EQ(timedIndexOfWord(times, QStringLiteral("...")), -1);
}
