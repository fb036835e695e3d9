// Subtitle timestamps read as checked numbers: digits of any length are
// accepted only while the value fits, so no hour count wraps around. No I/O.
#pragma once

#include <QStringView>
#include <optional>

namespace hearvex::lessons {

// The latest time any cue can have (about 31 years): beyond it no media
// reaches, and frame counts of any sample rate still fit in 64 bits.
inline constexpr qint64 kLatestCueMs = qint64(1) << 40;

struct TimeRead {
    qint64 ms = 0;         // negative for a leading '-'
    qsizetype length = 0;  // characters taken
    bool tooLarge = false; // well formed, but beyond kLatestCueMs
};

// A SubRip time "[-]H:MM:SS,mmm" at the start of text (leading spaces
// skipped): any number of hour digits, one or two of minutes and seconds,
// ',' or '.' before one to three fraction digits (a decimal fraction), or
// none at all. nullopt when text does not start with one.
std::optional<TimeRead> readSubRipTime(QStringView text);

// A WebVTT timestamp "[HH:]MM:SS.mmm" as the WebVTT parsing rules collect it:
// hours of any length (two digits or more), minutes and seconds of exactly
// two digits below 60, exactly three fraction digits.
std::optional<TimeRead> readWebVttTime(QStringView text);

// An LRC time tag's inside "mm:ss[.xx]" or "hh:mm:ss[.xx]", whole, with an
// optional leading '-'.
std::optional<TimeRead> readLrcTime(QStringView text);

} // namespace hearvex::lessons
