// The compare's misses as the learner reads them and as attempts report them.
#include "miss_text.h"

#include <gtest/gtest.h>

using namespace hearvex::exercise;

namespace {
// No dictionary: the kinds that need none.
const WordFacts kNoDictionary;

std::vector<ComparedPair> pairsOf(const char* sentence, const char* typed) {
    return comparePairs(alignWords(QString::fromUtf8(sentence), QString::fromUtf8(typed)),
                        kNoDictionary);
}
} // namespace

TEST(MissesToolTip, ScoreLinesThenOneLinePerMissWithItsKind) {
    struct Case {
        const char* sentence;
        const char* typed;
        const char* tip;
    };
    const Case cases[] = {
        {"We went to the Park.", "We went the park. too",
         "漏掉或写错的词：to Park.\n\nto → （漏写）：虚词\nPark. → park.：大小写\ntoo：多写"},
        {"I like green tea very much.", "I like",
         "漏掉或写错的词：green tea very much.\n\n还没写：green tea very much."},
        {"It is fine.", "It is fine.", "全部正确"},
        {"It's 3 o'clock.", "It is three o'clock.",
         "漏掉或写错的词：It's 3\n\nIt's → It is：缩写\n3 → three：数字"},
    };
    for (const Case& c : cases) {
        const WordAlignment alignment =
            alignWords(QString::fromUtf8(c.sentence), QString::fromUtf8(c.typed));
        EXPECT_EQ(missesToolTip(alignment, comparePairs(alignment, kNoDictionary)).toStdString(),
                  c.tip);
    }
}

TEST(MissesToolTip, ManyMissesAreCutShort) {
    QString sentence, typed;
    for (int k = 0; k < 30; ++k) {
        sentence += QStringLiteral("w%1 x ").arg(k);
        typed += QStringLiteral("v%1 x ").arg(k);
    }
    const WordAlignment alignment = alignWords(sentence, typed);
    const QStringList lines =
        missesToolTip(alignment, comparePairs(alignment, kNoDictionary)).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.back(), QStringLiteral("……"));
    EXPECT_LT(lines.size(), 30);
}

TEST(SentenceMisses, EveryWordOfAPairOnceAndNoExtras) {
    const std::vector<WordMiss> misses =
        sentenceMisses(pairsOf("a lot of the dogs ran away home", "alot of dogs dogs ran"));
    std::vector<std::string> out;
    for (const WordMiss& miss : misses)
        out.push_back(miss.word.toStdString() + '>' + miss.typed.toStdString() + '/' +
                      missKindName(miss.kind).toStdString() + (miss.counted ? "" : "/tail"));
    EXPECT_EQ(out,
              (std::vector<std::string>{"a>alot/boundary", "lot>alot/boundary", "the>/function",
                                        "away>/missed/tail", "home>/missed/tail"}));
}

TEST(CheckMisses, OnlyWordsTheCheckLeftMaskedKeepTheirKinds) {
    // The check's walk shifts after "to": "the" and "park." stay masked, though typed.
    const std::vector<WordMiss> misses =
        checkMisses(pairsOf("We went to the park.", "We went the park."), {"to", "the", "park."});
    ASSERT_EQ(misses.size(), 1u);
    EXPECT_EQ(misses[0].word, QStringLiteral("to"));
    EXPECT_EQ(misses[0].kind, MissKind::Function);
    // A word the compare finds wrong but the check uncovered is not the check's miss.
    EXPECT_TRUE(checkMisses(pairsOf("We went to", "We went two"), {}).empty());
}
