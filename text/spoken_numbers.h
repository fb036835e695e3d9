// Numbers written in digits as a reader says them: "1455" as "fourteen
// fifty-five" (a year) or "one thousand four hundred and fifty-five", "21st"
// as "twenty-first", "3.5" as "three point five". Used wherever typed words
// and a text's digits must be taken as the same thing.
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::text {

// Whole numbers from 0 up to this are spelled; larger ones have no reading.
inline constexpr long long kLargestSpokenNumber = 999'999'999'999LL;

// "0" to "nine hundred ninety-nine billion…": tens and units joined by a
// hyphen, no "and".
QString cardinalWords(long long number);
// "zeroth", "first", "twenty-first", "one hundredth".
QString ordinalWords(long long number);

// The ways a reader may say a number token (digits, optional thousands
// commas, a decimal part, or an ordinal suffix st/nd/rd/th), most usual
// first; empty when the token is not one. Four-digit numbers from 1100 read
// first as years ("nineteen oh five", "two thousand five", "twenty twenty");
// a time of day H:MM as "nine thirty", "nine oh five", "nine o'clock".
QStringList spokenReadings(const QString& token);

// Words as number readings are compared: lower case, hyphens as spaces, "and"
// and commas dropped, "a hundred" as "one hundred", one space between words.
QString numberWordsKey(const QString& words);

} // namespace hearvex::text
