// Readings of words from a pronouncing dictionary in the CMU format.
#include "cmu_readings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::exercise;

TEST(CmuReadings, EveryReadingOfAWordWithoutStress) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("small.dict"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Not in byte order, as the shipped file is not: the index sorts it.
    file.write("'cause K AH1 Z\n"
               "the DH AH0\n"
               "the(2) DH IY1\n"
               "a AH0\n"
               "a(2) EY1\n"
               "their DH EH1 R\n"
               "there DH EH1 R # a comment\n"
               "theirs DH EH1 R Z\n");
    file.close();
    const CmuReadings readings(path);
    ASSERT_TRUE(readings.isOpen());
    struct Case {
        const char* word;
        QStringList readings;
    };
    const Case cases[] = {
        {"the", {"DH AH", "DH IY"}},
        {"a", {"AH", "EY"}},
        {"their", {"DH EH R"}},
        {"there", {"DH EH R"}},
        {"theirs", {"DH EH R Z"}},
        {"'cause", {"K AH Z"}},
        {"thei", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readings.readings(QLatin1String(c.word)), c.readings) << c.word;
}

TEST(CmuReadings, MissingFileGivesNothing) {
    const CmuReadings readings(QStringLiteral("/nonexistent/cmudict"));
    EXPECT_FALSE(readings.isOpen());
    EXPECT_TRUE(readings.readings(QStringLiteral("the")).isEmpty());
}
