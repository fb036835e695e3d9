#include "word_clip.h"

#include <QCoreApplication>
#include <algorithm>
#include <memory>
#include <sndfile.h>

namespace hearvex::words {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(WordClip)
};

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

void fadeEnds(SoundClip& clip) {
    const qint64 frames = clip.frameCount();
    const qint64 fade = std::min<qint64>(qint64(clip.sampleRate) * kClipFadeMs / 1000, frames / 2);
    for (qint64 i = 0; i < fade; ++i) {
        const float gain = float(i) / float(fade);
        for (int c = 0; c < clip.channels; ++c) {
            clip.samples[size_t(i * clip.channels + c)] *= gain;
            clip.samples[size_t((frames - 1 - i) * clip.channels + c)] *= gain;
        }
    }
}

} // namespace

bool readWordClip(const QByteArray& path, qint64 startMs, qint64 endMs, int speedPercent,
                  SoundClip* clip, QString* error) {
    if (endMs <= startMs || startMs < 0) {
        *error = Text::tr("the word has no time in the recording");
        return false;
    }
    SF_INFO info{};
    SoundFile file(sf_open(path.constData(), SFM_READ, &info));
    if (!file || info.samplerate <= 0 || info.channels < 1) {
        *error =
            Text::tr("cannot read the recording: %1").arg(QString::fromUtf8(sf_strerror(nullptr)));
        return false;
    }
    const qint64 rate = info.samplerate;
    const qint64 first = std::max<qint64>(0, (startMs - kClipMarginMs) * rate / 1000);
    const qint64 end = std::min<qint64>(info.frames, (endMs + kClipMarginMs) * rate / 1000);
    if (end <= first || sf_seek(file.get(), first, SEEK_SET) < 0) {
        *error = Text::tr("the recording has no sound at the word's time");
        return false;
    }
    SoundClip read;
    read.sampleRate = int(rate);
    read.channels = std::min(info.channels, 2);
    std::vector<float> frames(size_t((end - first) * info.channels));
    const sf_count_t got = sf_readf_float(file.get(), frames.data(), end - first);
    read.samples.reserve(size_t(got * read.channels));
    for (sf_count_t i = 0; i < got; ++i)
        for (int c = 0; c < read.channels; ++c)
            read.samples.push_back(frames[size_t(i * info.channels + c)]);
    if (read.isEmpty()) {
        *error = Text::tr("the recording has no sound at the word's time");
        return false;
    }
    fadeEnds(read);
    *clip = stretchClip(read, speedPercent);
    fadeEnds(*clip); // the stretcher's own edges may ring
    return true;
}

} // namespace hearvex::words
