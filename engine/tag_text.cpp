#include "tag_text.h"

#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <optional>

namespace vbmp3 {
namespace {

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 if malformed
// (overlong forms, surrogates and values past U+10FFFF count as malformed).
std::size_t utf8Sequence(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

bool hasHighBytes(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// GBK's shape: a lead byte 0x81..0xFE, then a trail 0x40..0xFE other than 0x7F.
// Needs at least one double-byte character to count as GBK rather than ASCII.
bool looksLikeGbk(std::string_view s) {
    bool sawDouble = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80)
            continue;
        if (b == 0x80 || b == 0xFF || i + 1 >= s.size())
            return false;
        const auto t = static_cast<unsigned char>(s[++i]);
        if (t < 0x40 || t == 0x7F || t == 0xFF)
            return false;
        sawDouble = true;
    }
    return sawDouble;
}

std::optional<std::string> gbkToUtf8(std::string_view s) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out(s.size() * 2 + 4, '\0'); // GBK pairs become at most 3 bytes
    std::string in(s);
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string latin1ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

// If every character of valid UTF-8 text lies in U+0000..U+00FF, the bytes
// they stand for (the text as it was before a Latin-1 to UTF-8 conversion).
std::optional<std::string> undoLatin1(std::string_view utf8) {
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t len = utf8Sequence(utf8, i, cp);
        if (len == 0 || cp > 0xFF)
            return std::nullopt;
        bytes.push_back(static_cast<char>(cp));
        i += len;
    }
    return bytes;
}

// Bytes whose encoding is unknown: UTF-8 if they are, GBK if they look it,
// Latin-1 otherwise (every byte string is valid Latin-1).
std::string decodeUnknownBytes(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    if (looksLikeGbk(bytes))
        if (auto text = gbkToUtf8(bytes))
            return *text;
    return latin1ToUtf8(bytes);
}

std::string_view trimBlanks(std::string_view s) {
    auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0';
    };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const std::size_t len = utf8Sequence(bytes, i, cp);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string tagTextToUtf8(std::string_view raw) {
    raw = trimBlanks(raw.substr(0, raw.find('\0')));
    std::string text;
    if (!isValidUtf8(raw)) {
        text = decodeUnknownBytes(raw);
    } else if (auto bytes = undoLatin1(raw); bytes && hasHighBytes(*bytes)) {
        // Latin-1 text re-encoded as UTF-8: look at the original bytes again.
        text = decodeUnknownBytes(*bytes);
    } else {
        text = std::string(raw);
    }
    return std::string(trimBlanks(text));
}

std::string_view cutUtf8(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes)
        return utf8;
    std::size_t n = maxBytes;
    while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80)
        --n;
    return utf8.substr(0, n);
}

void fillTextField(char* field, std::size_t fieldBytes, std::string_view utf8) {
    if (fieldBytes == 0)
        return;
    std::memset(field, 0, fieldBytes);
    const std::string_view cut = cutUtf8(utf8, fieldBytes - 1);
    std::memcpy(field, cut.data(), cut.size());
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace vbmp3
