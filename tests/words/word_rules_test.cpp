// The small rules of looking a word up: the word under a position, the
// spellings tried, the frequency band and ARPAbet read as IPA.
#include "frequency_band.h"
#include "pronunciation.h"
#include "word_form.h"

#include <gtest/gtest.h>

using namespace hearvex::words;

TEST(WordRules, WordAtPosition) {
    const QString text = QStringLiteral("He ran, didn't he? The U.S. well-known  end.");
    struct Case {
        int position;
        const char* word;
    } cases[] = {
        {0, "He"},   {1, "He"},   {2, "He"}, // the caret right after a word
        {4, "ran"},  {6, "ran"},  {7, "ran"},         {8, "didn't"}, {13, "didn't"},
        {18, "he"},  {23, "U.S"}, {28, "well-known"}, {39, ""},      {42, "end"},
        {44, "end"}, {-1, ""},    {100, "end"},
    };
    for (const Case& c : cases) {
        const TextWord word = wordAt(text, c.position);
        EXPECT_EQ(word.text, QString::fromUtf8(c.word)) << "position " << c.position;
        const QString covered = word.start < 0 ? QString() : text.mid(word.start, word.length);
        EXPECT_EQ(covered, word.text) << "position " << c.position;
    }
}

TEST(WordRules, CandidatesForASentencesWord) {
    struct Case {
        const char* word;
        QStringList candidates;
    } cases[] = {
        {"ran", {"ran"}},
        {"  Ran,", {"Ran"}},
        {"“quoted”", {"quoted"}},
        {"U.S.", {"U.S", "U.S."}},
        {"end.", {"end", "end."}},
        {"dog’s", {"dog's", "dog"}},
        {"teachers'", {"teachers"}},
        {"(it's)", {"it's", "it"}},
        {"...", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lookupCandidates(QString::fromUtf8(c.word)), c.candidates) << c.word;
}

TEST(WordRules, BandOfRank) {
    const std::pair<int, int> cases[] = {{1, 1},     {2000, 1},  {2001, 2},  {5000, 2},
                                         {5001, 3},  {10000, 3}, {10001, 4}, {20000, 4},
                                         {20001, 5}, {84000, 5}, {0, 5},     {-3, 5}};
    for (const auto& [rank, band] : cases)
        EXPECT_EQ(bandOfRank(rank), band) << "rank " << rank;
    for (int band = 1; band <= 5; ++band)
        EXPECT_TRUE(bandText(band).startsWith(QString::number(band)));
}

TEST(WordRules, ArpabetAsIpa) {
    struct Case {
        const char* arpabet;
        const char* ipa;
    } cases[] = {
        {"R AE1 N", "ɹæn"},        // one syllable: no mark
        {"AH0 B AW1 T", "əˈbaʊt"}, // unstressed AH is a schwa
        {"B AH1 T ER0", "ˈbʌtɚ"},  // stressed AH, unstressed ER
        {"W ER1 K ER0", "ˈwɝkɚ"},
        {"IH2 N F ER0 M EY1 SH AH0 N", "ˌɪnfɚˈmeɪʃən"},             // the mark before the onset
        {"EH0 K S T R AO1 R D AH0 N EH2 R IY0", "ɛkˈstɹɔɹdəˌnɛɹi"}, // "str" starts a syllable
        {"D IH0 K T EY1 SH AH0 N", "dɪkˈteɪʃən"},                   // "kt" does not
        {"TH IH1 NG K IH0 NG", "ˈθɪŋkɪŋ"},
        {"JH UH1 D IY0", "ˈdʒʊdi"},
        {"", ""},
        {"R AE1 N XX", ""}, // not ARPAbet
        {"R AE N", ""},     // a vowel without its stress
        {"R1 AE1 N", ""},   // a consonant with one
    };
    for (const Case& c : cases)
        EXPECT_EQ(arpabetToIpa(QString::fromUtf8(c.arpabet)), QString::fromUtf8(c.ipa))
            << c.arpabet;
}

TEST(WordRules, EspeakPronouncesWordsTheDictionaryLacks) {
    const QString ipa = espeakIpa(QStringLiteral("blorptastic"));
    EXPECT_FALSE(ipa.isEmpty());
    EXPECT_TRUE(ipa.contains(u'b') && ipa.contains(u'l')) << ipa.toStdString();
    EXPECT_TRUE(espeakIpa(QStringLiteral("  ")).isEmpty());
}
