// Imports of generated media, one per kind of subtitles, and every way an
// import is refused or stopped without changing the lesson folder.
#include "import_files.h"
#include "import_media.h"
#include "lesson_file.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace hearvex::lessons;
using namespace hearvex::testing;
using hearvex::lessons::readLessonText;
using hearvex::lessons::textFileName;

namespace {

struct Lesson {
    const char* sentence;
    // A steady tone has no pause: each edge lands in the middle of the span it
    // is looked for in (up to half a second outside the cue, a quarter second
    // either side where cues touch), clamped to the media.
    double seconds;
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
         {{"你好, Tom!", 1.4}, {"Overlapping & long", 2.25}, {"Runs past the end", 1.25}}},
        {"WebVTT with a byte-order mark, beside the media",
         QStringLiteral("tone.vtt"),
         "\xEF\xBB\xBF" + vtt.toUtf8(),
         true,
         {{"Hello there", 2.0}, {"<done> now", 1.5}}},
        {"LRC in UTF-16, each line until the next",
         QStringLiteral("song.lrc"),
         "\xFF\xFE" + encoded("UTF-16LE", lrc),
         false,
         {{"First line", 2.75}, {"Second line", 1.75}, {"Last line", 2.25}}},
        {"ASS, events out of order",
         QStringLiteral("show.ass"),
         ass.toUtf8(),
         false,
         {{"First line", 1.5}, {"Second, with a comma", 1.5}}},
        // mov_text samples cannot overlap: the first cue ends where the second starts.
        {"mov_text inside an MP4",
         QString(),
         QByteArray(kSrt),
         false,
         {{"你好, Tom!", 0.9}, {"Overlapping & long", 2.25}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        QTemporaryDir dir;
        const QString into = dir.filePath(QStringLiteral("lessons"));
        QString media = tone();
        QString subtitles = dir.filePath(c.subtitles);
        if (c.subtitles.isEmpty()) {
            const QString srt = dir.filePath(QStringLiteral("in.srt"));
            media = dir.filePath(QStringLiteral("movie.mp4"));
            ASSERT_TRUE(writeFileBytes(srt, c.bytes));
            ASSERT_TRUE(
                runFfmpeg({"-f", "lavfi", "-i", "sine=frequency=300:duration=6", "-i", srt, "-map",
                           "0:a", "-map", "1", "-c:a", "aac", "-c:s", "mov_text", media}));
            subtitles.clear();
        } else if (c.beside) {
            media = dir.filePath(QStringLiteral("tone.mp3"));
            ASSERT_TRUE(QFile::copy(tone(), media));
            ASSERT_TRUE(writeFileBytes(dir.filePath(c.subtitles), c.bytes));
            subtitles.clear();
        } else {
            ASSERT_TRUE(writeFileBytes(subtitles, c.bytes));
        }
        const ImportRequest request = importRequest(media, subtitles, into, QStringLiteral("talk"));
        expectLessons(importMedia(request), into, QStringLiteral("talk"), c.lessons);
    }
}

TEST_F(Import, SaysWhatItSkipped) {
    const ImportResult result = importMedia(
        importRequest(tone(), file(QStringLiteral("a.srt"), kSrt), folder(), QString()));
    ASSERT_EQ(result.outcome, ImportOutcome::Done);
    EXPECT_EQ(result.lessons.first(), QStringLiteral("tone-001.txt")); // the media's name
    ASSERT_EQ(result.warnings.size(), 1);
    EXPECT_TRUE(result.warnings[0].contains(QLatin1String("0:08.500")))
        << result.warnings[0].toStdString();
}

namespace {

// Speech-like noise bursts with pauses of the given lengths between them.
std::vector<float> burstsWithPauses(const std::vector<double>& pauses, double wordSeconds, int rate,
                                    std::vector<double>* pauseMiddles) {
    std::vector<float> samples;
    uint32_t state = 12345;
    const auto addWord = [&] {
        for (int i = 0; i < int(wordSeconds * rate); ++i) {
            state = state * 1664525u + 1013904223u;
            samples.push_back(0.5f * (float(state >> 8) / float(1 << 24) * 2.0f - 1.0f));
        }
    };
    addWord();
    for (const double pause : pauses) {
        pauseMiddles->push_back(double(samples.size()) / rate + pause / 2);
        samples.insert(samples.end(), size_t(pause * rate), 0.0f);
        addWord();
    }
    return samples;
}

double rms(const std::vector<float>& samples, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < samples.size(); ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(count));
}

} // namespace

TEST_F(Import, ClipsOfBackToBackCuesStartAndEndInThePauses) {
    constexpr int kRate = 44100;
    std::vector<double> middles;
    const std::vector<float> speech =
        burstsWithPauses({0.08, 0.12, 0.3, 0.08}, 0.9, kRate, &middles);
    const QString wav = m_dir.filePath(QStringLiteral("reading.wav"));
    SF_INFO format{0, kRate, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0, 0};
    SNDFILE* out = sf_open(QFile::encodeName(wav).constData(), SFM_WRITE, &format);
    ASSERT_NE(out, nullptr);
    sf_writef_float(out, speech.data(), sf_count_t(speech.size()));
    sf_close(out);

    // Cues that touch, each touching point up to 0.2 s off the pause's middle.
    const double offsets[] = {0.2, -0.15, 0.1, -0.2};
    QByteArray srt;
    double start = 0.1;
    for (size_t i = 0; i <= middles.size(); ++i) {
        const double end = i < middles.size() ? middles[i] + offsets[i] : speech.size() / 44100.0;
        const auto time = [](double s) {
            return QStringLiteral("00:00:%1,%2")
                .arg(int(s), 2, 10, QLatin1Char('0'))
                .arg(int(std::lround(s * 1000)) % 1000, 3, 10, QLatin1Char('0'))
                .toLatin1();
        };
        srt += QByteArray::number(qulonglong(i + 1)) + "\n" + time(start) + " --> " + time(end) +
               "\nWord " + QByteArray::number(qulonglong(i + 1)) + ".\n\n";
        start = end;
    }
    const ImportResult result = importMedia(
        importRequest(wav, file(QStringLiteral("reading.srt"), srt), folder(), QString()));
    ASSERT_EQ(result.outcome, ImportOutcome::Done) << result.message.toStdString();
    ASSERT_EQ(result.lessons.size(), 5);
    for (const QString& lesson : result.lessons) {
        SCOPED_TRACE(lesson.toStdString());
        SF_INFO info{};
        SNDFILE* clip = sf_open(QFile::encodeName(QDir(folder()).filePath(lesson)).constData(),
                                SFM_READ, &info);
        ASSERT_NE(clip, nullptr);
        std::vector<float> samples(size_t(info.frames * info.channels));
        sf_readf_float(clip, samples.data(), info.frames);
        sf_close(clip);
        const size_t edge = size_t(info.samplerate) / 100; // 10 ms
        const double word = rms(samples, samples.size() / 2, edge);
        EXPECT_GT(word, 0.2);
        if (lesson != result.lessons.first()) { // the first starts with the recording
            EXPECT_LT(rms(samples, 0, edge), word / 30);
        }
        if (lesson != result.lessons.last()) { // the last ends with it
            EXPECT_LT(rms(samples, samples.size() - edge, edge), word / 30);
        }
    }
}
