// Keeping a looked-up word from the main window: with the sentence of the
// lesson under practice and the word's place in it, into the record's word book.
#include "form1.h"
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "scripted_engine.h"
#include "word_book.h"
#include "word_book_keeper.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;

TEST(PositionInSentence, WholeWordsWhateverTheirCase) {
    struct Case {
        const char* word;
        int position;
    };
    const QString sentence = QStringLiteral("It's the theatre, the Theatre's door.");
    const Case cases[] = {{"the", 5},   {"theatre", 9}, {"Theatre's", 22}, {"it's", 0},
                          {"door", 32}, {"he", -1},     {"", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(hearvex::positionInSentence(sentence, QString::fromUtf8(c.word)), c.position)
            << c.word;
}

TEST(KeepInWordBook, TheWordGoesInWithTheLessonUnderPractice) {
    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
    form.setProgramDir(dir.path());
    form.player().setMessageHandler([](const QString&) {});
    form.load();
    const QString recordPath = dir.filePath(QStringLiteral("record/practice.sqlite3"));
    form.recorder().open(recordPath);
    form.recorder().settle();

    // No lesson yet: nothing to keep it with.
    EXPECT_FALSE(hearvex::keepInWordBook(form.recorder(), QStringLiteral("press")).isEmpty());

    const QString folder = hearvex::lessons::lessonFolder(dir.path());
    QDir().mkpath(folder);
    const QString recording = folder + QStringLiteral("/unit1.txt");
    ASSERT_TRUE(hearvex::testing::writeBytes(recording, "recording"));
    engine.addTrack(recording.toStdString(), "unit1", 30);
    form.startLesson(QStringLiteral("The letterpress was shown."), recording);
    EXPECT_EQ(hearvex::keepInWordBook(form.recorder(), QStringLiteral("letterpress")), QString());

    QString reason;
    const auto book = hearvex::record::WordBook::open(recordPath, &reason);
    ASSERT_TRUE(book) << reason.toStdString();
    const auto words = book->words();
    ASSERT_EQ(words.size(), 1u);
    ASSERT_EQ(words[0].kept.size(), 1u);
    EXPECT_EQ(words[0].kept[0].lesson.sentence, QStringLiteral("The letterpress was shown."));
    EXPECT_EQ(words[0].kept[0].lesson.recordingName, QStringLiteral("unit1.txt"));
    EXPECT_EQ(words[0].kept[0].position, 4);
}
