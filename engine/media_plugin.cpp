// The entry point of libvbmp3-media.so (media_source.h says why it is apart).
#include "ffmpeg_source.h"

extern "C" {
#include <libavutil/log.h>
}

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
    // The player keeps no log: FFmpeg's notes on what it skipped in a
    // damaged file, or on a film's pictures left unexamined, would only
    // litter the terminal. Its errors still show.
    av_log_set_level(AV_LOG_ERROR);
    static const vbmp3::MediaPluginApi api{vbmp3::kMediaPluginVersion, &openThroughFfmpeg};
    return &api;
}
