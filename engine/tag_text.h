// Tag text as the track record wants it: UTF-8, trimmed, cut to fit a fixed field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vbmp3 {

// Text that its tag format declares as UTF-8 (Vorbis comments in FLAC, Ogg
// and Opus; ID3v2 frames marked UTF-8): taken as it is, trimmed. Bytes that
// turn out not to be UTF-8 are read as Latin-1 tag text.
std::string textFromUtf8Tag(std::string_view raw);

// Text in ID3's Latin-1 encoding (ID3v1, ID3v2 frames marked ISO-8859-1).
// Chinese taggers put GBK there: it is read as GBK only when every byte of
// 0x80 and above belongs to a GB2312 pair (lead 0xB0..0xF7, trail
// 0xA1..0xFE), otherwise as Latin-1. Encoders that write UTF-8 there (LAME
// does) are recognised by valid multi-byte UTF-8, which comes first. Trimmed.
std::string textFromLatin1Tag(std::string_view raw);

// Bytes of no declared encoding (WAV INFO chunks, file names): UTF-8 if they
// are, else as Latin-1 tag text. Trimmed.
std::string tagTextToUtf8(std::string_view raw);

// UTF-16 text (ID3v2): with a byte-order mark if bom, else big-endian.
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bom);

// The longest prefix of utf8 of at most maxBytes bytes that ends on a
// character boundary.
std::string_view cutUtf8(std::string_view utf8, std::size_t maxBytes);

// Copies text into a NUL-padded field of fieldBytes bytes, leaving at least
// one NUL and never splitting a UTF-8 character.
void fillTextField(char* field, std::size_t fieldBytes, std::string_view utf8);

// The last component of a path ("a/b/unit1.txt" gives "unit1.txt").
std::string_view fileNameOf(std::string_view path);

bool isValidUtf8(std::string_view bytes);

} // namespace vbmp3
