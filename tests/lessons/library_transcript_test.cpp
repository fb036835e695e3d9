// A recording dropped on the lesson library with its plain transcript:
// aligned and cut one lesson per sentence (per phrase of a long one) behind
// the progress dialog, whose label names the steps; another recording's
// transcript is refused.
#include "form3.h"
#include "lesson_file.h"
#include "lesson_list.h"
#include "support/spoken_material.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

using namespace hearvex::lessons;
using namespace hearvex::testing;

namespace {

class NoStart : public LessonHost {
public:
    void startLesson(const QString&, const QString&, const QByteArray&) override {}
};

class DropTranscript : public ::testing::Test {
protected:
    void SetUp() override {
        utterances = transcribedUtterances();
        if (utterances.empty())
            GTEST_SKIP() << "pocketsphinx-testdata is not installed";
        std::vector<SpokenPiece> pieces;
        for (size_t i = 0; i < utterances.size(); ++i)
            pieces.push_back({&utterances[i], true, 0.4 + 0.1 * double(i % 3), 0.8f});
        truth = joinSpeech(pieces, 0.6);
        ASSERT_TRUE(writeWav(dir.filePath(QStringLiteral("talk.wav")), truth.samples));
        QDir(dir.path()).mkdir(lessonFolderName());
        form = std::make_unique<Form3>(host, state, dir.path(), nullptr);
        form->libraryImport().setMessageHandler([this](const QString& m) { messages << m; });
        form->Form_Load();
        form->show();
    }
    QString writeText(const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }
    void drop(const QStringList& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(70, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(70, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(form.get(), &dropped);
        ASSERT_TRUE(dropped.isAccepted());
    }
    // The dialog's labels while the import runs, until it ends.
    QStringList labelsUntilDone() {
        QStringList labels;
        const bool ended = QTest::qWaitFor(
            [&] {
                if (auto* dialog = form->findChild<QProgressDialog*>())
                    if (labels.isEmpty() || labels.last() != dialog->labelText())
                        labels << dialog->labelText();
                return !form->libraryImport().running();
            },
            120000);
        EXPECT_TRUE(ended);
        QCoreApplication::processEvents();
        return labels;
    }

    std::vector<Utterance> utterances;
    SpokenRecording truth;
    QTemporaryDir dir;
    NoStart host;
    LessonState state;
    QStringList messages;
    std::unique_ptr<Form3> form;
};

TEST_F(DropTranscript, BesideTheRecordingItBecomesOneLessonPerSentence) {
    // Dropped alone, the recording takes the transcript of its name beside it.
    writeText(QStringLiteral("talk.txt"), truth.sentences.join(QLatin1Char(' ')).toUtf8());
    drop({dir.filePath(QStringLiteral("talk.wav"))});
    const QStringList labels = labelsUntilDone();
    // One lesson per sentence, a long sentence one per phrase.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return form->controls().File1->listCount() >= int(truth.sentences.size()); }, 5000))
        << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(labels.join(QLatin1Char('|')).contains(QStringLiteral("对齐")))
        << labels.join(QLatin1Char('|')).toStdString();
    const QString folder = lessonFolder(dir.path());
    QStringList texts;
    for (int k = 0; k < form->controls().File1->listCount(); ++k)
        texts << readLessonText(
                     QDir(folder).filePath(
                         QStringLiteral("talk-%1.kvx").arg(k + 1, 3, 10, QLatin1Char('0'))))
                     .text;
    EXPECT_EQ(texts.join(QLatin1Char(' ')), truth.sentences.join(QLatin1Char(' ')));
}

TEST_F(DropTranscript, AnotherRecordingsTranscriptIsRefused) {
    QByteArray other;
    for (int i = 0; i < 10; ++i)
        other += "Nobody knew how far the old road went. The weather will turn cold soon.\n";
    drop({dir.filePath(QStringLiteral("talk.wav")), writeText(QStringLiteral("news.txt"), other)});
    labelsUntilDone();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.isEmpty(); }, 5000));
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("无法导入“talk”")))
        << messages.first().toStdString();
    EXPECT_TRUE(messages.first().contains(QStringLiteral("does not match")));
    EXPECT_EQ(form->controls().File1->listCount(), 0);
}

} // namespace
