// hearvex-lesson import MEDIA [SUBTITLES|TRANSCRIPT.txt] [--into FOLDER] [--name NAME] [--replace]
#pragma once

#include "import_media.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <optional>

namespace hearvex::lessons {

// Runs the import subcommand on its arguments (those after "import"), taken
// as the bytes of file names. Exit status: 0 done, 2 no subtitles or a usage
// error, 1 anything else, 128 + the signal when stopped by SIGINT or SIGTERM
// (nothing changed then).
//
// transcripts, when given, imports a file given as subtitles that is a plain
// transcript (and returns nothing for real subtitles).
using TranscriptImporter =
    std::function<std::optional<ImportResult>(const ImportRequest&, const ImportProgress&)>;
int runImport(const QList<QByteArray>& args, const TranscriptImporter& transcripts = {});

} // namespace hearvex::lessons
