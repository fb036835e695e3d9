#include "ogg_length.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace vbmp3 {
namespace {

constexpr std::size_t kHeaderBytes = 27;

std::uint32_t crcOf(std::uint32_t crc, const unsigned char* bytes, std::size_t size) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k)
                r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
            t[i] = r;
        }
        return t;
    }();
    for (std::size_t i = 0; i < size; ++i)
        crc = (crc << 8) ^ table[((crc >> 24) ^ bytes[i]) & 0xFF];
    return crc;
}

std::uint64_t le64(const unsigned char* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// The length of the whole page at p (header, lacing and body) if it is one,
// with a matching checksum, within size bytes; else 0.
std::size_t wholePage(const unsigned char* p, std::size_t size) {
    if (size < kHeaderBytes || std::memcmp(p, "OggS", 4) != 0 || p[4] != 0)
        return 0;
    const std::size_t segments = p[26];
    if (size < kHeaderBytes + segments)
        return 0;
    std::size_t length = kHeaderBytes + segments;
    for (std::size_t i = 0; i < segments; ++i)
        length += p[kHeaderBytes + i];
    if (length > size)
        return 0;
    // The checksum is taken with its own four bytes as zeros.
    const unsigned char zeros[4] = {};
    std::uint32_t crc = crcOf(0, p, 22);
    crc = crcOf(crc, zeros, 4);
    crc = crcOf(crc, p + 26, length - 26);
    return crc == le32(p + 22) ? length : 0;
}

} // namespace

std::int64_t oggFramesFromPages(int fd, std::int64_t fileBytes, std::int32_t sampleRate) {
    // The first page says whose stream it is and how its granules count.
    std::array<unsigned char, 512> head{};
    const ssize_t headBytes = pread(fd, head.data(), head.size(), 0);
    if (headBytes < 0 || wholePage(head.data(), static_cast<std::size_t>(headBytes)) == 0)
        return -1;
    const std::uint32_t serial = le32(head.data() + 14);
    const unsigned char* packet = head.data() + kHeaderBytes + head[26];
    const std::size_t packetRoom =
        static_cast<std::size_t>(headBytes) - static_cast<std::size_t>(packet - head.data());
    bool opus = false;
    std::int64_t preSkip = 0;
    if (packetRoom >= 19 && std::memcmp(packet, "OpusHead", 8) == 0) {
        opus = true;
        preSkip = packet[10] | packet[11] << 8;
    } else if (packetRoom < 7 || std::memcmp(packet, "\x01vorbis", 7) != 0) {
        return -1;
    }

    // Pages are at most 65307 bytes: the last whole one starts in the tail.
    constexpr std::int64_t kTail = 2 * 65536;
    const std::int64_t start = std::max<std::int64_t>(0, fileBytes - kTail);
    std::vector<unsigned char> tail(static_cast<std::size_t>(fileBytes - start));
    if (pread(fd, tail.data(), tail.size(), start) != static_cast<ssize_t>(tail.size()))
        return -1;
    for (std::size_t at = tail.size() >= kHeaderBytes ? tail.size() - kHeaderBytes + 1 : 0;
         at-- > 0;) {
        const unsigned char* p = tail.data() + at;
        if (p[0] != 'O' || wholePage(p, tail.size() - at) == 0 || le32(p + 14) != serial)
            continue;
        const std::uint64_t granule = le64(p + 6);
        if (granule == ~std::uint64_t{0}) // no packet ends on this page
            continue;
        if (!opus)
            return static_cast<std::int64_t>(granule);
        // Opus counts at 48 kHz, after the encoder's pre-skip.
        const auto frames48k =
            std::max<std::int64_t>(0, static_cast<std::int64_t>(granule) - preSkip);
        return frames48k * sampleRate / 48000;
    }
    return -1;
}

} // namespace vbmp3
