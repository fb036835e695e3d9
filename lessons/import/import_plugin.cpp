// libhearvex-import.so: the import behind the plug-in's entry point.
#include "import_plugin.h"

#include "cue_word_finder.h"

namespace {

// A drop on the library gives its lessons word times, and long sentences
// become phrases, as the lesson tool's import does.
hearvex::lessons::ImportResult
importDroppedWithWords(const hearvex::lessons::ImportRequest& request,
                       const hearvex::lessons::TranscriptImportProgressFn& progress) {
    hearvex::lessons::ImportRequest withWords = request;
    if (!withWords.findWords)
        withWords.findWords = hearvex::lessons::speechWordFinder();
    return hearvex::lessons::importDropped(withWords, progress);
}

const hearvex::lessons::ImportPluginApi kApi{hearvex::lessons::kImportPluginVersion,
                                             &importDroppedWithWords};

} // namespace

extern "C" __attribute__((visibility("default"))) const hearvex::lessons::ImportPluginApi*
hearvex_import_plugin() {
    return &kApi;
}
