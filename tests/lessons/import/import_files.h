// Media and lesson files for the import tests: media made by the ffmpeg
// command, lengths read back through libsndfile (the engine's decoder).
#pragma once

#include "import_media.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <sndfile.h>

namespace hearvex::testing {

// An import of media with subtitles into folder, named name (empty: after the media).
inline lessons::ImportRequest importRequest(const QString& media, const QString& subtitles,
                                            const QString& folder, const QString& name,
                                            bool replace = false) {
    lessons::ImportRequest request;
    request.media = QFile::encodeName(media);
    request.subtitles = QFile::encodeName(subtitles);
    request.folder = QFile::encodeName(folder);
    request.name = QFile::encodeName(name);
    request.replace = replace;
    return request;
}

// Runs ffmpeg quietly with the given arguments; true when it wrote its output.
inline bool runFfmpeg(const QStringList& args) {
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                             QStringLiteral("error"), QStringLiteral("-nostdin"),
                             QStringLiteral("-y")} +
                     args);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit &&
           ffmpeg.exitCode() == 0;
}

// A mono 44.1 kHz MP3 of a tone, `seconds` long.
inline bool writeToneMp3(const QString& path, double seconds) {
    return runFfmpeg(
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
         QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds),
         QStringLiteral("-ac"), QStringLiteral("1"), path});
}

// A recording's length in seconds as the engine's decoder reads it; -1 when unreadable.
inline double recordingSeconds(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return -1;
    sf_close(file);
    return info.samplerate > 0 ? double(info.frames) / info.samplerate : -1;
}

inline bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry of a folder, hidden ones too, with its size: what "nothing
// changed" compares.
inline QStringList folderListing(const QString& path) {
    QStringList entries;
    const QFileInfoList infos = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos)
        entries << QStringLiteral("%1 %2").arg(info.fileName()).arg(info.size());
    return entries;
}

} // namespace hearvex::testing
