// hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt]
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::lessons {

// Runs the align subcommand on its arguments (those after "align"), taken as
// the bytes of file names. Exit status: 0 written, 2 a usage error, 1 the
// transcript cannot be read or aligned or the SRT cannot be written.
int runAlign(const QList<QByteArray>& args);

} // namespace hearvex::lessons
