// A lesson from start to check on the real engine (dummy sound driver): the
// program starts, the learner double-clicks a lesson in the library, hears it,
// types the sentence and sees the words typed right uncovered.
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "startup.h"
#include "support/wait_for.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using hearvex::testing::writeLessonText;
using hearvex::testing::writeRecording;

TEST(LessonEndToEnd, StartTypeCheckOnTheRealEngine) {
    QTemporaryDir dir;
    const QString lessons = hearvex::lessons::lessonFolder(dir.path());
    ASSERT_TRUE(QDir().mkpath(lessons));
    ASSERT_TRUE(writeRecording(lessons + "/lesson01.txt", 3.0));
    ASSERT_TRUE(writeLessonText(lessons + "/lesson01.kvx", QStringLiteral("Good morning.")));
    ASSERT_TRUE(writeRecording(lessons + "/lesson02.txt", 4.0, /*mp3=*/true));
    ASSERT_TRUE(writeLessonText(
        lessons + "/lesson02.kvx",
        QStringLiteral("  The bus leakqzvves at 7:30.\r\nA note for the teacher.  ")));

    auto engine = hearvex::makeVbmp3Engine();
    {
        hearvex::Startup startup(*engine, dir.path());
        startup.begin();
        startup.splash()->controls().Timer1->tick();
        hearvex::Form1& form1 = *startup.form1();
        std::vector<QString> messages;
        form1.player().setMessageHandler([&](const QString& m) { messages.push_back(m); });
        hearvex::lessons::Form3& form3 = form1.form3();
        ASSERT_EQ(form3.controls().File1->listCount(), 2);

        // Double-click the second lesson.
        hearvex::lessons::FileList* list = form3.controls().File1;
        const QPoint entry = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry);

        ASSERT_TRUE(messages.empty()) << messages.front().toStdString();
        EXPECT_EQ(form1.lessonState().curLesson, 2);
        EXPECT_EQ(form1.controls().txtFile->text(), lessons + "/lesson02.txt");
        EXPECT_EQ(form1.controls().lbTotalSec->caption(), QStringLiteral("00:04"));
        EXPECT_EQ(form1.exercise().answerText(), QStringLiteral("The bus leaves at 7:30."));
        EXPECT_EQ(form1.controls().RichTextBox1[0]->text(),
                  QStringLiteral("*** *** ****** ** 7:30."));
        HEARVEX_WAIT_FOR(form1.controls().RichTextBox1[1]->hasFocus());

        // It plays: the time moves on.
        int32_t pos = 0;
        EXPECT_EQ(engine->getState(&pos), 1);
        HEARVEX_WAIT_FOR_MS(form1.controls().scSeek->value() >= 1, 5000);

        // The learner types what they heard, one word wrong and one on its own line.
        QTest::keyClicks(form1.controls().RichTextBox1[1], QStringLiteral("The bus leave"));
        QTest::keyClick(form1.controls().RichTextBox1[1], Qt::Key_Return);
        QTest::keyClicks(form1.controls().RichTextBox1[1], QStringLiteral("at 7:30."));
        QTest::mouseClick(form1.controls().Image2[6], Qt::LeftButton); // 错误记录: the check
        EXPECT_EQ(form1.controls().RichTextBox1[0]->text(),
                  QStringLiteral("The bus ****** at 7:30. "));

        // The next lesson from the list: a new sentence, an empty typing box.
        list->setListIndex(0);
        QTest::mouseClick(form3.controls().Image1, Qt::LeftButton);
        EXPECT_EQ(form1.controls().RichTextBox1[0]->text(), QStringLiteral("**** *******."));
        EXPECT_EQ(form1.controls().RichTextBox1[1]->text(), QString());
        EXPECT_EQ(form1.controls().lbTotalSec->caption(), QStringLiteral("00:03"));
        EXPECT_EQ(form1.lessonState().curLesson, 1);

        engine->stop();
    }
    engine->stopCallback();
    engine->free();
}

// A lesson pack unzipped from Windows: its names are GBK bytes. Every lesson
// is listed, shown in Chinese, and starts by the bytes of its names.
TEST(LessonEndToEnd, ALessonWhoseNamesAreGbkBytesIsListedAndPlays) {
    QTemporaryDir dir;
    hearvex::testing::ByteNamedFiles byteNamed;
    const QString lessons = hearvex::lessons::lessonFolder(dir.path());
    ASSERT_TRUE(QDir().mkpath(lessons));
    const QByteArray folder = QFile::encodeName(lessons);
    const QByteArray gbk("\xB5\xDA\xB6\xFE\xBF\xCE"); // 第二课
    ASSERT_TRUE(writeRecording(lessons + "/lesson01.txt", 2.0));
    ASSERT_TRUE(writeLessonText(lessons + "/lesson01.kvx", QStringLiteral("Good morning.")));
    ASSERT_TRUE(writeRecording(lessons + "/two", 3.0));
    ASSERT_TRUE(writeLessonText(lessons + "/two.kvx", QStringLiteral("See you later.")));
    ASSERT_TRUE(
        hearvex::testing::moveToByteName(lessons + "/two", byteNamed(folder + "/" + gbk + ".txt")));
    ASSERT_TRUE(hearvex::testing::moveToByteName(lessons + "/two.kvx",
                                                 byteNamed(folder + "/" + gbk + ".kvx")));

    auto engine = hearvex::makeVbmp3Engine();
    {
        hearvex::Startup startup(*engine, dir.path());
        startup.begin();
        startup.splash()->controls().Timer1->tick();
        hearvex::Form1& form1 = *startup.form1();
        std::vector<QString> messages;
        form1.player().setMessageHandler([&](const QString& m) { messages.push_back(m); });
        hearvex::lessons::FileList* list = form1.form3().controls().File1;
        ASSERT_EQ(list->listCount(), 2);
        EXPECT_EQ(list->entry(1), QStringLiteral("第二课.txt"));

        list->setListIndex(1);
        QTest::mouseClick(form1.form3().controls().Image1, Qt::LeftButton);
        ASSERT_TRUE(messages.empty()) << messages.front().toStdString();
        EXPECT_EQ(form1.controls().txtFile->text(), lessons + QStringLiteral("/第二课.txt"));
        EXPECT_EQ(form1.controls().lbTotalSec->caption(), QStringLiteral("00:03"));
        EXPECT_EQ(form1.exercise().answerText(), QStringLiteral("See you later."));
        int32_t pos = 0;
        EXPECT_EQ(engine->getState(&pos), 1);
        engine->stop();
    }
    engine->stopCallback();
    engine->free();
}
