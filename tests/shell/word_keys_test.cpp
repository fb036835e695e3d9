// Looking a word up from the main window (F2) on the real window with a
// scripted engine and the dictionary the program ships.
#include "form1.h"
#include "lessons/lesson_files.h"
#include "scripted_engine.h"
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
