// A word cut from a recording the test writes (a tone between silences), at
// several speeds, and played on the sound device of its own; eSpeak NG's word.
#include "clip_output.h"
#include "pronunciation.h"
#include "word_clip.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <sndfile.h>

using namespace hearvex::words;

namespace {

constexpr int kRate = 16000;

// One second of silence, a 440 Hz tone from 400 to 600 ms, then silence.
QByteArray writeToneFile(const QTemporaryDir& dir, int channels) {
    const QByteArray path = dir.filePath(QStringLiteral("tone%1.wav").arg(channels)).toUtf8();
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.constData(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr);
    std::vector<float> frames(size_t(kRate * channels));
    for (int i = kRate * 4 / 10; i < kRate * 6 / 10; ++i)
        for (int c = 0; c < channels; ++c)
            frames[size_t(i * channels + c)] = 0.5f * std::sin(2 * M_PI * 440 * i / kRate);
    sf_writef_float(file, frames.data(), kRate);
    sf_close(file);
    return path;
}

float peak(const SoundClip& clip, qint64 firstFrame, qint64 endFrame) {
    float most = 0;
    for (qint64 i = firstFrame * clip.channels; i < endFrame * clip.channels; ++i)
        most = std::max(most, std::fabs(clip.samples[size_t(i)]));
    return most;
}

} // namespace

TEST(WordClip, TheWordsPartWithMarginsAndFadesAtEverySpeed) {
    QTemporaryDir dir;
    struct Case {
        int channels;
        int speed;
    } cases[] = {{1, 100}, {2, 100}, {1, 50}, {1, 80}, {2, 150}, {1, 200}};
    for (const Case& c : cases) {
        SoundClip clip;
        QString error;
        ASSERT_TRUE(readWordClip(writeToneFile(dir, c.channels), 400, 600, c.speed, &clip, &error))
            << error.toStdString();
        EXPECT_EQ(clip.sampleRate, kRate);
        EXPECT_EQ(clip.channels, c.channels);
        // 200 ms and two margins of 40 ms, as long again at half speed.
        const double expected = (200 + 2 * kClipMarginMs) * kRate / 1000.0 * 100 / c.speed;
        EXPECT_NEAR(double(clip.frameCount()), expected, expected * 0.06)
            << c.speed << " " << c.channels;
        const qint64 frames = clip.frameCount();
        // Quiet margins, the tone between them, and no click at either end.
        EXPECT_LT(peak(clip, 0, frames / 20), 0.05f) << c.speed;
        EXPECT_GT(peak(clip, frames * 4 / 10, frames * 6 / 10), 0.3f) << c.speed;
        EXPECT_LT(std::fabs(clip.samples.front()), 0.01f) << c.speed;
        EXPECT_LT(std::fabs(clip.samples.back()), 0.01f) << c.speed;
    }
}

TEST(WordClip, TimesOutsideTheRecordingAndUnreadableFilesAreRefused) {
    QTemporaryDir dir;
    const QByteArray tone = writeToneFile(dir, 1);
    const QByteArray text = dir.filePath(QStringLiteral("not-sound.txt")).toUtf8();
    QFile(QString::fromUtf8(text)).open(QIODevice::WriteOnly);
    struct Case {
        QByteArray path;
        qint64 startMs, endMs;
    } cases[] = {
        {tone, 600, 400},   // ends before it starts
        {tone, 500, 500},   // no length
        {tone, -100, 200},  // before the start
        {tone, 5000, 5200}, // past the end
        {dir.filePath(QStringLiteral("none.wav")).toUtf8(), 0, 100},
        {text, 0, 100},
    };
    for (const Case& c : cases) {
        SoundClip clip;
        QString error;
        EXPECT_FALSE(readWordClip(c.path, c.startMs, c.endMs, 100, &clip, &error))
            << c.path.constData() << ' ' << c.startMs;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(clip.isEmpty());
    }
}

TEST(WordClip, EspeakSaysAWordAndTheClipPlaysOnItsOwnDevice) {
    const SoundClip spoken = speakWord(QStringLiteral("dictation"));
    ASSERT_FALSE(spoken.isEmpty());
    EXPECT_EQ(spoken.channels, 1);
    EXPECT_GT(spoken.frameCount(), spoken.sampleRate / 4); // a word takes a while to say
    EXPECT_TRUE(speakWord(QStringLiteral(" ")).isEmpty());

    ClipOutput output;
    QString error;
    EXPECT_FALSE(output.play(SoundClip{}, &error));
    ASSERT_TRUE(output.play(spoken, &error)) << error.toStdString();
    EXPECT_TRUE(output.playing());
    output.stop();
    EXPECT_FALSE(output.playing());
}
