// Lesson folders for tests: recordings written with libsndfile, texts
// enciphered by the program's own lesson format.
#pragma once

#include "lesson_file.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cmath>
#include <sndfile.h>
#include <vector>

namespace hearvex::testing {

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A lesson text file holding plain (as hearvex-lesson encode writes it).
inline bool writeLessonText(const QString& path, const QString& plain) {
    return writeBytes(path, library::encipherLessonText(plain));
}

// A mono recording of a soft 330 Hz tone: a WAV, or an MP3 when mp3 is set.
inline bool writeRecording(const QString& path, double seconds, bool mp3 = false) {
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format =
        mp3 ? (SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III) : (SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    SNDFILE* f = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    std::vector<float> samples(static_cast<size_t>(seconds * info.samplerate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.2f * static_cast<float>(std::sin(2 * M_PI * 330.0 * static_cast<double>(i) /
                                                        info.samplerate));
    const sf_count_t written =
        sf_writef_float(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
    return written == static_cast<sf_count_t>(samples.size());
}

} // namespace hearvex::testing
