// hearvex-lesson align MEDIA TRANSCRIPT.txt [-o OUT.srt] [--words OUT.tsv]
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::lessons {

// Runs the align subcommand on its arguments (those after "align"), taken as
// the bytes of file names. Exit status: 0 written, 4 written but sentences
// not heard in the recording were left out, 2 a usage error, 1 the transcript
// cannot be read or is refused (nothing written) or an output cannot be written.
int runAlign(const QList<QByteArray>& args);

} // namespace hearvex::lessons
