// Writing a file the learner owns (subtitles, lesson texts) so that nothing
// already there is lost: never onto one of the files being read, and never
// in place. Paths are the bytes of file names. No FFmpeg.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace hearvex::lessons {

// Whether the two paths name one file: the same name written differently, a
// symbolic link to it or a hard link of it. False when either is missing.
bool isSameFile(const QByteArray& first, const QByteArray& second);

// The input that output would overwrite, or an empty array when it is none.
QByteArray inputOverwrittenBy(const QByteArray& output, const QList<QByteArray>& inputs);

// Writes bytes to a new file beside path (the file a symbolic link names),
// syncs it to the disk and renames it over path only when all of it is there;
// a replaced file's permissions are kept. On any failure (a full disk, a
// folder in the way, no such folder) path keeps what it held, no temporary
// file is left, and error says why.
bool writeFileSafely(const QByteArray& path, const QByteArray& bytes, QString* error);

} // namespace hearvex::lessons
