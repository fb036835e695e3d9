// Lesson folders for tests: recordings written with libsndfile, texts
// enciphered by the program's own lesson format.
#pragma once

#include "lesson_file.h"
#include "tone_file.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace hearvex::testing {

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A lesson text file holding plain (as hearvex-lesson encode writes it).
inline bool writeLessonText(const QString& path, const QString& plain) {
    return writeBytes(path, lessons::encipherLessonText(plain));
}

// A file named by raw bytes (a GBK name, say), through the system's own
// calls: no QString names it. from, written under a plain name, is moved there.
inline bool moveToByteName(const QString& from, const QByteArray& to) {
    return ::rename(QFile::encodeName(from).constData(), to.constData()) == 0;
}

// Removes files named by bytes when it goes, which QTemporaryDir cannot do:
// it does not see them. Declare it after the QTemporaryDir that holds them.
class ByteNamedFiles {
public:
    ByteNamedFiles() = default;
    ByteNamedFiles(const ByteNamedFiles&) = delete;
    ByteNamedFiles& operator=(const ByteNamedFiles&) = delete;
    ~ByteNamedFiles() {
        for (const QByteArray& path : m_paths)
            ::unlink(path.constData());
    }
    const QByteArray& operator()(const QByteArray& path) { return m_paths.emplace_back(path); }

private:
    std::vector<QByteArray> m_paths;
};

// A mono recording of a soft 330 Hz tone: a WAV, or an MP3 when mp3 is set.
inline bool writeRecording(const QString& path, double seconds, bool mp3 = false) {
    return writeTone(path, {.seconds = seconds, .channels = 1, .frequencyHz = 330.f, .mp3 = mp3});
}

} // namespace hearvex::testing
