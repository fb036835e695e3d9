// A written sentence as a reader says it, and pronunciations for the words
// the dictionary lacks: no sound, no model.
#include "pronunciation.h"
#include "spoken_words.h"

#include <gtest/gtest.h>

using namespace hearvex::lessons;

namespace {

QString saidAs(const QString& sentence) {
    QStringList words;
    for (const SpokenWord& w : spokenWords(sentence).spoken)
        words << w.text;
    return words.join(QLatin1Char(' '));
}

TEST(SpokenWords, SaysWhatAReaderSays) {
    struct Case {
        const char* written;
        const char* said;
    };
    const Case cases[] = {
        {"He was not an ill-disposed young man.", "he was not an ill disposed young man"},
        {"\"Don't!\" she cried, (quietly).", "don't she cried quietly"},
        {"It\u2019s Mr. Dashwood and Dr. Smith.", "it's mister dashwood and doctor smith"},
        {"In 1455 the war began.", "in fourteen fifty five the war began"},
        {"Only 3 of 21 came.", "only three of twenty one came"},
        {"On the 21st of May", "on the twenty first of may"},
        {"It costs $5, or $1.50.", "it costs five dollars or one dollar and fifty cents"},
        {"About 40% of it", "about forty percent of it"},
        {"The U.S. army, e.g. its cavalry", "the u s army for example its cavalry"},
        {"Pi is 3.14", "pi is three point one four"},
        {"A café in Zürich", "a cafe in zurich"},
        {"Salt & pepper \u2014 on an MP3", "salt and pepper on an mp three"},
        {"\u4f60\u597d world", "world"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(saidAs(QString::fromUtf8(c.written)), QString::fromUtf8(c.said)) << c.written;
}

TEST(SpokenWords, EverySpokenWordKnowsItsWrittenWord) {
    const SpokenSentence s = spokenWords(QStringLiteral("In 1455, Mr. Grey left."));
    ASSERT_EQ(s.written, (QStringList{"In", "1455,", "Mr.", "Grey", "left."}));
    std::vector<int> from;
    for (const SpokenWord& w : s.spoken)
        from.push_back(w.written);
    // in | fourteen fifty five | mister | grey | left
    EXPECT_EQ(from, (std::vector<int>{0, 1, 1, 1, 2, 3, 4}));
}

TEST(Pronunciation, CarriesEspeakPhonemesOverToTheModelsPhones) {
    struct Case {
        const char* espeak;
        const char* model;
    };
    const Case cases[] = {
        {"k_'aU", "K AW"},
        {"h_'i@3_v_E_k_s", "HH IH R V EH K S"},
        {"T_'V_r_oU_l_i", "TH AH R OW L IY"},
        {"dZ_'V_dZ", "JH AH JH"},
        {"b_'V_t#_3", "B AH T ER"},
        {"'E_n_I2_T_,I_N", "EH N IH TH IH NG"},
        {"s_t_'A@_t", "S T AA R T"},
        {"?_'a", "AE"}, // a glottal stop has no phone of its own
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(modelPhonesFromEspeak(QString::fromLatin1(c.espeak)),
                  QString::fromLatin1(c.model))
            << c.espeak;
}

TEST(Pronunciation, SpellsOutWordsWithoutEspeak) {
    EXPECT_EQ(modelPhonesFromSpelling(QStringLiteral("chip")), QStringLiteral("CH IH P"));
    EXPECT_EQ(modelPhonesFromSpelling(QStringLiteral("Shade")), QStringLiteral("SH AE D"));
    EXPECT_EQ(modelPhonesFromSpelling(QStringLiteral("quest")), QStringLiteral("K W EH S T"));
    EXPECT_TRUE(modelPhonesFromSpelling(QStringLiteral("'")).isEmpty());
}

} // namespace
