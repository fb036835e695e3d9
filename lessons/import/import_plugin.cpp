// libhearvex-import.so: the import behind the plug-in's entry point.
#include "import_plugin.h"

namespace {

const hearvex::lessons::ImportPluginApi kApi{hearvex::lessons::kImportPluginVersion,
                                             &hearvex::lessons::importDropped};

} // namespace

extern "C" __attribute__((visibility("default"))) const hearvex::lessons::ImportPluginApi*
hearvex_import_plugin() {
    return &kApi;
}
