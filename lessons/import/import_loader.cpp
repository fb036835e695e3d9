#include "import_plugin.h"

#include <dlfcn.h>

namespace hearvex::lessons {
namespace {

constexpr const char* kPluginFile = "libhearvex-import.so";

struct LoadedPlugin {
    const ImportPluginApi* api = nullptr;
    QString error;
};

// Loaded once and kept for the life of the process: an import may still be
// unwinding on its worker thread when the window closes.
LoadedPlugin loadPlugin() {
    LoadedPlugin loaded;
    void* handle = dlopen(kPluginFile, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        loaded.error = QString::fromLocal8Bit(dlerror());
        return loaded;
    }
    using Entry = const ImportPluginApi* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, "hearvex_import_plugin"));
    const ImportPluginApi* api = entry ? entry() : nullptr;
    if (!api || api->version != kImportPluginVersion || !api->importDropped) {
        loaded.error = QStringLiteral("%1 is from another version of Hearvex").arg(kPluginFile);
        return loaded;
    }
    loaded.api = api;
    return loaded;
}

} // namespace

ImportResult importDroppedOnDemand(const ImportRequest& request,
                                   const TranscriptImportProgressFn& progress) {
    static const LoadedPlugin plugin = loadPlugin();
    if (!plugin.api) {
        ImportResult result;
        result.outcome = ImportOutcome::Failed;
        result.message = QStringLiteral("the import cannot be loaded: %1").arg(plugin.error);
        return result;
    }
    return plugin.api->importDropped(request, progress);
}

} // namespace hearvex::lessons
