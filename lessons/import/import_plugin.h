// The import as a plug-in the program loads on the first import: FFmpeg and
// the hundred libraries it pulls in (video codecs, TLS, GPU drivers) are
// mapped only when a learner imports, never while they only listen.
// libhearvex-import.so lies beside the program (its run path finds it) and
// holds importDropped (with the aligner, which brings eSpeak NG);
// hearvex-lesson links the import directly instead.
#pragma once

#include "import_media.h"
#include "transcript_import.h"

namespace hearvex::lessons {

// Changes whenever ImportPluginApi or the types it passes change, so that a
// plug-in left over from another build is refused rather than called.
inline constexpr int kImportPluginVersion = 4;

struct ImportPluginApi {
    int version;
    ImportResult (*importDropped)(const ImportRequest& request,
                                  const TranscriptImportProgressFn& progress);
};

// importDropped, run from the plug-in, which is loaded on the first call (from
// any thread). When it cannot be loaded: Failed, and the message says why.
ImportResult importDroppedOnDemand(const ImportRequest& request,
                                   const TranscriptImportProgressFn& progress);

} // namespace hearvex::lessons

// The plug-in's one entry point.
extern "C" const hearvex::lessons::ImportPluginApi* hearvex_import_plugin();
