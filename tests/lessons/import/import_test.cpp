// Imports of generated media, one per kind of subtitles, and every way an
// import is refused or stopped without changing the lesson folder.
#include "import_files.h"
#include "import_media.h"
#include "lesson_file.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace hearvex::lessons;
using namespace hearvex::testing;
using hearvex::lessons::readLessonText;
using hearvex::lessons::textFileName;

namespace {

struct Lesson {
    const char* sentence;
    double seconds; // the cue's span with its margins, clamped to the media
};

QByteArray encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

class Import : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_media = new QTemporaryDir;
        ASSERT_TRUE(writeToneMp3(tone(), 8.0));
    }
    static void TearDownTestSuite() { delete s_media; }
    static QString tone() { return s_media->filePath(QStringLiteral("tone.mp3")); }

    QString folder() const { return m_dir.filePath(QStringLiteral("lessons")); }
    QString file(const QString& name, const QByteArray& bytes) const {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFileBytes(path, bytes));
        return path;
    }

    static void expectLessons(const ImportResult& result, const QString& folder,
                              const QString& name, const std::vector<Lesson>& lessons) {
        ASSERT_EQ(result.outcome, ImportOutcome::Done) << result.message.toStdString();
        ASSERT_EQ(result.lessons.size(), qsizetype(lessons.size()));
        EXPECT_EQ(folderListing(folder).size(),
                  qsizetype(2 * lessons.size())); // nothing hidden left
        for (size_t i = 0; i < lessons.size(); ++i) {
            const QString recording =
                QStringLiteral("%1-%2.txt").arg(name).arg(i + 1, 3, 10, QLatin1Char('0'));
            EXPECT_EQ(result.lessons.at(qsizetype(i)), recording);
            EXPECT_NEAR(recordingSeconds(QDir(folder).filePath(recording)), lessons[i].seconds, 0.1)
                << recording.toStdString();
            EXPECT_EQ(readLessonText(QDir(folder).filePath(textFileName(recording))).text,
                      QString::fromUtf8(lessons[i].sentence))
                << recording.toStdString();
        }
    }

    static inline QTemporaryDir* s_media = nullptr;
    QTemporaryDir m_dir;
};

const char* const kSrt = "1\r\n00:00:00,200 --> 00:00:01,500\r\n<i>你好</i>, Tom!\r\n\r\n"
                         "2\r\n00:00:01,000 --> 00:00:03,000\r\nOverlapping &amp;\r\nlong\r\n\r\n"
                         "3\r\n00:00:04,000 --> 00:00:04,500\r\n{\\an8}\r\n\r\n"
                         "4\r\n00:00:07,000 --> 00:00:09,000\r\nRuns past the end\r\n\r\n"
                         "5\r\n00:00:08,500 --> 00:00:09,500\r\nAfter the end\r\n";

} // namespace

TEST_F(Import, MakesOneLessonPerCueFromEachKindOfSubtitles) {
    const QString vtt =
        QStringLiteral("WEBVTT\n\nintro\n00:01.000 --> 00:02.500 align:start\n"
                       "<v Bob>Hello <c.yellow>there</c></v>\n\n"
                       "00:00:04.000 --> 00:00:05.000\n&lt;done&gt; <00:04.500>now\n");
    const QString lrc = QStringLiteral("[ti:Test]\n[ar:Someone]\n[00:01.00]First line\n"
                                       "[00:03.50]Second line\n[00:05.00]\n[00:06.00]Last line\n");
    const QString ass = QStringLiteral(
        "[Script Info]\nScriptType: v4.00+\n\n[Events]\n"
        "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n"
        "Dialogue: 0,0:00:03.00,0:00:04.00,Default,,0,0,0,,{\\i1}Second{\\i0}, with a comma\n"
        "Dialogue: 0,0:00:01.00,0:00:02.00,Default,Bob,0,0,0,fx,{\\an8}First\\Nline\n");
    const struct {
        const char* kind;
        QString subtitles; // file name; empty: inside the media
        QByteArray bytes;
        bool beside; // found beside the media, not given
        std::vector<Lesson> lessons;
    } cases[] = {
        {"SubRip, GB18030, overlapping cues, past the end",
         QStringLiteral("film.srt"),
         encoded("GB18030", QString::fromUtf8(kSrt)),
         false,
         {{"你好, Tom!", 1.8}, {"Overlapping & long", 2.6}, {"Runs past the end", 1.3}}},
        {"WebVTT with a byte-order mark, beside the media",
         QStringLiteral("tone.vtt"),
         "\xEF\xBB\xBF" + vtt.toUtf8(),
         true,
         {{"Hello there", 2.1}, {"<done> now", 1.6}}},
        {"LRC in UTF-16, each line until the next",
         QStringLiteral("song.lrc"),
         "\xFF\xFE" + encoded("UTF-16LE", lrc),
         false,
         {{"First line", 3.1}, {"Second line", 2.1}, {"Last line", 2.3}}},
        {"ASS, events out of order",
         QStringLiteral("show.ass"),
         ass.toUtf8(),
         false,
         {{"First line", 1.6}, {"Second, with a comma", 1.6}}},
        // mov_text samples cannot overlap: the first cue ends where the second starts.
        {"mov_text inside an MP4",
         QString(),
         QByteArray(kSrt),
         false,
         {{"你好, Tom!", 1.3}, {"Overlapping & long", 2.6}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        QTemporaryDir dir;
        const QString into = dir.filePath(QStringLiteral("lessons"));
        ImportRequest request{tone(), dir.filePath(c.subtitles), into, QStringLiteral("talk")};
        if (c.subtitles.isEmpty()) {
            const QString srt = dir.filePath(QStringLiteral("in.srt"));
            request.media = dir.filePath(QStringLiteral("movie.mp4"));
            ASSERT_TRUE(writeFileBytes(srt, c.bytes));
            ASSERT_TRUE(
                runFfmpeg({"-f", "lavfi", "-i", "sine=frequency=300:duration=6", "-i", srt, "-map",
                           "0:a", "-map", "1", "-c:a", "aac", "-c:s", "mov_text", request.media}));
            request.subtitles.clear();
        } else if (c.beside) {
            request.media = dir.filePath(QStringLiteral("tone.mp3"));
            ASSERT_TRUE(QFile::copy(tone(), request.media));
            ASSERT_TRUE(writeFileBytes(dir.filePath(c.subtitles), c.bytes));
            request.subtitles.clear();
        } else {
            ASSERT_TRUE(writeFileBytes(request.subtitles, c.bytes));
        }
        expectLessons(importMedia(request), into, QStringLiteral("talk"), c.lessons);
    }
}

TEST_F(Import, SaysWhatItSkipped) {
    const ImportResult result =
        importMedia({tone(), file(QStringLiteral("a.srt"), kSrt), folder(), QString()});
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(result.lessons.first(), QStringLiteral("tone-001.txt")); // the media's name
    ASSERT_EQ(result.warnings.size(), 1);
    EXPECT_TRUE(result.warnings[0].contains(QLatin1String("0:08.500")))
        << result.warnings[0].toStdString();
}
