// Long sentences cut into phrases: where the cuts fall, what stays whole, and
// the phrases' texts as the sentence writes them.
#include "phrase_split.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

// Words of 300 ms each; "word/250" is said after a 250 ms pause.
WordTimes spoken(const QString& script) {
    WordTimes words;
    qint64 at = 0;
    for (const QString& token : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype slash = token.lastIndexOf(QLatin1Char('/'));
        at += slash > 0 ? token.mid(slash + 1).toLongLong() : 20;
        const QString text = slash > 0 ? token.left(slash) : token;
        words.push_back({at, at + 300, 0.9, text});
        at += 300;
    }
    return words;
}

// The phrases as their word counts, e.g. "6+5".
std::string counts(const std::vector<Phrase>& phrases) {
    QStringList parts;
    for (const Phrase& p : phrases)
        parts << QString::number(p.end - p.first);
    return parts.join(QLatin1Char('+')).toStdString();
}

QString words(int count, const char* word = "w") {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromLatin1(word);
    return list.join(QLatin1Char(' '));
}

} // namespace

TEST(PhraseSplit, CutsWhereTheSentenceBreaksAndNeverLeavesAShortPhrase) {
    const PhraseLimits limits{10, 60};
    const struct {
        const char* what;
        QString script;
        std::string phrases;
    } cases[] = {
        {"within the limits", words(10), "10"},
        {"the longest pause wins", words(7) + " w/600 " + words(4) + " w/200 " + words(2), "7+8"},
        {"punctuation over a longer bare pause",
         words(5) + " w, " + words(3) + " w/300 " + words(4), "6+8"},
        {"a pause before a conjunction", words(6) + " and/150 " + words(7), "6+8"},
        {"a conjunction glued to the word before is no break",
         words(6) + " and " + words(3) + " w/40 " + words(3), "10+4"},
        {"no phrase under four words even at the best pause",
         "w w w w/900 " + words(6) + " w/100 w w w", "10+4"},
        {"too few words to cut", words(7) + " w/900", "8"},
        {"an evenly spoken sentence is cut in the middle", words(12), "6+6"},
        {"a very long sentence in several phrases",
         words(8) + " w, " + words(9) + " w; " + words(9) + " w. " + words(5), "9+10+10+5"},
    };
    for (const auto& c : cases) {
        const WordTimes sentence = spoken(c.script);
        const std::vector<Phrase> phrases = splitIntoPhrases(sentence, limits);
        EXPECT_EQ(counts(phrases), c.phrases) << c.what;
        size_t next = 0; // every word once, in order
        for (const Phrase& p : phrases) {
            EXPECT_EQ(p.first, next) << c.what;
            EXPECT_GE(p.end - p.first, phrases.size() > 1 ? size_t(kMinPhraseWords) : 1u);
            next = p.end;
        }
        EXPECT_EQ(next, sentence.size()) << c.what;
    }
}

TEST(PhraseSplit, EitherLimitSplitsAndZeroWordsTurnsSplittingOff) {
    // 12 words of 320 ms: 3.84 s.
    const WordTimes sentence = spoken(words(12));
    const struct {
        PhraseLimits limits;
        bool tooLong;
        std::string phrases;
    } cases[] = {
        {{20, 8}, false, "12"},    {{11, 8}, true, "6+6"},     {{20, 3}, true, "6+6"},
        {{20, 2}, true, "6+6"},    {{20, 1.5}, true, "4+4+4"}, {{0, 1}, false, "12"},
        {{12, 3.84}, false, "12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tooLong(sentence, c.limits), c.tooLong) << c.phrases;
        EXPECT_EQ(counts(splitIntoPhrases(sentence, c.limits)), c.phrases);
    }
    EXPECT_TRUE(splitIntoPhrases({}, {}).empty());
}

TEST(PhraseText, KeepsTheSentenceAsWrittenBetweenTheFirstAndLastWord) {
    const QString sentence =
        QStringLiteral("Well,  when I was young -- so long ago -- we \"walked\".");
    const WordTimes said =
        spoken(QStringLiteral("Well, when I was young -- so long ago -- we \"walked\"."));
    const struct {
        Phrase phrase;
        const char* text;
    } cases[] = {
        {{0, 5}, "Well,  when I was young"},
        {{5, 9}, "-- so long ago"},
        {{9, 12}, "-- we \"walked\"."},
        {{0, 12}, "Well,  when I was young -- so long ago -- we \"walked\"."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(phraseText(sentence, said, c.phrase), QString::fromUtf8(c.text));
    // Words the sentence does not hold in order: joined as the aligner wrote them.
    EXPECT_EQ(phraseText(QStringLiteral("something else"), said, {1, 4}),
              QStringLiteral("when I was"));
}
