// hearvex-lesson import MEDIA [SUBTITLES|TRANSCRIPT.txt] [--into FOLDER] [--name NAME] [--replace]
//                       [--max-words N] [--max-seconds S]
// hearvex-lesson import --words-only FOLDER
#pragma once

#include "import_media.h"

#include <QByteArray>
#include <QList>
#include <functional>
#include <optional>

namespace hearvex::lessons {

// Runs the import subcommand on its arguments (those after "import"), taken
// as the bytes of file names. Exit status: 0 done, 4 done but sentences of a
// transcript not heard in the recording were left out, 2 no subtitles or a
// usage error, 1 anything else, 128 + the signal when stopped by SIGINT or SIGTERM
// (nothing changed then).
//
// transcripts, when given, imports a file given as subtitles that is a plain
// transcript (and returns nothing for real subtitles). findWords, when given,
// gives every lesson its word times and splits long sentences into phrases
// (at most --max-words words, default 20, 0 for never; --max-seconds seconds,
// default 8); with --words-only it adds word times to a folder's lessons
// (words_command.h).
using TranscriptImporter =
    std::function<std::optional<ImportResult>(const ImportRequest&, const ImportProgress&)>;
int runImport(const QList<QByteArray>& args, const TranscriptImporter& transcripts = {},
              const WordFinder& findWords = {});

} // namespace hearvex::lessons
