#include "id3_tags.h"

#include "tag_text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unistd.h>

namespace vbmp3 {
namespace {

std::uint32_t bigEndian(std::string_view b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = v << 8 | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint32_t syncSafe(std::string_view b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = v << 7 | (static_cast<unsigned char>(b[at + i]) & 0x7F);
    return v;
}

bool hasHighBit(std::string_view b, std::size_t at) {
    for (std::size_t i = 0; i < 4; ++i)
        if (static_cast<unsigned char>(b[at + i]) & 0x80)
            return true;
    return false;
}

// Unsynchronisation put a 0x00 after every 0xFF; take those out.
std::string resynchronise(std::string_view b) {
    std::string out;
    out.reserve(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        out.push_back(b[i]);
        if (static_cast<unsigned char>(b[i]) == 0xFF && i + 1 < b.size() && b[i + 1] == '\0')
            ++i;
    }
    return out;
}

// A text frame's payload: an encoding byte, then the text (the first string
// of several, in version 2.4).
std::string frameText(std::string_view payload) {
    if (payload.empty())
        return {};
    const auto encoding = static_cast<unsigned char>(payload[0]);
    const std::string_view text = payload.substr(1);
    switch (encoding) {
    case 0:
        return textFromLatin1Tag(text);
    case 1:
        return textFromUtf8Tag(utf16ToUtf8(text, true));
    case 2:
        return textFromUtf8Tag(utf16ToUtf8(text, false));
    case 3:
        return textFromUtf8Tag(text);
    default:
        return {};
    }
}

bool isFrameId(std::string_view id) {
    return std::all_of(id.begin(), id.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

void parseV2(std::string_view tag, Id3Text& out) {
    if (tag.size() < 10 || tag.substr(0, 3) != "ID3")
        return;
    const int version = static_cast<unsigned char>(tag[3]);
    const auto flags = static_cast<unsigned char>(tag[5]);
    if (version < 2 || version > 4 || (version == 2 && (flags & 0x40))) // 2.2 compression
        return;
    std::string body(tag.substr(10, std::min<std::size_t>(syncSafe(tag, 6), tag.size() - 10)));
    const bool unsynchronised = flags & 0x80;
    if (unsynchronised && version < 4)
        body = resynchronise(body);
    std::size_t at = 0;
    if ((flags & 0x40) && version >= 3 && body.size() >= 4) // extended header
        at = version == 3 ? 4 + bigEndian(body, 0, 4) : syncSafe(body, 0);

    const std::size_t idBytes = version == 2 ? 3 : 4;
    const std::size_t headerBytes = version == 2 ? 6 : 10;
    while (at + headerBytes <= body.size()) {
        const std::string_view id(body.data() + at, idBytes);
        if (!isFrameId(id))
            break; // padding, or the end of what can be trusted
        std::size_t size = 0;
        unsigned frameFlags = 0;
        if (version == 2) {
            size = bigEndian(body, at + 3, 3);
        } else if (version == 3 || hasHighBit(body, at + 4)) {
            // Some taggers wrote 2.4 sizes as plain numbers; those are not
            // sync-safe and show it.
            size = bigEndian(body, at + 4, 4);
            frameFlags = bigEndian(body, at + 8, 2);
        } else {
            size = syncSafe(body, at + 4);
            frameFlags = bigEndian(body, at + 8, 2);
        }
        const std::size_t start = at + headerBytes;
        if (size > body.size() - start)
            break;
        std::string payload = body.substr(start, size);
        at = start + size;

        bool readable = true;
        if (version == 3) {
            readable = !(frameFlags & 0x00C0); // compressed or encrypted
            if (frameFlags & 0x0020)           // grouping byte
                payload.erase(0, std::min<std::size_t>(1, payload.size()));
        } else if (version == 4) {
            readable = !(frameFlags & 0x000C);
            if (frameFlags & 0x0040)
                payload.erase(0, std::min<std::size_t>(1, payload.size()));
            if (frameFlags & 0x0001) // data length indicator
                payload.erase(0, std::min<std::size_t>(4, payload.size()));
            if ((frameFlags & 0x0002) || unsynchronised)
                payload = resynchronise(payload);
        }
        if (!readable)
            continue;
        if ((id == "TIT2" || id == "TT2") && out.title.empty())
            out.title = frameText(payload);
        else if ((id == "TPE1" || id == "TP1") && out.artist.empty())
            out.artist = frameText(payload);
    }
}

} // namespace

Id3Text parseId3(std::string_view v2Tag, std::string_view last128) {
    Id3Text text;
    parseV2(v2Tag, text);
    if (last128.size() == 128 && last128.substr(0, 3) == "TAG") {
        if (text.title.empty())
            text.title = textFromLatin1Tag(last128.substr(3, 30));
        if (text.artist.empty())
            text.artist = textFromLatin1Tag(last128.substr(33, 30));
    }
    return text;
}

Id3Text readId3(int fd, std::int64_t fileBytes) {
    std::string v2;
    std::array<char, 10> header{};
    if (pread(fd, header.data(), header.size(), 0) == 10 &&
        std::memcmp(header.data(), "ID3", 3) == 0) {
        const std::string_view h(header.data(), header.size());
        const std::int64_t size = std::min<std::int64_t>(10 + syncSafe(h, 6), fileBytes);
        v2.resize(static_cast<std::size_t>(size));
        if (pread(fd, v2.data(), v2.size(), 0) != static_cast<ssize_t>(v2.size()))
            v2.clear();
    }
    std::string v1(128, '\0');
    if (fileBytes < 128 || pread(fd, v1.data(), 128, fileBytes - 128) != 128)
        v1.clear();
    return parseId3(v2, v1);
}

} // namespace vbmp3
