#include "adts_frames.h"

#include <array>
#include <chrono>
#include <cstring>
#include <unistd.h>

namespace vbmp3 {
namespace {

constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::size_t kMaxPlaces = 4096;
constexpr std::int64_t kSearchBytes = 64 * 1024;
// An hour takes a few tens of milliseconds from the page cache; a cold, slow
// disk stops here and the rest is estimated from the bytes per frame so far.
constexpr std::chrono::milliseconds kBudget{400};

// The file through a buffer of a megabyte, for headers a few hundred bytes apart.
class ChunkReader {
public:
    ChunkReader(int fd, std::int64_t size)
        : m_fd(fd)
        , m_size(size)
        , m_buffer(kChunkBytes) {}

    // n bytes at offset, or null past the end.
    const unsigned char* at(std::int64_t offset, std::size_t n) {
        if (offset < m_start || offset + std::int64_t(n) > m_start + std::int64_t(m_length)) {
            const ssize_t got = pread(m_fd, m_buffer.data(), m_buffer.size(), offset);
            m_start = offset;
            m_length = got > 0 ? static_cast<std::size_t>(got) : 0;
            if (m_length < n)
                return nullptr;
        }
        return m_buffer.data() + (offset - m_start);
    }
    std::int64_t size() const { return m_size; }

private:
    int m_fd;
    std::int64_t m_size;
    std::vector<unsigned char> m_buffer;
    std::int64_t m_start = -1;
    std::size_t m_length = 0;
};

// The bytes of the frame whose header is h, or 0 if h is no ADTS header.
int frameBytes(const unsigned char* h) {
    if (h[0] != 0xFF || (h[1] & 0xF6) != 0xF0)
        return 0;
    const int length = (h[3] & 0x03) << 11 | h[4] << 3 | h[5] >> 5;
    return length >= 7 ? length : 0;
}

// Profile, rate and the first bit of the channels: the same in every frame.
int streamKey(const unsigned char* h) {
    return h[2] & 0xFD;
}

int headerRate(const unsigned char* h) {
    static constexpr std::array<int, 13> kRates{96000, 88200, 64000, 48000, 44100, 32000, 24000,
                                                22050, 16000, 12000, 11025, 8000,  7350};
    const auto index = static_cast<std::size_t>((h[2] >> 2) & 0x0F);
    return index < kRates.size() ? kRates[index] : 0;
}

std::int64_t id3Bytes(ChunkReader& file) {
    const unsigned char* h = file.at(0, 10);
    if (!h || std::memcmp(h, "ID3", 3) != 0)
        return 0;
    return 10 + ((h[6] & 0x7F) << 21 | (h[7] & 0x7F) << 14 | (h[8] & 0x7F) << 7 | (h[9] & 0x7F)) +
           ((h[5] & 0x10) ? 10 : 0);
}

// The first header followed by a second of the same stream.
std::int64_t firstFrame(ChunkReader& file, std::int64_t from) {
    for (std::int64_t at = from; at < from + kSearchBytes; ++at) {
        const unsigned char* h = file.at(at, 7);
        if (!h)
            return -1;
        const int length = frameBytes(h);
        if (length == 0)
            continue;
        const int key = streamKey(h);
        const unsigned char* next = file.at(at + length, 7);
        if (at + length == file.size() || (next && frameBytes(next) && streamKey(next) == key))
            return at;
    }
    return -1;
}

// Keeps every other place when there are too many, so memory stays the same
// for ten hours as for one.
void thin(std::vector<AdtsPlace>& places, int& stride) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < places.size(); i += 2)
        places[kept++] = places[i];
    places.resize(kept);
    stride *= 2;
}

} // namespace

AdtsFrames walkAdtsFrames(int fd, std::int64_t fileBytes) {
    AdtsFrames walk;
    ChunkReader file(fd, fileBytes);
    const std::int64_t start = firstFrame(file, id3Bytes(file));
    const unsigned char* first = start >= 0 ? file.at(start, 7) : nullptr;
    if (!first)
        return walk;
    walk.sampleRate = headerRate(first);
    const int key = streamKey(first);
    const auto deadline = std::chrono::steady_clock::now() + kBudget;
    int stride = 16;
    std::int64_t frames = 0;
    std::int64_t at = start;
    bool timedOut = false;
    for (const unsigned char* h; (h = file.at(at, 7)) != nullptr; ++frames) {
        const int length = frameBytes(h);
        if (length == 0 || streamKey(h) != key || at + length > fileBytes)
            break;
        if (frames % stride == 0) {
            if (walk.places.size() >= kMaxPlaces)
                thin(walk.places, stride);
            if (frames % stride == 0)
                walk.places.push_back({at, walk.sampleCount});
        }
        walk.sampleCount += 1024 * ((h[6] & 0x03) + 1);
        at += length;
        if ((frames & 0xFFF) == 0 && std::chrono::steady_clock::now() > deadline) {
            timedOut = true;
            break;
        }
    }
    if (timedOut) {
        walk.sampleCount = static_cast<std::int64_t>(
            double(walk.sampleCount) * double(fileBytes - start) / double(at - start));
    } else if (at - start < (fileBytes - start) * 9 / 10) {
        walk = AdtsFrames{}; // broken off: damage the walk cannot step over
    }
    return walk;
}

} // namespace vbmp3
