// hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::lessons {

// Runs the import subcommand on its arguments (those after "import"), taken
// as the bytes of file names. Exit status: 0 done, 2 no subtitles or a usage
// error, 1 anything else, 128 + the signal when stopped by SIGINT or SIGTERM
// (nothing changed then).
int runImport(const QList<QByteArray>& args);

} // namespace hearvex::lessons
