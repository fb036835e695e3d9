// Lesson folders for tests: recordings written with libsndfile, texts
// enciphered by the program's own lesson format.
#pragma once

#include "lesson_file.h"
#include "tone_file.h"

#include <QDir>
#include <QFile>
#include <QString>

namespace hearvex::testing {

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A lesson text file holding plain (as hearvex-lesson encode writes it).
inline bool writeLessonText(const QString& path, const QString& plain) {
    return writeBytes(path, lessons::encipherLessonText(plain));
}

// A mono recording of a soft 330 Hz tone: a WAV, or an MP3 when mp3 is set.
inline bool writeRecording(const QString& path, double seconds, bool mp3 = false) {
    return writeTone(path, {.seconds = seconds, .channels = 1, .frequencyHz = 330.f, .mp3 = mp3});
}

} // namespace hearvex::testing
