// The lesson library window: its design, its list and starting a lesson.
#include "colors.h"
#include "control_error.h"
#include "form3.h"
#include "lesson_list.h"
#include "lesson_set.h"
#include "lessons/lesson_files.h"
#include "support/wait_for.h"
#include "twips.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace hearvex::lessons;
using hearvex::testing::ByteNamedFiles;
using hearvex::testing::moveToByteName;
using hearvex::testing::writeBytes;
using hearvex::testing::writeLessonText;

namespace {

// The main window as the library sees it: every call recorded in order.
class RecordingHost : public LessonHost {
public:
    QStringList calls;
    std::function<void()> onOpen;
    void startLesson(const QString& text, const QString& recordingPath,
                     const QByteArray& recordingFile) override {
        calls << QStringLiteral("start ") + text + QStringLiteral(" | ") + recordingPath;
        EXPECT_EQ(recordingFile, recordingPath.toUtf8());
        if (onOpen)
            onOpen();
    }
};

class LessonLibrary : public ::testing::Test {
protected:
    LessonLibrary() {
        QDir(dir.path()).mkdir(lessonFolderName());
        addLesson("unit1.txt", QStringLiteral("  Onekqzvtwo.  "));
        addLesson("unit2.txt", QStringLiteral("Second lesson.\r\nNot shown."));
        addLesson("unit3.txt", QStringLiteral("Third."));
    }

    QString lessonPath(const QString& name) const {
        return lessonFolder(dir.path()) + QLatin1Char('/') + name;
    }

    void addLesson(const char* recording, const QString& text) {
        const QString name = QString::fromUtf8(recording);
        writeBytes(lessonPath(name), "sound");
        if (!text.isNull())
            writeLessonText(lessonPath(textFileName(name)), text);
    }

    Form3& form() {
        if (!m_form) {
            m_form = std::make_unique<Form3>(host, state, dir.path(), nullptr);
            m_form->Form_Load();
            m_form->show();
        }
        return *m_form;
    }

    void doubleClickEntry(int position) {
        FileList* list = form().controls().File1;
        const QRect place = list->visualItemRect(list->item(position));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }

    QTemporaryDir dir;
    RecordingHost host;
    LessonState state;

private:
    std::unique_ptr<Form3> m_form;
};

} // namespace

TEST_F(LessonLibrary, IsANarrowToolWindowWithItsListAndTwoButtons) {
    Form3& f = form();
    EXPECT_EQ(f.objectName(), QStringLiteral("Form3"));
    EXPECT_EQ(f.size(), QSize(152, 480));
    EXPECT_TRUE(f.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(f.windowType(), Qt::Tool); // no taskbar entry of its own
    // The buttons sit on the window's own colour, with no dark band around them.
    EXPECT_EQ(f.palette().color(QPalette::Window), hearvex::controls::kBackColor);
    EXPECT_EQ(f.controls().File1->objectName(), QStringLiteral("File1"));
    EXPECT_EQ(f.controls().File1->geometry(), hearvex::base::twipsRect(0, 0, 2295, 6570));
    EXPECT_EQ(f.controls().Image1->objectName(), QStringLiteral("Image1"));
    EXPECT_EQ(f.controls().Image1->accessibleName(), QStringLiteral("确定"));
    EXPECT_EQ(f.controls().Image1->geometry(), QRect(0, 448, 78, 24));
    EXPECT_EQ(f.controls().Image2->objectName(), QStringLiteral("Image2"));
    EXPECT_EQ(f.controls().Image2->accessibleName(), QStringLiteral("关闭"));
    EXPECT_EQ(f.controls().Image2->geometry(), QRect(76, 448, 78, 24));
    EXPECT_FALSE(f.controls().Image1->picture().isNull());
}

TEST_F(LessonLibrary, LoadListsTheFolderAndSelectsTheEntryAtCurLesson) {
    state.curLesson = 1;
    EXPECT_EQ(form().controls().File1->listCount(), 3);
    EXPECT_EQ(form().controls().File1->path(), lessonFolder(dir.path()));
    EXPECT_EQ(form().controls().File1->listIndex(), 1);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(LessonLibrary, LoadPastTheEndOfTheListSelectsNothing) {
    state.curLesson = 3;
    EXPECT_EQ(form().controls().File1->listIndex(), -1);
}

TEST_F(LessonLibrary, LoadFinishesAnImportKilledWhileItsLessonsMovedIn) {
    const QByteArray folder = QFile::encodeName(lessonFolder(dir.path()));
    LessonSet::stopCommitsAfterForTesting(2); // the journal and one of two files
    {
        LessonSet set;
        QString error;
        ASSERT_EQ(set.begin(folder, "talk", &error), LessonSet::Begin::Ready);
        writeBytes(QFile::decodeName(set.stagedPath("talk-001.txt")), "sound");
        writeLessonText(QFile::decodeName(set.stagedPath("talk-001.kvx")), QStringLiteral("Hi."));
        EXPECT_FALSE(set.commit({"talk-001.kvx", "talk-001.txt"}, {}, &error));
    }
    LessonSet::stopCommitsAfterForTesting(-1);
    EXPECT_EQ(listLessons(QFile::decodeName(folder)).size(), 3); // the recording is not in yet
    EXPECT_EQ(form().controls().File1->listCount(), 4);
    EXPECT_EQ(QDir(QFile::decodeName(folder))
                  .entryList({QStringLiteral(".import-*")}, QDir::AllEntries | QDir::Hidden),
              QStringList());
}

TEST_F(LessonLibrary, AMissingLessonFolderGivesAnEmptyList) {
    QDir(lessonFolder(dir.path())).removeRecursively();
    EXPECT_EQ(form().controls().File1->listCount(), 0);
    QTest::mouseClick(form().controls().Image1, Qt::LeftButton);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(LessonLibrary, DoubleClickingAnEntryStartsItsLessonInOrder) {
    doubleClickEntry(0);
    EXPECT_EQ(host.calls, QStringList({"start Onetwo. | " + lessonPath("unit1.txt")}));
    EXPECT_EQ(state.curLesson, 1);

    host.calls.clear();
    form().controls().File1->setListIndex(2);
    EXPECT_TRUE(host.calls.isEmpty()); // selecting from code starts nothing
    QTest::mouseClick(form().controls().Image1, Qt::LeftButton);
    EXPECT_EQ(host.calls, QStringList({"start Third. | " + lessonPath("unit3.txt")}));
    EXPECT_EQ(state.curLesson, 3);
}

TEST_F(LessonLibrary, ASingleClickOnlySelects) {
    FileList* list = form().controls().File1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    EXPECT_EQ(list->listIndex(), 2);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(LessonLibrary, WithNothingSelectedNothingStarts) {
    form().controls().File1->setListIndex(-1);
    QTest::mouseClick(form().controls().Image1, Qt::LeftButton);
    QTest::mouseDClick(form().controls().File1->viewport(), Qt::LeftButton, {}, QPoint(70, 400));
    form().startSelected();
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(state.curLesson, 0);
}

TEST_F(LessonLibrary, AMissingOrOversizedTextGivesAnEmptyTextAndStillOpensTheRecording) {
    addLesson("unit4.txt", QString()); // no text file
    writeBytes(lessonPath("unit5.txt"), "sound");
    writeBytes(lessonPath("unit5.kvx"), QByteArray(static_cast<int>(kMaxLessonTextBytes) + 1, 'x'));
    form().controls().File1->setListIndex(3);
    form().startSelected();
    EXPECT_EQ(host.calls, QStringList({"start  | " + lessonPath("unit4.txt")}));
    host.calls.clear();
    form().controls().File1->setListIndex(4);
    form().startSelected();
    EXPECT_EQ(host.calls, QStringList({"start  | " + lessonPath("unit5.txt")}));
    EXPECT_EQ(state.curLesson, 5);
}

TEST_F(LessonLibrary, ARequestWhileALessonIsStartingIsIgnored) {
    host.onOpen = [this] {
        form().controls().File1->setListIndex(2);
        form().startSelected();
    };
    form().controls().File1->setListIndex(0);
    form().startSelected();
    EXPECT_EQ(host.calls.size(), 1);
    EXPECT_EQ(state.curLesson, 1);
    // Once it has finished, the next request runs.
    host.onOpen = nullptr;
    form().startSelected();
    EXPECT_EQ(state.curLesson, 3);
}

TEST_F(LessonLibrary, CloseHidesTheWindowKeepingListAndSelection) {
    form().controls().File1->setListIndex(2);
    QTest::mouseClick(form().controls().Image2, Qt::LeftButton);
    EXPECT_FALSE(form().isVisible());
    form().show();
    EXPECT_EQ(form().controls().File1->listIndex(), 2);
    EXPECT_EQ(form().controls().File1->listCount(), 3);
}

TEST_F(LessonLibrary, TheListRefusesAPositionOutsideIt) {
    EXPECT_THROW(form().controls().File1->setListIndex(3), hearvex::controls::ControlError);
    EXPECT_THROW(form().controls().File1->setListIndex(-2), hearvex::controls::ControlError);
}

TEST_F(LessonLibrary, TheListFollowsItsFolderKeepingTheSelection) {
    FileList* list = form().controls().File1;
    const auto listed = [list](int count) {
        return QTest::qWaitFor([&] { return list->listCount() == count; }, 5000);
    };
    list->setListIndex(1); // unit2

    addLesson("unit0.txt", QStringLiteral("Zero."));
    ASSERT_TRUE(listed(4));
    EXPECT_EQ(list->entry(list->listIndex()), QStringLiteral("unit2.txt")); // the same file

    QFile::remove(lessonPath("unit2.txt"));
    ASSERT_TRUE(listed(3));
    EXPECT_EQ(list->listIndex(), 2); // its place, now unit3's
    QFile::remove(lessonPath("unit3.txt"));
    ASSERT_TRUE(listed(2));
    EXPECT_EQ(list->listIndex(), 1); // the last one, the list being shorter

    // A name in GBK bytes is followed by its bytes.
    ByteNamedFiles byteNamed;
    const QByteArray gbk = QFile::encodeName(lessonFolder(dir.path())) + "/\xbf\xce\xce\xc4.txt";
    writeBytes(lessonPath("plain.tmp"), "sound");
    ASSERT_TRUE(moveToByteName(lessonPath("plain.tmp"), byteNamed(gbk)));
    ASSERT_TRUE(listed(3));
    list->setListIndex(2);
    ASSERT_EQ(list->entry(2), QStringLiteral("课文.txt"));
    addLesson("a.txt", QStringLiteral("A."));
    ASSERT_TRUE(listed(4));
    EXPECT_EQ(list->listIndex(), 3);
    EXPECT_EQ(list->entryFile(3), QByteArray("\xbf\xce\xce\xc4.txt"));

    // Nothing selected stays so.
    list->setListIndex(-1);
    QFile::remove(lessonPath("a.txt"));
    ASSERT_TRUE(listed(3));
    EXPECT_EQ(list->listIndex(), -1);

    // Following the folder starts nothing and leaves the last lesson started alone.
    EXPECT_TRUE(host.calls.isEmpty());
    EXPECT_EQ(state.curLesson, 0);
}

TEST_F(LessonLibrary, ALessonFolderMadeWhileTheProgramRunsIsListed) {
    QDir(lessonFolder(dir.path())).removeRecursively();
    ASSERT_EQ(form().controls().File1->listCount(), 0);
    QDir(dir.path()).mkdir(lessonFolderName());
    addLesson("unit1.txt", QStringLiteral("One."));
    EXPECT_TRUE(QTest::qWaitFor([&] { return form().controls().File1->listCount() == 1; }, 5000));
    EXPECT_EQ(form().controls().File1->listIndex(), -1);
}

TEST_F(LessonLibrary, WhereTheProgramsFolderIsReadOnlyTheLearnersOwnLessonsFollowItsOwn) {
    // The learner's own folder does not exist yet: loading makes it, and a
    // lesson added there later (an import) is listed after the program's.
    const QString own = dir.filePath(QStringLiteral("home/.local/share/hearvex/听力课文"));
    Form3 library(host, state, LessonFolders{lessonFolder(dir.path()), own}, nullptr);
    library.Form_Load();
    ASSERT_TRUE(QFileInfo(own).isDir());
    EXPECT_EQ(library.controls().File1->listCount(), 3);

    writeBytes(own + QStringLiteral("/a-mine.txt"), "sound");
    writeLessonText(own + QStringLiteral("/a-mine.kvx"), QStringLiteral("My own."));
    HEARVEX_WAIT_FOR(library.controls().File1->listCount() == 4);
    EXPECT_EQ(library.controls().File1->entry(0), QStringLiteral("unit1.txt"));
    EXPECT_EQ(library.controls().File1->entry(3), QStringLiteral("a-mine.txt"));
    EXPECT_EQ(library.controls().File1->entryFolder(3), own);
    EXPECT_EQ(library.controls().File1->positionOf("a-mine.txt", own), 3);
    EXPECT_EQ(library.controls().File1->positionOf("a-mine.txt"),
              -1); // not in the program's folder

    // Started from its own folder: its text and its recording there.
    library.controls().File1->setListIndex(3);
    library.startSelected();
    EXPECT_EQ(host.calls, QStringList({QStringLiteral("start My own. | ") + own +
                                       QStringLiteral("/a-mine.txt")}));
}

TEST_F(LessonLibrary, TheToolTipMarksALessonWhoseWordTimesAreUncertain) {
    writeBytes(lessonPath(QStringLiteral("unit1.words")),
               "0.1\t0.4\t0.95\tOne\n0.4\t0.9\t0.90\ttwo.\n");
    writeBytes(lessonPath(QStringLiteral("unit2.words")),
               "0.1\t0.5\t0.40\tSecond\n0.5\t0.9\t0.30\tlesson.\n");
    writeBytes(lessonPath(QStringLiteral("unit3.words")), "damaged\n");
    // Without a source of its own, the mark alone; with one, on a line after it.
    EXPECT_EQ(form().lessonToolTip(0), QString());
    EXPECT_EQ(form().lessonToolTip(1), QStringLiteral("对齐不确定"));
    EXPECT_EQ(form().lessonToolTip(2), QString());
    EXPECT_EQ(form().lessonToolTip(7), QString());
    form().setToolTipSource([](int position) { return QStringLiteral("第 %1 课").arg(position); });
    EXPECT_EQ(form().lessonToolTip(0), QStringLiteral("第 0 课"));
    EXPECT_EQ(form().lessonToolTip(1), QStringLiteral("第 1 课\n对齐不确定"));
}

// The keyboard's way through the library: the keys' step starts the selected
// lesson until one has been started; Enter in the list starts it and gives
// the focus back, Esc gives it back without starting one.
TEST_F(LessonLibrary, TheKeysStartTheSelectedLessonFirstAndEnterAndEscGiveTheFocusBack) {
    const struct {
        int selected;
        int direction;
        QStringList started; // the lessons two steps start
    } cases[] = {{0, +1, {"unit1.txt", "unit2.txt"}},
                 {0, -1, {"unit1.txt"}},
                 {2, +1, {"unit3.txt"}},
                 {-1, +1, {"unit1.txt", "unit2.txt"}},
                 {-1, -1, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        Form3 library(host, state, dir.path(), nullptr);
        library.Form_Load();
        library.controls().File1->setListIndex(c.selected);
        host.calls.clear();
        library.stepOrStartSelected(c.direction);
        library.stepOrStartSelected(c.direction);
        QStringList started;
        for (const QString& call : host.calls)
            started << call.section(QLatin1Char('/'), -1);
        EXPECT_EQ(started, c.started);
    }

    int givenBack = 0;
    form().setFocusReturn([&] { ++givenBack; });
    FileList* list = form().controls().File1;
    list->setListIndex(0);
    form().focusList();
    HEARVEX_WAIT_FOR(list->hasFocus());
    host.calls.clear();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(givenBack, 1);
    EXPECT_TRUE(host.calls.isEmpty());
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(givenBack, 2);
    ASSERT_EQ(host.calls.size(), 1);
    EXPECT_TRUE(host.calls[0].endsWith(QStringLiteral("/unit2.txt")));
    EXPECT_TRUE(form().lessonStarted());
}
