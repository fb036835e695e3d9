// The keyword scan: which word of the sentence a position stands in.
#include "keyword_scan.h"

#include <gtest/gtest.h>

using hearvex::exercise::wordAt;

TEST(KeywordScan, WordsAreAsciiLettersDigitsAndUnderscores) {
    const QString s = QStringLiteral("I don't know_it, in 1990s. Café");
    const auto at = [&](const char* prefix) {
        return wordAt(s, static_cast<int>(qstrlen(prefix)));
    };
    EXPECT_EQ(at(""), QStringLiteral("I"));
    EXPECT_EQ(at("I "), QStringLiteral("don")); // the first letter gives the whole word
    EXPECT_EQ(at("I do"), QStringLiteral("don"));
    EXPECT_EQ(at("I don"), QString());            // the apostrophe
    EXPECT_EQ(at("I don'"), QStringLiteral("t")); // don't is two words
    EXPECT_EQ(at("I don't kno"), QStringLiteral("know_it"));
    EXPECT_EQ(at("I don't know_it"), QString());  // the comma
    EXPECT_EQ(at("I don't know_it,"), QString()); // a space
    EXPECT_EQ(at("I don't know_it, in 19"), QStringLiteral("1990s"));
    EXPECT_EQ(at("I don't know_it, in 1990s. C"), QStringLiteral("Caf")); // é ends a word
    EXPECT_EQ(wordAt(s, static_cast<int>(s.size()) - 1), QString());      // é itself
}

TEST(KeywordScan, NothingBeyondTheTextOrOutsideSixteenBitPositions) {
    EXPECT_EQ(wordAt(QStringLiteral("end"), 3), QString());
    EXPECT_EQ(wordAt(QStringLiteral("end"), 2), QStringLiteral("end"));
    EXPECT_EQ(wordAt(QStringLiteral("end"), -1), QString());
    EXPECT_EQ(wordAt(QString(), 0), QString()); // no lesson loaded
    const QString longText = QString(40000, QLatin1Char('a'));
    EXPECT_EQ(wordAt(longText, 32766).size(), 40000);
    EXPECT_EQ(wordAt(longText, 32767), QString());
}
