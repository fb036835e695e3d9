// The practice record kept by the main window, with a scripted engine and a
// record in a temporary folder: the checks and compares of two lessons with
// their replays, F12 finding a due lesson after a rename, F10 and Esc, the
// library's tooltips (also of the learner's own lessons), and a record that is
// damaged or cannot be written.
#include "due_lessons.h"
#include "form1.h"
#include "lesson_list.h"
#include "lessons/lesson_files.h"
#include "library_record.h"
#include "scripted_engine.h"
#include "support/wait_for.h"
#include "window_place.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using hearvex::Form1;
using hearvex::record::Attempt;
using hearvex::record::AttemptKind;
using hearvex::record::PracticeRecord;
using hearvex::testing::ScriptedEngine;
using Kind = hearvex::exercise::AttemptResult::Kind;

namespace {

const QDateTime kStart(QDate(2026, 12, 7), QTime(10, 0));

class PracticeRecordTest : public ::testing::Test {
protected:
    PracticeRecordTest() {
        form.setProgramDir(dir.path());
        form.player().setMessageHandler([](const QString&) {});
        form.recorder().setClock([this] { return now; });
        form.recorder().setNotice([this](const QString& text) { notices << text; });
        lesson("unit1", QStringLiteral("Good morning, Tom."), "first");
        lesson("unit2", QStringLiteral("I'm from Shanghai."), "second");
        form.load();
        form.show();
    }

    QString folder() const { return hearvex::lessons::lessonFolder(dir.path()); }
    QString recordPath() const { return dir.filePath(QStringLiteral("record/practice.sqlite3")); }

    void lesson(const char* name, const QString& sentence, const QByteArray& bytes) {
        QDir().mkpath(folder());
        const QString recording = folder() + QLatin1Char('/') + name + QStringLiteral(".txt");
        ASSERT_TRUE(hearvex::testing::writeBytes(recording, bytes));
        ASSERT_TRUE(hearvex::testing::writeLessonText(
            folder() + QLatin1Char('/') + name + QStringLiteral(".kvx"), sentence));
        engine.addTrack(recording.toStdString(), name, 30);
    }

    // Starts the lesson at a position of the library as a double-click does.
    void startFromLibrary(int position) {
        form.form3().controls().File1->setListIndex(position);
        form.form3().startSelected();
    }

    void type(const QString& text) { QTest::keyClicks(form.controls().RichTextBox1[1], text); }
    // A check or compare of the typed text as the exercise reports it.
    // A check (Ctrl+Return) or a compare (F9), made as the learner makes it.
    void attempt(Kind kind) {
        if (kind == Kind::Check)
            press(Qt::Key_Return, Qt::ControlModifier);
        else
            press(Qt::Key_F9);
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.controls().RichTextBox1[1], key, modifiers);
    }

    std::vector<Attempt> recorded() {
        form.recorder().settle(); // written on the record's own thread
        hearvex::record::OpenOutcome outcome;
        const auto record = PracticeRecord::open(recordPath(), &outcome, false);
        return record ? record->attempts() : std::vector<Attempt>{};
    }

    QTemporaryDir dir;
    ScriptedEngine engine;
    Form1 form{engine};
    QDateTime now = kStart;
    QStringList notices;
};

} // namespace

TEST_F(PracticeRecordTest, EveryCheckAndCompareIsRecordedWithItsLessonTimeAndReplays) {
    form.recorder().open(recordPath());
    form.recorder().settle();
    startFromLibrary(1); // unit2: "I'm from Shanghai."
    HEARVEX_WAIT_FOR(form.controls().RichTextBox1[1]->hasFocus());
    press(Qt::Key_F5); // a replay
    engine.position = 12;
    press(Qt::Key_F3);                           // a replay
    press(Qt::Key_Escape);                       // pause: no replay
    press(Qt::Key_Escape);                       // resumes 2 s back: a replay
    form.repeat().Image3_MouseUp(0, 1, 0, 0, 0); // the last 10 seconds: a replay
    form.repeat().Timer1_Timer();                // not yet past B
    engine.position = 15;
    form.controls().Timer->tick();
    form.repeat().Timer1_Timer(); // past B: back to A, a replay
    type(QStringLiteral("I'm from Shanghi."));
    now = kStart.addSecs(95);
    press(Qt::Key_F6); // 0.9x
    attempt(Kind::Check);
    attempt(Kind::Compare);

    startFromLibrary(0); // unit1, all right
    type(QStringLiteral("Good morning, Tom."));
    now = kStart.addSecs(130);
    attempt(Kind::Check);
    attempt(Kind::Compare);

    const std::vector<Attempt> attempts = recorded();
    ASSERT_EQ(attempts.size(), 4u);
    const Attempt& check = attempts[0];
    EXPECT_EQ(check.kind, AttemptKind::Check);
    EXPECT_EQ(check.lesson.recordingName, QStringLiteral("unit2.txt"));
    EXPECT_EQ(check.lesson.folder, folder());
    EXPECT_EQ(check.lesson.sentence, QStringLiteral("I'm from Shanghai."));
    EXPECT_EQ(check.lesson.audioHash, hearvex::record::hashRecording(folder() + "/unit2.txt"));
    EXPECT_EQ(check.wordsRight, 2);
    EXPECT_EQ(check.wordsTotal, 3);
    EXPECT_EQ(check.typedText, QStringLiteral("I'm from Shanghi."));
    EXPECT_EQ(check.speedPercent, 90);
    EXPECT_EQ(check.secondsSinceStart, 95);
    EXPECT_EQ(check.replays, 5);
    EXPECT_EQ(attempts[1].kind, AttemptKind::Compare);
    EXPECT_EQ(attempts[1].wordsRight, 2);
    EXPECT_FALSE(attempts[1].missedWords.isEmpty());

    const Attempt& right = attempts[3];
    EXPECT_EQ(right.lesson.recordingName, QStringLiteral("unit1.txt"));
    EXPECT_EQ(right.wordsRight, 3);
    EXPECT_EQ(right.wordsTotal, 3);
    EXPECT_TRUE(right.missedWords.isEmpty());
    EXPECT_EQ(right.replays, 0); // counted afresh for each lesson
    EXPECT_EQ(right.secondsSinceStart, 35);
}

TEST_F(PracticeRecordTest, F12StartsTheDueLessonAfterARenameAndSaysWhenNoneIsDue) {
    form.recorder().open(recordPath());
    form.recorder().settle();
    press(Qt::Key_F12);
    EXPECT_EQ(form.controls().lbDue->caption(), QStringLiteral("现在没有要复习的句子"));
    EXPECT_TRUE(engine.openedPath.empty());

    startFromLibrary(1);
    type(QStringLiteral("I'm from"));
    attempt(Kind::Check);
    form.recorder().settle();
    hearvex::LibraryRecord* tips = form.form3().findChild<hearvex::LibraryRecord*>();
    ASSERT_NE(tips, nullptr);
    EXPECT_TRUE(tips->toolTipOf(1).startsWith(QStringLiteral("上次：2/3")));
    EXPECT_EQ(tips->toolTipOf(0), QStringLiteral("还没有练习过"));

    // Renamed on disk, recording and text; the library follows its folder.
    for (const char* ext : {".txt", ".kvx"})
        ASSERT_TRUE(QFile::rename(folder() + "/unit2" + ext, folder() + "/z-review" + ext));
    engine.addTrack((folder() + "/z-review.txt").toStdString(), "unit", 30);
    form.form3().controls().File1->refresh();
    startFromLibrary(0);
    ASSERT_EQ(engine.openedPath, (folder() + "/unit1.txt").toStdString());

    now = kStart.addSecs(600);
    press(Qt::Key_F12);
    EXPECT_EQ(engine.openedPath, (folder() + "/z-review.txt").toStdString());
    EXPECT_EQ(form.exercise().answerText(), QStringLiteral("I'm from Shanghai."));
    EXPECT_EQ(form.form3().controls().File1->listIndex(), 1);
    EXPECT_TRUE(form.controls().lbDue->caption().isEmpty());
    HEARVEX_WAIT_FOR(form.controls().RichTextBox1[1]->hasFocus());
}

TEST_F(PracticeRecordTest, F10OpensAndClosesTheWindowAndItsEscDoesNotPause) {
    form.recorder().open(recordPath());
    form.recorder().settle();
    startFromLibrary(0);
    engine.state = 1;
    press(Qt::Key_F10);
    hearvex::record::RecordWindow* window = form.recorder().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    engine.clearCalls();
    QTest::keyClick(window->controls().treeDue, Qt::Key_Escape);
    HEARVEX_WAIT_FOR(form.recorder().window() == nullptr);
    EXPECT_EQ(engine.count("pause"), 0);

    press(Qt::Key_F10);
    ASSERT_NE(form.recorder().window(), nullptr);
    press(Qt::Key_F10);
    HEARVEX_WAIT_FOR(form.recorder().window() == nullptr);
}

TEST_F(PracticeRecordTest, ADamagedRecordIsKeptAsideAndToldOnce) {
    QDir().mkpath(QFileInfo(recordPath()).path());
    ASSERT_TRUE(hearvex::testing::writeBytes(recordPath(), QByteArray(4096, 'x')));
    form.recorder().open(recordPath());
    form.recorder().settle();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(form.recorder().isOpen());
    startFromLibrary(0);
    type(QStringLiteral("Good"));
    attempt(Kind::Check);
    EXPECT_EQ(notices.size(), 1);
    EXPECT_EQ(recorded().size(), 1u);
    form.recorder().showWindow();
    hearvex::record::RecordWindow* window = form.recorder().window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->controls().lbStatus->text(), form.recorder().recordNote());
    EXPECT_TRUE(form.recorder().recordNote().contains(QStringLiteral("已损坏")));
}

TEST_F(PracticeRecordTest, AFolderThatCannotBeWrittenNeverStopsPractice) {
    // The record's folder would have to be made inside a regular file.
    ASSERT_TRUE(hearvex::testing::writeBytes(dir.filePath(QStringLiteral("record")), "a file"));
    form.recorder().open(recordPath());
    form.recorder().settle();
    EXPECT_FALSE(form.recorder().isOpen());
    EXPECT_TRUE(notices.isEmpty());
    startFromLibrary(0);
    type(QStringLiteral("Good morning, Tom."));
    attempt(Kind::Check);
    EXPECT_EQ(form.controls().RichTextBox1[0]->text(), QStringLiteral("Good morning, Tom. "));
    press(Qt::Key_F12);
    EXPECT_FALSE(form.controls().lbDue->caption().isEmpty());
    press(Qt::Key_F10);
    hearvex::record::RecordWindow* window = form.recorder().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->controls().lbStatus->text().contains(QStringLiteral("无法保存")));
    EXPECT_FALSE(window->controls().cmdExport->isEnabled());
}

TEST_F(PracticeRecordTest, ALockedRecordIsToldAtOnceAndGetsEveryCheckWhenFreed) {
    form.recorder().open(recordPath());
    form.recorder().settle();
    form.recorder().keeper()->setRetryInterval(30);
    sqlite3* other = nullptr; // another program holding the record's lock
    ASSERT_EQ(sqlite3_open(QFile::encodeName(recordPath()).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);

    startFromLibrary(0);
    type(QStringLiteral("Good"));
    attempt(Kind::Check);
    attempt(Kind::Compare);
    form.recorder().settle();
    const hearvex::controls::Label* line = form.controls().lbRecord;
    EXPECT_EQ(line->caption(), QStringLiteral("练习记录暂时无法写入，已保存 2 次练习，稍后写入"));
    EXPECT_TRUE(line->toolTip().contains(QDir::toNativeSeparators(recordPath())));
    EXPECT_TRUE(line->toolTip().contains(QStringLiteral("其他程序")));
    press(Qt::Key_F10);
    ASSERT_NE(form.recorder().window(), nullptr);
    EXPECT_EQ(form.recorder().window()->controls().lbStatus->text(), line->toolTip());

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    HEARVEX_WAIT_FOR(line->caption().isEmpty());
    EXPECT_EQ(recorded().size(), 2u);
    EXPECT_FALSE(QFile::exists(hearvex::record::pendingJournalPath(recordPath())));
}

TEST_F(PracticeRecordTest, TheRecordWindowOpensWhereItCoversLeastOfTheMainWindow) {
    form.recorder().open(recordPath());
    form.recorder().settle();
    form.move(0, 0);
    press(Qt::Key_F10);
    hearvex::record::RecordWindow* window = form.recorder().window();
    ASSERT_NE(window, nullptr);
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_EQ(window->pos(), hearvex::record::leastCoveringPlace(form.frameGeometry(),
                                                                 window->frameSize(), screen));
    const QRect covered = window->frameGeometry().intersected(form.frameGeometry());
    EXPECT_LT(covered.width() * covered.height(), window->width() * window->height() / 2);
}

namespace {
class HostOfStarts : public hearvex::lessons::LessonHost {
public:
    void startLesson(const QString&, const QString& recordingPath, const QByteArray&) override {
        started << recordingPath;
    }
    QStringList started;
};
} // namespace

TEST(LearnersOwnLessons, HaveTheirOwnTooltipsAndAreFoundInTheListWhenDue) {
    // Installed by a package, the program's folder is root's: the learner's
    // imported lessons are listed from a folder of their own, after its lessons.
    QTemporaryDir dir;
    const hearvex::lessons::LessonFolders folders{dir.filePath(QStringLiteral("program")),
                                                  dir.filePath(QStringLiteral("own"))};
    for (const QString& folder : {folders.program, folders.own})
        QDir().mkpath(folder);
    const QString mine = folders.own + QStringLiteral("/mine.txt");
    const QString sentence = QStringLiteral("My own words.");
    ASSERT_TRUE(hearvex::testing::writeBytes(folders.program + "/unit1.txt", "program's"));
    ASSERT_TRUE(hearvex::testing::writeLessonText(folders.program + "/unit1.kvx",
                                                  QStringLiteral("Not mine.")));
    ASSERT_TRUE(hearvex::testing::writeBytes(mine, "learner's"));
    ASSERT_TRUE(hearvex::testing::writeLessonText(folders.own + "/mine.kvx", sentence));

    QWidget owner;
    HostOfStarts host;
    hearvex::lessons::LessonState state;
    auto* library = new hearvex::lessons::Form3(host, state, folders, &owner);
    library->Form_Load();
    ASSERT_EQ(library->lessonCount(), 2);
    hearvex::PracticeRecorder recorder(owner);
    QDateTime now = kStart;
    recorder.setClock([&] { return now; });
    recorder.open(dir.filePath(QStringLiteral("practice.sqlite3")));
    recorder.lessonStarted(mine, QFile::encodeName(mine), sentence);
    hearvex::exercise::AttemptResult check;
    check.sentence = sentence;
    check.typedText = QStringLiteral("My");
    check.wordsRight = 1;
    check.wordsTotal = 3;
    check.missedWords = QStringList{QStringLiteral("own"), QStringLiteral("words")};
    recorder.record(check, 100);
    recorder.settle();

    hearvex::LibraryRecord tips(
        *library, recorder, [] {}, [] {});
    EXPECT_TRUE(tips.toolTipOf(1).startsWith(QStringLiteral("上次：1/3")));
    EXPECT_EQ(tips.toolTipOf(0), QStringLiteral("还没有练习过"));

    hearvex::controls::Label note(&owner, QString());
    hearvex::DueLessons due(
        recorder, [&]() -> hearvex::lessons::Form3& { return *library; }, host, &note);
    now = kStart.addSecs(600);
    due.startNextDue();
    EXPECT_EQ(host.started, QStringList({mine}));
    EXPECT_EQ(library->controls().File1->listIndex(), 1); // started from the list
    EXPECT_EQ(state.curLesson, 2);
}
