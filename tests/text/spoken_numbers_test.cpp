// Numbers in digits read as words.
#include "spoken_numbers.h"

#include <gtest/gtest.h>

using namespace hearvex::text;

TEST(SpokenNumbers, CardinalsAndOrdinals) {
    struct Case {
        long long number;
        const char* cardinal;
        const char* ordinal;
    };
    const Case cases[] = {
        {0, "zero", "zeroth"},
        {3, "three", "third"},
        {12, "twelve", "twelfth"},
        {20, "twenty", "twentieth"},
        {21, "twenty-one", "twenty-first"},
        {100, "one hundred", "one hundredth"},
        {105, "one hundred five", "one hundred fifth"},
        {1455, "one thousand four hundred fifty-five", "one thousand four hundred fifty-fifth"},
        {2000000, "two million", "two millionth"},
        {1000001, "one million one", "one million first"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cardinalWords(c.number), QLatin1String(c.cardinal)) << c.number;
        EXPECT_EQ(ordinalWords(c.number), QLatin1String(c.ordinal)) << c.number;
    }
    EXPECT_TRUE(cardinalWords(-1).isEmpty());
    EXPECT_TRUE(cardinalWords(kLargestSpokenNumber + 1).isEmpty());
}

TEST(SpokenNumbers, ReadingsOfTokensMostUsualFirst) {
    struct Case {
        const char* token;
        QStringList readings;
    };
    const Case cases[] = {
        {"3", {"three"}},
        {"21st", {"twenty-first"}},
        {"2ND", {"second"}},
        {"1455",
         {"fourteen fifty-five", "one thousand four hundred fifty-five",
          "one thousand four hundred and fifty-five"}},
        {"1905",
         {"nineteen oh five", "one thousand nine hundred five",
          "one thousand nine hundred and five"}},
        {"1900", {"nineteen hundred", "one thousand nine hundred"}},
        {"2005", {"two thousand five", "two thousand and five"}},
        {"2020", {"twenty twenty", "two thousand twenty", "two thousand and twenty"}},
        {"1,000", {"one thousand"}},
        {"3.5", {"three point five"}},
        {"0.25", {"zero point two five"}},
        {"650", {"six hundred fifty", "six hundred and fifty"}},
        {"9:30", {"nine thirty"}},
        {"10:05", {"ten oh five"}},
        {"7:00", {"seven o'clock", "seven", "seven hundred"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(spokenReadings(QLatin1String(c.token)), c.readings) << c.token;
}

TEST(SpokenNumbers, NotNumbersHaveNoReading) {
    for (const char* token :
         {"", "abc", "3rd4", "1,00", "12a", "3.5th", "1.", "9999999999999", "25:00", "9:7", "9:60"})
        EXPECT_TRUE(spokenReadings(QLatin1String(token)).isEmpty()) << token;
}

TEST(SpokenNumbers, KeyIgnoresHyphensAndAndCase) {
    EXPECT_EQ(numberWordsKey(QStringLiteral("One thousand four hundred and fifty-five")),
              QStringLiteral("one thousand four hundred fifty five"));
    EXPECT_EQ(numberWordsKey(QStringLiteral("twenty-first")), QStringLiteral("twenty first"));
    EXPECT_EQ(numberWordsKey(QStringLiteral("a hundred and a half")),
              QStringLiteral("one hundred a half"));
}
