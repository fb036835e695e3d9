// The files given to the align command, judged before minutes of aligning:
// whether the transcript is one, whether the output may be written.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::lessons {

// Why the file given as the transcript is none to align (a folder, an empty
// file, a recording, subtitles, a web page without text), or an empty string
// when it may be one; a file that cannot be read is left to the alignment,
// which says why.
QString transcriptProblem(const QByteArray& path);

// Why an output (the subtitles, the word times) cannot be written to out: a folder, a missing
// folder, or one of the files being read (also through a link), which it would overwrite; an
// empty string when they can.
QString outputProblem(const QByteArray& out, const QByteArray& media, const QByteArray& transcript);

} // namespace hearvex::lessons
