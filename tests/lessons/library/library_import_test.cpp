// Recordings dropped on the lesson library: imported on a worker thread behind
// a progress dialog, listed with the first new lesson selected; cancelled or
// refused, the lesson folder is left as it was.
#include "form3.h"
#include "lesson_file.h"
#include "lesson_list.h"
#include "lessons/import/import_files.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

constexpr int kImportWaitMs = 60000;

// Three cues within the media, the fourth after its end.
const char* const kCues = "1\n00:00:01,000 --> 00:00:02,000\nOne.\n\n"
                          "2\n00:00:03,000 --> 00:00:04,000\nTwo.\n\n"
                          "3\n00:00:05,000 --> 00:00:06,000\nThree.\n\n"
                          "4\n00:00:09,000 --> 00:00:10,000\nToo late.\n";

class NoStart : public LessonHost {
public:
    int started = 0;
    void startLesson(const QString&, const QString&, const QByteArray&) override { ++started; }
};

// A program directory whose lesson folder holds one lesson, and its library
// window loaded and shown, its messages collected.
class Library {
public:
    Library() {
        QDir(m_dir.path()).mkdir(lessonFolderName());
        writeFileBytes(lessonPath(QStringLiteral("a-old.txt")), "sound");
        form = std::make_unique<Form3>(host, state, m_dir.path(), nullptr);
        form->libraryImport().setMessageHandler([this](const QString& m) { messages << m; });
        form->Form_Load();
        form->show();
    }
    QString lessonPath(const QString& name) const {
        return QDir(lessonFolder(m_dir.path())).filePath(name);
    }
    QStringList listing() const { return folderListing(lessonFolder(m_dir.path())); }

    // Drags the files onto the window and drops them, as a file manager does.
    bool drop(const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        const QPoint at(70, 100);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &dropped);
        return dropped.isAccepted();
    }
    bool importEnds() {
        return QTest::qWaitFor([this] { return !form->libraryImport().running(); }, kImportWaitMs);
    }

    NoStart host;
    LessonState state;
    QStringList messages;
    std::unique_ptr<Form3> form;

private:
    QTemporaryDir m_dir;
};

class LibraryImportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_media = new QTemporaryDir;
        ASSERT_TRUE(writeToneMp3(media(), 7.0));
        ASSERT_TRUE(writeToneMp3(s_media->filePath(QStringLiteral("other.mp3")), 1.0));
        ASSERT_TRUE(writeFileBytes(s_media->filePath(QStringLiteral("notes.mp3")), "not sound"));
        // Named unlike the media, so only the dropped file can bring it in.
        ASSERT_TRUE(writeFileBytes(subtitles(), kCues));
    }
    static void TearDownTestSuite() { delete s_media; }
    static QString media() { return s_media->filePath(QStringLiteral("talk.mp3")); }
    static QString subtitles() { return s_media->filePath(QStringLiteral("three.srt")); }

    static inline QTemporaryDir* s_media = nullptr;
};

} // namespace

TEST_F(LibraryImportTest, ADroppedRecordingWithItsSubtitlesIsListedWithItsFirstLessonSelected) {
    Library library;
    FileList* list = library.form->controls().File1;
    ASSERT_EQ(list->listIndex(), 0);
    // A drop over the list reaches the window: the list takes no drops of its own.
    EXPECT_FALSE(list->acceptDrops());
    EXPECT_FALSE(list->viewport()->acceptDrops());

    ASSERT_TRUE(library.drop({media(), subtitles()}));
    EXPECT_TRUE(library.form->libraryImport().running());
    auto* dialog = library.form->findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("导入录音"));
    EXPECT_TRUE(dialog->labelText().startsWith(QStringLiteral("正在导入 talk…")));
    const QPointer<QProgressDialog> shown(dialog);
    // The window goes on while the worker imports: a second drop is not taken.
    EXPECT_FALSE(library.drop({media(), subtitles()}));

    ASSERT_TRUE(library.importEnds());
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->listCount() == 4; }, kImportWaitMs))
        << library.messages.join(QLatin1Char('\n')).toStdString();
    // The cue it could not use is told, not dropped in silence.
    ASSERT_EQ(library.messages.size(), 1);
    EXPECT_TRUE(library.messages.first().startsWith(QStringLiteral("已导入 3 课")));
    EXPECT_TRUE(library.messages.first().contains(QStringLiteral("cue 4")));
    EXPECT_EQ(list->entry(1), QStringLiteral("talk-001.txt"));
    EXPECT_EQ(list->entry(3), QStringLiteral("talk-003.txt"));
    EXPECT_EQ(list->listIndex(), 1);
    EXPECT_EQ(readLessonText(library.lessonPath(QStringLiteral("talk-002.kvx"))).text,
              QStringLiteral("Two."));
    // Selected, not started.
    EXPECT_EQ(library.host.started, 0);
    EXPECT_EQ(library.state.curLesson, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull(); }, 1000)); // gone, not just hidden
}

TEST_F(LibraryImportTest, CancellingInTheDialogLeavesTheFolderAsItWas) {
    Library library;
    const QStringList before = library.listing();
    library.form->libraryImport().setStartHook([](QProgressDialog& dialog) {
        auto* cancel = dialog.findChild<QPushButton*>();
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("取消"));
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    ASSERT_TRUE(library.drop({media(), subtitles()}));
    ASSERT_TRUE(library.importEnds());
    QCoreApplication::processEvents(); // the outcome, queued from the worker
    EXPECT_EQ(library.listing(), before);
    EXPECT_EQ(library.form->controls().File1->listCount(), 1);
    EXPECT_TRUE(library.messages.isEmpty()); // the learner asked for it: nothing to tell
}

TEST_F(LibraryImportTest, ARefusalIsToldAndChangesNothing) {
    const struct {
        const char* what;
        QStringList files;
        bool lessonNamedTalk; // a lesson of the media's name is there already
        const char* message;  // how the message starts
        const char* detail;   // and what it holds
    } cases[] = {
        {"name taken",
         {media(), subtitles()},
         true,
         "课文库里已有名为“talk”的课文",
         "already holds"},
        {"no subtitles anywhere", {media()}, false, "找不到“talk”的字幕", "no subtitles"},
        {"not a recording",
         {s_media->filePath(QStringLiteral("notes.mp3")), subtitles()},
         false,
         "无法导入“notes”",
         "notes.mp3"},
        {"subtitles alone", {subtitles()}, false, "拖进来的文件里没有录音", ""},
        {"two recordings",
         {media(), s_media->filePath(QStringLiteral("other.mp3"))},
         false,
         "一次只能导入一个录音",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Library library;
        if (c.lessonNamedTalk)
            writeFileBytes(library.lessonPath(QStringLiteral("talk-001.txt")), "sound");
        const QStringList before = library.listing();
        ASSERT_TRUE(library.drop(c.files));
        ASSERT_TRUE(library.importEnds());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !library.messages.isEmpty(); }, kImportWaitMs));
        ASSERT_EQ(library.messages.size(), 1);
        EXPECT_TRUE(library.messages.first().startsWith(QString::fromUtf8(c.message)))
            << library.messages.first().toStdString();
        EXPECT_TRUE(library.messages.first().contains(QString::fromUtf8(c.detail)));
        EXPECT_EQ(library.listing(), before);
        EXPECT_EQ(library.host.started, 0);
    }
}
