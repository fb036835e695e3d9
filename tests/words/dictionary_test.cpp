// The dictionary the program ships, looked up as the learner and the tool do.
#include "dictionary.h"

#include <gtest/gtest.h>

using namespace hearvex::words;

namespace {

class ShippedDictionary : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(m_dictionary.open(Dictionary::defaultPath(HEARVEX_DATA_DIR), &error))
            << error.toStdString();
    }
    Dictionary m_dictionary;
};

} // namespace

TEST_F(ShippedDictionary, CommonAndRareWords) {
    struct Case {
        const char* word;
        const char* lemma;
        int band;
        const char* ipa;   // from the CMU dictionary
        const char* gloss; // part of a gloss of the word or its lemma
    } cases[] = {
        {"ran", "run", 1, "ɹæn", "跑"},
        {"Children,", "child", 1, "ˈtʃɪldɹən", "孩"},
        {"better", "well", 1, "ˈbɛtɚ", "好"}, // the lemma list's first lemma for it
        {"Teachers'", "teacher", 1, "ˈtitʃɚz", "教师"},
        {"apples", "apple", 2, "ˈæpəlz", "苹果"},
        {"dictation", "dictation", 4, "dɪkˈteɪʃən", "听写"},
        {"serendipity", "serendipity", 5, "ˌsɛɹənˈdɪpɪti", "奇缘"},
    };
    for (const Case& c : cases) {
        const WordEntry entry = m_dictionary.lookup(QString::fromUtf8(c.word));
        EXPECT_TRUE(entry.found) << c.word;
        EXPECT_EQ(entry.lemma, QString::fromUtf8(c.lemma)) << c.word;
        EXPECT_EQ(entry.band, c.band) << c.word << " rank " << entry.rank;
        EXPECT_EQ(entry.ipa, QString::fromUtf8(c.ipa)) << c.word;
        const QString glosses = (entry.glosses + entry.lemmaGlosses).join(' ');
        EXPECT_TRUE(glosses.contains(QString::fromUtf8(c.gloss)))
            << c.word << ": " << glosses.toStdString();
        EXPECT_EQ(m_dictionary.lemmaOf(QString::fromUtf8(c.word)), QString::fromUtf8(c.lemma));
        EXPECT_EQ(m_dictionary.band(QString::fromUtf8(c.word)), c.band);
        EXPECT_TRUE(m_dictionary.isWord(QString::fromUtf8(c.word)));
    }
}

TEST_F(ShippedDictionary, ALemmaListsItsForms) {
    const WordEntry run = m_dictionary.lookup(QStringLiteral("run"));
    EXPECT_TRUE(run.forms.contains(QStringLiteral("ran")));
    EXPECT_TRUE(run.forms.contains(QStringLiteral("running")));
    EXPECT_TRUE(run.lemmaGlosses.isEmpty());
    EXPECT_EQ(m_dictionary.lookup(QStringLiteral("ran")).forms, run.forms);
}

TEST_F(ShippedDictionary, UnknownWordsAreNotWordsButStillPronounced) {
    for (const char* word : {"blorptastic", "qzxvw", "hearvexing"}) {
        const WordEntry entry = m_dictionary.lookup(QString::fromUtf8(word));
        EXPECT_FALSE(entry.found) << word;
        EXPECT_TRUE(entry.glosses.isEmpty()) << word;
        EXPECT_EQ(entry.band, 5) << word;
        EXPECT_FALSE(entry.ipa.isEmpty()) << word; // eSpeak NG's
        EXPECT_FALSE(m_dictionary.isWord(QString::fromUtf8(word))) << word;
    }
}
