// The kinds of miss of the aligned compare, with a small dictionary of the
// test's own standing in for the program's.
#include "miss_pairs.h"

#include <QHash>
#include <gtest/gtest.h>

using namespace hearvex::exercise;

namespace {

struct Entry {
    const char* lemma;
    int band;
    const char* phones; // readings separated by '|'
};

const QHash<QString, Entry>& tinyDictionary() {
    static const QHash<QString, Entry> words = {
        {"there", {"there", 1, "DH EH R"}},
        {"their", {"their", 1, "DH EH R"}},
        {"hear", {"hear", 1, "HH IH R"}},
        {"here", {"here", 1, "HH IH R"}},
        {"walk", {"walk", 1, "W AO K"}},
        {"walked", {"walk", 1, "W AO K T"}},
        {"child", {"child", 1, "CH AY L D"}},
        {"children", {"child", 1, "CH IH L D R AH N"}},
        {"the", {"the", 1, "DH AH|DH IY"}},
        {"a", {"a", 1, "AH|EY"}},
        {"in", {"in", 1, "IH N"}},
        {"on", {"on", 1, "AA N"}},
        {"if", {"if", 1, "IH F"}},
        {"it", {"it", 1, "IH T"}},
        {"is", {"is", 1, "IH Z"}},
        {"was", {"be", 1, "W AA Z"}},
        {"lot", {"lot", 1, "L AA T"}},
        {"someone", {"someone", 1, "S AH M W AH N"}},
        {"some", {"some", 1, "S AH M"}},
        {"one", {"one", 1, "W AH N"}},
        {"cat", {"cat", 2, "K AE T"}},
        {"cot", {"cot", 3, "K AA T"}},
        {"dog", {"dog", 2, "D AO G"}},
        {"printed", {"print", 1, "P R IH N T IH D"}},
        {"book", {"book", 1, "B UH K"}},
        {"books", {"book", 1, "B UH K S"}},
        {"letterpress", {"letterpress", 5, "L EH T ER P R EH S"}},
        {"exhibition", {"exhibition", 3, "EH K S AH B IH SH AH N"}},
        {"great", {"great", 1, "G R EY T"}},
        {"grate", {"grate", 4, "G R EY T"}},
        {"bread", {"bread", 2, "B R EH D"}},
        {"bred", {"breed", 4, "B R EH D"}},
        {"road", {"road", 1, "R OW D"}},
        {"rode", {"ride", 2, "R OW D"}},
        {"fourteen", {"fourteen", 2, "F AO R T IY N"}},
        {"three", {"three", 1, "TH R IY"}},
        {"your", {"your", 1, "Y AO R|Y UH R"}},
        {"advice", {"advice", 0, "AE D V AY S|AH D V AY S"}}, // common, but unranked
        {"advise", {"advise", 1, "AE D V AY Z|AH D V AY Z"}},
    };
    return words;
}

WordFacts tinyFacts() {
    WordFacts facts;
    facts.isWord = [](const QString& w) { return tinyDictionary().contains(w); };
    facts.lemmaOf = [](const QString& w) {
        return tinyDictionary().contains(w) ? QLatin1String(tinyDictionary()[w].lemma) : QString();
    };
    facts.band = [](const QString& w) {
        return tinyDictionary().contains(w) ? tinyDictionary()[w].band : 5;
    };
    facts.phones = [](const QString& w) {
        return tinyDictionary().contains(w)
                   ? QString::fromLatin1(tinyDictionary()[w].phones).split(QLatin1Char('|'))
                   : QStringList();
    };
    return facts;
}

QStringList words(const char* text) {
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// One line per pair: expected | typed | kind, '' for no word.
QStringList pairLines(const std::vector<ComparedPair>& pairs) {
    QStringList lines;
    for (const ComparedPair& pair : pairs)
        lines << (pair.expected.isEmpty() ? QStringLiteral("''") : pair.expected.join(' ')) +
                     " | " + (pair.typed.isEmpty() ? QStringLiteral("''") : pair.typed.join(' ')) +
                     " | " + missKindName(pair.kind);
    return lines;
}

} // namespace

TEST(MissKind, OnePairEachKindInItsOrder) {
    struct Case {
        const char* expected;
        const char* typed;
        MissKind kind;
    };
    const Case cases[] = {
        {"Exhibition", "exhibition", MissKind::Case},
        {"Paris,", "Paris", MissKind::Punctuation},
        {"don't", "dont", MissKind::Punctuation},
        {"Exhibition.", "exhibition", MissKind::Punctuation},
        {"a lot", "alot", MissKind::Boundary},
        {"someone", "some one", MissKind::Boundary},
        {"it's", "it is", MissKind::Contraction},
        {"can't", "cannot", MissKind::Contraction},
        {"won't", "will not", MissKind::Contraction},
        {"1455", "fourteen fifty-five", MissKind::Number},
        {"1455,", "one thousand four hundred and fifty-five", MissKind::Number},
        {"three", "3", MissKind::Number},
        {"21st", "twenty-first", MissKind::Number},
        {"there", "their", MissKind::Homophone},
        {"hear", "here", MissKind::Homophone},
        {"walk", "walked", MissKind::Form},
        {"children", "child", MissKind::Form},
        {"printed", "printd", MissKind::Spelling},
        {"letterpress", "leterpres", MissKind::Spelling},
        {"walk", "wlak", MissKind::Spelling}, // a swap counts one edit
        {"the", "a", MissKind::Function},
        {"in", "on", MissKind::Function},
        {"if", "", MissKind::Function},
        {"letterpress", "", MissKind::Rare},
        {"letterpress", "dog", MissKind::Rare},
        {"Gutenberg", "", MissKind::Rare}, // unknown to the dictionary
        {"advice", "advise", MissKind::Misheard},
        {"you're", "your", MissKind::Function},
        {"you're", "", MissKind::Function},
        {"book", "", MissKind::Missed},
        {"cat", "dog", MissKind::Misheard},
        {"", "dog", MissKind::Extra},
    };
    const WordFacts facts = tinyFacts();
    for (const Case& c : cases) {
        const std::optional<MissKind> kind = classifyPair(words(c.expected), words(c.typed), facts);
        ASSERT_TRUE(kind.has_value()) << c.expected << " / " << c.typed;
        EXPECT_EQ(missKindName(*kind).toStdString(), missKindName(c.kind).toStdString())
            << c.expected << " / " << c.typed;
    }
}

TEST(MissKind, NearKindsNeedTheirConditions) {
    struct Case {
        const char* expected;
        const char* typed;
        MissKind kind;
    };
    const Case cases[] = {
        // A real word one letter off is no slip of spelling.
        {"cat", "cot", MissKind::Misheard},
        // Two edits are too many for a short word, fine for a long one.
        {"book", "bouk", MissKind::Spelling},
        {"book", "buuc", MissKind::Misheard},
        {"exhibition", "exibitoin", MissKind::Spelling},
        {"exhibition", "egsibishun", MissKind::Misheard},
        // Sounds the same, but only a real word is a homophone.
        {"great", "grayt", MissKind::Spelling},
        {"great", "grate", MissKind::Homophone},
        {"rode", "road", MissKind::Homophone},
        // A number spoken otherwise.
        {"1455", "fourteen", MissKind::Misheard},
        {"1455", "1445", MissKind::Misheard},
    };
    const WordFacts facts = tinyFacts();
    for (const Case& c : cases) {
        const std::optional<MissKind> kind = classifyPair(words(c.expected), words(c.typed), facts);
        ASSERT_TRUE(kind.has_value()) << c.expected << " / " << c.typed;
        EXPECT_EQ(missKindName(*kind).toStdString(), missKindName(c.kind).toStdString())
            << c.expected << " / " << c.typed;
    }
    // Several words pair only as a boundary, contraction or number.
    EXPECT_FALSE(classifyPair(words("the cat"), words("dog"), facts).has_value());
}

TEST(MissKind, NamesAndLabelsRoundTrip) {
    for (int k = int(MissKind::Right); k <= int(MissKind::Extra); ++k) {
        const MissKind kind = MissKind(k);
        EXPECT_EQ(missKindNamed(missKindName(kind)), kind);
        EXPECT_FALSE(missKindLabel(kind).isEmpty());
    }
    EXPECT_EQ(missKindLabel(MissKind::Boundary), QStringLiteral("连写/分写"));
    EXPECT_FALSE(missKindNamed(QStringLiteral("wrong")).has_value());
}

TEST(MissKind, EditDistanceCountsASwapAsOne) {
    EXPECT_EQ(editDistance(QStringLiteral("form"), QStringLiteral("from")), 1);
    EXPECT_EQ(editDistance(QStringLiteral("abc"), QStringLiteral("")), 3);
    EXPECT_EQ(editDistance(QStringLiteral("kitten"), QStringLiteral("sitting")), 3);
    EXPECT_EQ(editDistance(QStringLiteral("same"), QStringLiteral("same")), 0);
}

TEST(ComparePairs, SentencesPairedInOrderWithTheirKinds) {
    struct Case {
        const char* sentence;
        const char* typed;
        QStringList pairs;
    };
    const Case cases[] = {
        {"There were a lot of books.",
         "Their were alot of book.",
         {"There | Their | homophone", "were | were | right", "a lot | alot | boundary",
          "of | of | right", "books. | book. | form"}},
        {"It's printed in 1455.",
         "It is printed 1455.",
         {"It's | It is | contraction", "printed | printed | right", "in | '' | function",
          "1455. | 1455. | right"}},
        {"The book was printed in 1455.",
         "the book was printed in fourteen fifty-five.",
         {"The | the | case", "book | book | right", "was | was | right",
          "printed | printed | right", "in | in | right", "1455. | fourteen fifty-five. | number"}},
        {"The cat sat.",
         "The big cat sat.",
         {"The | The | right", "'' | big | extra", "cat | cat | right", "sat. | sat. | right"}},
        {"If the Exhibition opens",
         "the exhibition opens",
         {"If | '' | function", "the | the | right", "Exhibition | exhibition | case",
          "opens | opens | right"}},
        // Of two leftovers the typed word pairs with the one it resembles.
        {"a letterpress book",
         "a leterpress",
         {"a | a | right", "letterpress | leterpress | spelling", "book | '' | missed"}},
    };
    const WordFacts facts = tinyFacts();
    for (const Case& c : cases) {
        const WordAlignment alignment =
            alignWords(QString::fromUtf8(c.sentence), QString::fromUtf8(c.typed));
        EXPECT_EQ(pairLines(comparePairs(alignment, facts)), c.pairs) << c.sentence;
    }
}

TEST(ComparePairs, NoMissWhereThereIsNone) {
    const WordAlignment alignment = alignWords(QStringLiteral("He rode down the road."),
                                               QStringLiteral("He rode down the road."));
    const std::vector<ComparedPair> pairs = comparePairs(alignment, tinyFacts());
    ASSERT_EQ(pairs.size(), 5u);
    EXPECT_TRUE(missesOf(pairs).empty());
}

TEST(ComparePairs, UntypedTailIsMarkedOnlyWhenSeveralWordsAreLeft) {
    const WordFacts facts = tinyFacts();
    const std::vector<ComparedPair> halfDone =
        comparePairs(alignWords(QStringLiteral("The cat saw the dog in the road"),
                                QStringLiteral("The cat saw")),
                     facts);
    ASSERT_EQ(halfDone.size(), 8u);
    for (size_t k = 0; k < halfDone.size(); ++k)
        EXPECT_EQ(halfDone[k].untypedTail, k >= 3) << k;

    // One last word left out is a word missed, not a sentence left unfinished.
    const std::vector<ComparedPair> lastWord = comparePairs(
        alignWords(QStringLiteral("The cat saw letterpress"), QStringLiteral("The cat saw")),
        facts);
    ASSERT_EQ(lastWord.size(), 4u);
    EXPECT_FALSE(lastWord.back().untypedTail);
    EXPECT_EQ(lastWord.back().kind, MissKind::Rare);
}

TEST(ComparePairs, IndexesPointBackIntoTheAlignment) {
    const WordAlignment alignment =
        alignWords(QStringLiteral("a lot of dogs"), QStringLiteral("alot of cats here"));
    const std::vector<ComparedPair> pairs = comparePairs(alignment, tinyFacts());
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0].sentenceIndex, 0);
    EXPECT_EQ(pairs[0].typedIndex, 0);
    EXPECT_EQ(pairs[2].sentenceIndex, 3);
    EXPECT_EQ(pairs[2].typedIndex, 2);
    EXPECT_EQ(pairs[3].sentenceIndex, -1);
    EXPECT_EQ(pairs[3].typedIndex, 3);
    EXPECT_EQ(pairs[3].kind, MissKind::Extra);
}

TEST(ComparePairs, LargeLeftoversArePairedInOrder) {
    QString sentence, typed;
    for (int k = 0; k < 30; ++k) {
        sentence += QStringLiteral("cat ");
        typed += QStringLiteral("dog ");
    }
    const std::vector<ComparedPair> pairs =
        comparePairs(alignWords(sentence, typed + QStringLiteral("dog")), tinyFacts());
    ASSERT_EQ(pairs.size(), 31u);
    EXPECT_EQ(pairs.front().kind, MissKind::Misheard);
    EXPECT_EQ(pairs.back().kind, MissKind::Extra);
    EXPECT_TRUE(comparePairs(WordAlignment{{}, {}, true}, tinyFacts()).empty());
}
