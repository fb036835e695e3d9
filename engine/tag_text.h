// Tag text as the track record wants it: UTF-8, trimmed, cut to fit a fixed field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vbmp3 {

// Turns tag bytes of unknown encoding into UTF-8. Tags are meant to be UTF-8
// (or converted to it by the decoder), but recordings made for Chinese
// learners often carry GBK in fields declared Latin-1 (ID3v1, WAV INFO), which
// arrive either raw or re-encoded from Latin-1; both are recovered. Real
// Latin-1 stays Latin-1. Leading and trailing blanks are removed.
std::string tagTextToUtf8(std::string_view raw);

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
