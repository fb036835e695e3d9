#include "media_source.h"

#include <dlfcn.h>
#include <string>

namespace vbmp3 {
namespace {

constexpr const char* kPluginFile = "libvbmp3-media.so";

// Beside the library (or program) this code is part of; else wherever the
// dynamic loader looks.
const MediaPluginApi* loadPlugin() {
    std::string path = kPluginFile;
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&loadPlugin), &self) && self.dli_fname) {
        const std::string object = self.dli_fname;
        const std::size_t slash = object.rfind('/');
        if (slash != std::string::npos)
            path = object.substr(0, slash + 1) + kPluginFile;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        handle = dlopen(kPluginFile, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    using Entry = const MediaPluginApi* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, "vbmp3_media_plugin"));
    const MediaPluginApi* api = entry ? entry() : nullptr;
    return api && api->version == kMediaPluginVersion && api->open ? api : nullptr;
}

} // namespace

std::unique_ptr<MediaSource> openMedia(int fd, std::int64_t fileBytes) {
    // Never unloaded: sources it made may outlive any owner of a handle.
    static const MediaPluginApi* const plugin = loadPlugin();
    return std::unique_ptr<MediaSource>(plugin ? plugin->open(fd, fileBytes) : nullptr);
}

} // namespace vbmp3
