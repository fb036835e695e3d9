// The lesson-text format: the cipher, the reading rules and the text file's name.
#include "lesson_file.h"
#include "lessons/lesson_files.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using hearvex::testing::writeBytes;

namespace {
QByteArray enciphered(const QByteArray& plain) {
    return xorWithKey(plain);
}
} // namespace

TEST(LessonCipher, EachByteTakesTheNextKeyLetterAndTheFifthStartsOver) {
    const QByteArray plain("Hello");
    const QByteArray coded = xorWithKey(plain);
    ASSERT_EQ(coded.size(), 5);
    EXPECT_EQ(coded[0], char('H' ^ 'k'));
    EXPECT_EQ(coded[1], char('e' ^ 'q'));
    EXPECT_EQ(coded[2], char('l' ^ 'z'));
    EXPECT_EQ(coded[3], char('l' ^ 'v'));
    EXPECT_EQ(coded[4], char('o' ^ 'k'));
    EXPECT_EQ(xorWithKey(coded), plain);
    // 7-bit text stays 7-bit.
    for (char c : xorWithKey(QByteArray("~ Az09\r\n\t")))
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(LessonText, DropsEveryKeyAndTheOuterSpacesOnly) {
    EXPECT_EQ(lessonTextFromBytes(enciphered("  Hellokqzvworld  ")), QStringLiteral("Helloworld"));
    EXPECT_EQ(lessonTextFromBytes(enciphered("kqzv")), QString());
    EXPECT_EQ(lessonTextFromBytes(enciphered("kqzvAkqzvBkqzv")), QStringLiteral("AB"));
    EXPECT_EQ(lessonTextFromBytes(QByteArray()), QString());
    // Tabs and line breaks at the ends stay; the key is case-sensitive.
    EXPECT_EQ(lessonTextFromBytes(enciphered("\t One.\r\nTwo KQZV \r\n  ")),
              QStringLiteral("\t One.\r\nTwo KQZV \r\n"));
}

TEST(LessonText, ReadsBytesFromTheHighHalfAsGbkAndNeverFails) {
    // 中文 in GBK.
    EXPECT_EQ(lessonTextFromBytes(enciphered("Hi \xD6\xD0\xCE\xC4")), QStringLiteral("Hi 中文"));
    // A lead byte with no valid second byte becomes U+FFFD; the ASCII after it survives.
    const QString broken = lessonTextFromBytes(enciphered("a\x81 b"));
    EXPECT_TRUE(broken.contains(QChar(QChar::ReplacementCharacter))) << broken.toStdString();
    EXPECT_TRUE(broken.endsWith(QStringLiteral(" b")));
    // Any bytes at all: a text, never a crash.
    auto* random = QRandomGenerator::global();
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes(static_cast<int>(random->bounded(64)), '\0');
        for (char& b : bytes)
            b = static_cast<char>(random->bounded(256));
        const QString text = lessonTextFromBytes(bytes);
        EXPECT_FALSE(text.startsWith(QLatin1Char(' ')));
    }
}

TEST(LessonText, WritesWhatItReads) {
    const QString plain = QStringLiteral("Where is the station?\r\n第二行：车站在哪里？");
    EXPECT_EQ(lessonTextFromBytes(encipherLessonText(plain)), plain);
    // The enciphered bytes of ASCII text are the plain bytes XOR the key.
    EXPECT_EQ(encipherLessonText(QStringLiteral("abc")), xorWithKey("abc"));
    // GBK has no emoji: nothing is written and the place is reported.
    const QString emoji = QStringLiteral("ok 😀");
    EXPECT_EQ(firstUnencodable(emoji), 3);
    EXPECT_TRUE(encipherLessonText(emoji).isEmpty());
    // Nor the music sign or the copyright sign, though both are in Unicode's first plane.
    EXPECT_EQ(firstUnencodable(QStringLiteral("la ♪ ©")), 3);
    EXPECT_EQ(firstUnencodable(QStringLiteral("la ©")), 3);
    EXPECT_EQ(firstUnencodable(plain), -1);
}

TEST(TextFileName, ReplacesEveryLowerCaseTxtInTheWholeName) {
    EXPECT_EQ(textFileName(QStringLiteral("unit3.txt")), QStringLiteral("unit3.kvx"));
    EXPECT_EQ(textFileName(QStringLiteral("txtunit.txt")), QStringLiteral("kvxunit.kvx"));
    EXPECT_EQ(textFileName(QStringLiteral("UNIT1.TXT")), QStringLiteral("UNIT1.TXT"));
    EXPECT_EQ(textFileName(QStringLiteral("Unit.Txt")), QStringLiteral("Unit.Txt"));
    EXPECT_EQ(textFileName(QStringLiteral("第1课.txt")), QStringLiteral("第1课.kvx"));
}

TEST(ReadLessonText, ReadsAFileUpToTheFormatsLimitAndRefusesLongerOnes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kvx");

    ASSERT_TRUE(writeBytes(path, enciphered("Short.")));
    LessonText read = readLessonText(path);
    EXPECT_EQ(read.status, LessonTextStatus::Read);
    EXPECT_EQ(read.text, QStringLiteral("Short."));

    ASSERT_TRUE(writeBytes(path, QByteArray()));
    read = readLessonText(path);
    EXPECT_EQ(read.status, LessonTextStatus::Read);
    EXPECT_EQ(read.text, QString());

    QByteArray longest(static_cast<int>(kMaxLessonTextBytes), 'x');
    ASSERT_TRUE(writeBytes(path, enciphered(longest)));
    read = readLessonText(path);
    EXPECT_EQ(read.status, LessonTextStatus::Read);
    EXPECT_EQ(read.text.size(), kMaxLessonTextBytes);

    ASSERT_TRUE(writeBytes(path, enciphered(longest + 'x')));
    read = readLessonText(path);
    EXPECT_EQ(read.status, LessonTextStatus::TooLarge);
    EXPECT_EQ(read.text, QString());
}

TEST(ReadLessonText, AMissingFileOrAFolderIsMissing) {
    QTemporaryDir dir;
    EXPECT_EQ(readLessonText(dir.filePath("none.kvx")).status, LessonTextStatus::Missing);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.kvx"));
    EXPECT_EQ(readLessonText(dir.filePath("folder.kvx")).status, LessonTextStatus::Missing);
}

TEST(LessonTextFile, NamedByTheGbkBytesOfAWindowsLessonPack) {
    // 第一课 in GBK; 0x81 0x74 is one GBK character whose second byte is 't'.
    const struct {
        QByteArray listed, text;
    } names[] = {
        {"\xB5\xDA\xD2\xBB\xBF\xCE.txt", "\xB5\xDA\xD2\xBB\xBF\xCE.kvx"},
        {"\x81txt.txt", "\x81txt.kvx"}, // "t" of the character, then "xt": no "txt"
        {"\x81tttxt.txt", "\x81ttkvx.kvx"},
        {"\xE7\xAC\xAC txt.txt", "\xE7\xAC\xAC kvx.kvx"}, // UTF-8: as textFileName
        {"UNIT1.TXT", "UNIT1.TXT"},
    };
    for (const auto& name : names)
        EXPECT_EQ(textFileNameBytes(name.listed), name.text) << name.listed.toHex().toStdString();

    QTemporaryDir dir;
    hearvex::testing::ByteNamedFiles byteNamed;
    const QByteArray folder = QFile::encodeName(dir.path());
    ASSERT_TRUE(writeBytes(dir.filePath("plain"), enciphered("Lesson one.")));
    ASSERT_TRUE(hearvex::testing::moveToByteName(dir.filePath("plain"),
                                                 byteNamed(folder + "/" + names[0].text)));
    const LessonText read = readLessonTextFile(folder + "/" + names[0].text);
    EXPECT_EQ(read.status, LessonTextStatus::Read);
    EXPECT_EQ(read.text, QStringLiteral("Lesson one."));
}
