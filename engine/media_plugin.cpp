// The entry point of libvbmp3-media.so (media_source.h says why it is apart).
#include "ffmpeg_source.h"

namespace {

vbmp3::MediaSource* openThroughFfmpeg(int fd, std::int64_t fileBytes) {
    try {
        return vbmp3::FfmpegSource::open(fd, fileBytes).release();
    } catch (...) {
        return nullptr;
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) const vbmp3::MediaPluginApi*
vbmp3_media_plugin() {
    static const vbmp3::MediaPluginApi api{vbmp3::kMediaPluginVersion, &openThroughFfmpeg};
    return &api;
}
