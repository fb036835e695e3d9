#include "import_plugin.h"
#include "import_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <dlfcn.h>
#include <link.h>

#include <memory>

namespace hearvex::lessons {
namespace {

constexpr const char* kPluginFile = "libhearvex-import.so";

struct LoadedPlugin {
    const ImportPluginApi* api = nullptr;
    QString error;
};

// The folders the dynamic loader would search for the program itself: its run
// path with $ORIGIN expanded, then the system's. Asked of the loader rather than
// left to a bare dlopen(), whose search a sanitizer's interposed dlopen() makes
// from the sanitizer's library instead of the program.
QStringList programSearchPath() {
    QStringList folders;
    void* program = dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size{};
    if (!program || dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0)
        return folders;
    const std::unique_ptr<char[]> buffer(new char[size.dls_size]);
    auto* info = reinterpret_cast<Dl_serinfo*>(buffer.get());
    *info = size;
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, info) != 0 ||
        dlinfo(program, RTLD_DI_SERINFO, info) != 0)
        return folders;
    for (unsigned i = 0; i < info->dls_cnt; ++i)
        folders << QString::fromLocal8Bit(info->dls_serpath[i].dls_name);
    return folders;
}

// Beside the program first (the build puts it there), then on the program's
// search path (installed, it lies with the engine on the run path; the build's
// tests find it there too).
void* openPlugin(QString& error) {
    QStringList folders{
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2)};
    folders << programSearchPath();
    for (const QString& folder : folders) {
        const QString path = folder + u'/' + QLatin1StringView(kPluginFile);
        if (!QFileInfo::exists(path))
            continue;
        if (void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL))
            return handle;
        error = QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    error = ImportText::tr("%1 is in none of %2")
                .arg(QLatin1StringView(kPluginFile), folders.join(u':'));
    return nullptr;
}

// Loaded once and kept for the life of the process: an import may still be
// unwinding on its worker thread when the window closes.
LoadedPlugin loadPlugin() {
    LoadedPlugin loaded;
    void* handle = openPlugin(loaded.error);
    if (!handle)
        return loaded;
    using Entry = const ImportPluginApi* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, "hearvex_import_plugin"));
    const ImportPluginApi* api = entry ? entry() : nullptr;
    if (!api || api->version != kImportPluginVersion || !api->importDropped) {
        loaded.error = ImportText::tr("%1 is from another version of Hearvex").arg(kPluginFile);
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
        result.message = ImportText::tr("the import cannot be loaded: %1").arg(plugin.error);
        return result;
    }
    return plugin.api->importDropped(request, progress);
}

} // namespace hearvex::lessons
