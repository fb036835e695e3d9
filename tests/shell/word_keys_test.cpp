// Looking a word up from the main window (F2) on the real window with a
// scripted engine and the dictionary the program ships.
#include "form1.h"
#include "lessons/lesson_files.h"
#include "scripted_engine.h"
#include "support/tone_file.h"
#include "support/wait_for.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::testing::ScriptedEngine;

namespace {

class WordKeysTest : public ::testing::Test {
protected:
    // The window opens the dictionary beside the program when it is made.
    static void SetUpTestSuite() {
        const QString beside = QCoreApplication::applicationDirPath() + "/dictionary";
        if (!QFileInfo::exists(beside))
            QFile::link(QStringLiteral(HEARVEX_DATA_DIR "/dictionary"), beside);
    }

    WordKeysTest() {
        form.setProgramDir(dir.path());
        form.player().setMessageHandler([](const QString&) {});
        form.load();
        form.show();
    }

    QString track(const QString& name) {
        const QString folder = hearvex::lessons::lessonFolder(dir.path());
        QDir().mkpath(folder);
        const QString path = folder + QLatin1Char('/') + name;
        hearvex::testing::writeBytes(path, "recording");
        engine.addTrack(path.toStdString(), "unit", 20);
        return path;
    }

    // A real recording (MP3 named .txt, as the lessons are), with word times when given.
    QString timedTrack(const QString& name, const QByteArray& wordTimes) {
        const QString path = track(name);
        hearvex::testing::ToneSpec tone;
        tone.seconds = 3;
        tone.channels = 1;
        tone.mp3 = true;
        EXPECT_TRUE(hearvex::testing::writeTone(path, tone));
        if (!wordTimes.isEmpty())
            hearvex::testing::writeBytes(path.chopped(4) + ".words", wordTimes);
        return path;
    }

    // The engine's pauses since the last look.
    int pauses() {
        const int count = int(std::count(engine.calls.begin(), engine.calls.end(), "pause"));
        engine.clearCalls();
        return count;
    }

    hearvex::controls::RichTextBox* typing() { return form.controls().RichTextBox1[1]; }
    hearvex::words::LookupPanel* panel() { return form.wordLookup().panel(); }

    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
};

} // namespace

TEST_F(WordKeysTest, F2LooksUpTheWordAtTheCaretAndTypesNothing) {
    form.startLesson(QStringLiteral("The children ran home."), track("unit1.txt"));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    QTest::keyClicks(typing(), QStringLiteral("The childern ran home."));
    struct Case {
        int caret;
        const char* word;
        const char* lemma; // "" for a lemma
    } cases[] = {
        {14, "ran", "ran → run"},
        {16, "ran", "ran → run"}, // right after it
        {22, "home", ""},         // at the end, after the full stop
        {0, "The", ""},
    };
    for (const Case& c : cases) {
        typing()->setSelStart(c.caret);
        QTest::keyClick(typing(), Qt::Key_F2);
        ASSERT_NE(panel(), nullptr);
        EXPECT_TRUE(panel()->isVisible()) << c.word;
        EXPECT_EQ(panel()->controls().lbWord->text().toLower(), QString(c.word).toLower());
        EXPECT_EQ(panel()->controls().lbLemma->text(), QString::fromUtf8(c.lemma)) << c.word;
        EXPECT_FALSE(panel()->controls().txtGlosses->toPlainText().isEmpty()) << c.word;
    }
    EXPECT_EQ(typing()->text(), QStringLiteral("The childern ran home."));

    // A misspelt word is not in the dictionary: the panel says so.
    typing()->setSelStart(6);
    QTest::keyClick(typing(), Qt::Key_F2);
    EXPECT_TRUE(
        panel()->controls().txtGlosses->toPlainText().contains(QStringLiteral("词典里没有")));
}

TEST_F(WordKeysTest, NoWordAtTheCaretGivesANoteAndEscClosesThePanelOnly) {
    form.startLesson(QStringLiteral("Hello there."), track("unit1.txt"));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    QTest::keyClick(typing(), Qt::Key_F2);
    ASSERT_NE(panel(), nullptr);
    EXPECT_TRUE(panel()->controls().lbWord->text().isEmpty());
    EXPECT_FALSE(panel()->controls().cmdPlay->isEnabled());
    EXPECT_TRUE(panel()->controls().txtGlosses->toPlainText().contains(QStringLiteral("F2")));

    engine.clearCalls();
    QTest::keyClick(panel(), Qt::Key_Escape);
    EXPECT_FALSE(panel()->isVisible());
    for (const std::string& call : engine.calls)
        EXPECT_NE(call, "pause"); // Esc in the panel is the panel's, not the player's
}

TEST_F(WordKeysTest, F11HearsTheCaretsWordFromTheRecordingAndPausesTheLesson) {
    std::vector<QString> notes;
    form.wordPlayer().setNoteShower([&](const QString& note) { notes.push_back(note); });
    form.startLesson(QStringLiteral("The children ran home."),
                     timedTrack("unit2.txt", "0.100\t0.400\t0.90\tThe\n"
                                             "0.400\t0.900\t0.90\tchildren\n"
                                             "0.900\t1.200\t0.90\tran\n"
                                             "1.250\t1.700\t0.90\thome.\n"));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    ASSERT_TRUE(form.wordPlayer().hasWordTimes());
    QTest::keyClicks(typing(), QStringLiteral("The childern"));
    typing()->setSelStart(6);
    engine.state = 1; // the lesson is playing
    pauses();
    QTest::keyClick(typing(), Qt::Key_F11);
    EXPECT_TRUE(notes.empty()) << notes.front().toStdString();
    EXPECT_TRUE(form.wordPlayer().soundPlaying());
    EXPECT_EQ(pauses(), 1);
    EXPECT_EQ(typing()->text(), QStringLiteral("The childern"));

    // The words around it; the lesson is paused already and stays so.
    QTest::keyClick(typing(), Qt::Key_F11, Qt::ShiftModifier);
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(form.wordPlayer().soundPlaying());
    EXPECT_EQ(pauses(), 0);

    // The panel's button: a word of the lesson from the recording, another said by eSpeak NG.
    for (const char* word : {"ran", "school"}) {
        form.wordLookup().lookUp(QString::fromUtf8(word));
        QTest::mouseClick(panel()->controls().cmdPlay, Qt::LeftButton);
        EXPECT_TRUE(notes.empty()) << word;
        EXPECT_TRUE(form.wordPlayer().soundPlaying()) << word;
    }
}

TEST_F(WordKeysTest, WithoutWordTimesF11SaysSoAndTheLessonPlaysOn) {
    std::vector<QString> notes;
    form.wordPlayer().setNoteShower([&](const QString& note) { notes.push_back(note); });
    QTest::keyClick(typing(), Qt::Key_F11); // no lesson yet
    form.startLesson(QStringLiteral("The children ran home."), timedTrack("unit3.txt", {}));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    engine.state = 1;
    pauses();
    QTest::keyClick(typing(), Qt::Key_F11);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_TRUE(notes[0].contains(QStringLiteral("先开始一课")));
    EXPECT_TRUE(notes[1].contains(QStringLiteral("没有词的时间")));
    EXPECT_FALSE(form.wordPlayer().soundPlaying());
    EXPECT_EQ(pauses(), 0);
}

TEST_F(WordKeysTest, ADoubleClickOpensAnUncoveredWordOrACompareTypedOne) {
    form.startLesson(QStringLiteral("The children ran home."), track("unit4.txt"));
    HEARVEX_WAIT_FOR(typing()->hasFocus());
    QTest::keyClicks(typing(), QStringLiteral("The children went home."));
    QTest::keyClick(typing(), Qt::Key_Return, Qt::ControlModifier); // the check
    hearvex::controls::RichTextBox* exerciseBox = form.controls().RichTextBox1[0];
    ASSERT_EQ(exerciseBox->text().trimmed(), QStringLiteral("The children *** home."));
    const auto doubleClick = [](hearvex::controls::RichTextBox* box, int offset) {
        QTextCursor cursor(box->document());
        cursor.setPosition(offset);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {},
                           box->cursorRect(cursor).center() + QPoint(2, 0));
    };
    const auto shownWord = [this] {
        return panel() && panel()->isVisible() ? panel()->controls().lbWord->text() : QString();
    };
    struct Case {
        hearvex::controls::RichTextBox* box;
        int offset;
        bool compareFirst;
        const char* shown; // "" when nothing opens
    } cases[] = {
        {exerciseBox, 5, false, "children"}, // uncovered
        {exerciseBox, 14, false, ""},        // still masked
        {typing(), 14, false, ""},           // typed, not yet compared
        {typing(), 14, true, "went"},        // compared (F9)
    };
    for (const Case& c : cases) {
        if (panel())
            panel()->close();
        if (c.compareFirst)
            QTest::keyClick(typing(), Qt::Key_F9);
        doubleClick(c.box, c.offset);
        EXPECT_EQ(shownWord(), QString::fromUtf8(c.shown)) << c.offset;
    }
}
