// hearvex-lesson import MEDIA [SUBTITLES] [--into FOLDER] [--name NAME] [--replace]
#pragma once

#include <QStringList>

namespace hearvex::lessons {

// Runs the import subcommand on its arguments (those after "import"). Exit
// status: 0 done, 2 no subtitles or a usage error, 1 anything else.
int runImport(const QStringList& args);

} // namespace hearvex::lessons
