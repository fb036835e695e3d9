// The decoder of recordings libsndfile cannot read (FFmpeg's), behind a
// seam: it lives in a plug-in of its own, libvbmp3-media.so beside
// libvbmp3.so, loaded the first time such a file is opened, so that FFmpeg's
// libraries are not mapped while a learner plays MP3s and WAVs.
#pragma once

#include "track_facts.h"

#include <cstdint>
#include <memory>

namespace vbmp3 {

// One opened recording, as Track sees it; see Track for the contract.
class MediaSource {
public:
    virtual ~MediaSource() = default;
    // Filled but for a title the file lacks (left empty).
    virtual const TrackFacts& facts() const = 0;
    virtual std::int64_t read(float* stereo, std::int64_t frameCount) = 0;
    virtual bool seek(std::int64_t frame) = 0;
};

inline constexpr int kMediaPluginVersion = 1;

// What the plug-in's entry point vbmp3_media_plugin() hands out.
struct MediaPluginApi {
    int version = kMediaPluginVersion;
    // The file behind fd (which stays the caller's), or null if the plug-in
    // does not read it.
    MediaSource* (*open)(int fd, std::int64_t fileBytes) = nullptr;
};

// Through the plug-in, loaded once per process and kept; null when it does
// not read the file or cannot be loaded.
std::unique_ptr<MediaSource> openMedia(int fd, std::int64_t fileBytes);

} // namespace vbmp3
