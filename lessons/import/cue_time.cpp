#include "cue_time.h"

namespace hearvex::lessons {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Digits from `at` on, as a number; false (and nothing taken) when there are
// none; *tooLarge when they exceed kLatestCueMs.
bool readDigits(QStringView text, qsizetype& at, qint64* value, qsizetype* count, bool* tooLarge) {
    const qsizetype start = at;
    qint64 number = 0;
    while (at < text.size() && isDigit(text[at])) {
        if (number > kLatestCueMs)
            *tooLarge = true;
        else
            number = number * 10 + (text[at].unicode() - '0');
        ++at;
    }
    *value = number;
    *count = at - start;
    return *count > 0;
}

// hours, minutes, seconds (each already checked against its range) and a
// decimal fraction of `fractionDigits` digits, as milliseconds.
TimeRead combine(qint64 hours, qint64 minutes, qint64 seconds, qint64 fraction,
                 qsizetype fractionDigits, bool negative, bool tooLarge, qsizetype length) {
    TimeRead read;
    read.length = length;
    qint64 ms = fraction;
    for (qsizetype d = fractionDigits; d < 3; ++d)
        ms *= 10;
    for (qsizetype d = 3; d < fractionDigits; ++d)
        ms /= 10;
    tooLarge = tooLarge || hours > kLatestCueMs / 3'600'000 || minutes > kLatestCueMs / 60'000;
    if (!tooLarge) {
        ms += hours * 3'600'000 + minutes * 60'000 + seconds * 1000;
        tooLarge = ms > kLatestCueMs;
    }
    read.tooLarge = tooLarge;
    read.ms = tooLarge ? kLatestCueMs : (negative ? -ms : ms);
    return read;
}

} // namespace

std::optional<TimeRead> readSubRipTime(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && (text[at] == QLatin1Char(' ') || text[at] == QLatin1Char('\t')))
        ++at;
    const bool negative = at < text.size() && text[at] == QLatin1Char('-');
    at += negative ? 1 : 0;
    qint64 hours = 0, minutes = 0, seconds = 0, fraction = 0;
    qsizetype count = 0, fractionDigits = 0;
    bool tooLarge = false;
    if (!readDigits(text, at, &hours, &count, &tooLarge) || at >= text.size() ||
        text[at] != QLatin1Char(':'))
        return std::nullopt;
    ++at;
    if (!readDigits(text, at, &minutes, &count, &tooLarge) || count > 2 || minutes > 59 ||
        at >= text.size() || text[at] != QLatin1Char(':'))
        return std::nullopt;
    ++at;
    if (!readDigits(text, at, &seconds, &count, &tooLarge) || count > 2 || seconds > 59)
        return std::nullopt;
    if (at < text.size() && (text[at] == QLatin1Char(',') || text[at] == QLatin1Char('.'))) {
        ++at;
        if (!readDigits(text, at, &fraction, &fractionDigits, &tooLarge) || fractionDigits > 3)
            return std::nullopt;
    }
    return combine(hours, minutes, seconds, fraction, fractionDigits, negative, tooLarge, at);
}

std::optional<TimeRead> readWebVttTime(QStringView text) {
    qsizetype at = 0;
    qint64 first = 0, second = 0, third = 0, fraction = 0;
    qsizetype firstDigits = 0, count = 0, fractionDigits = 0;
    bool tooLarge = false;
    if (!readDigits(text, at, &first, &firstDigits, &tooLarge))
        return std::nullopt;
    const bool hoursFirst = firstDigits != 2 || first > 59;
    if (at >= text.size() || text[at] != QLatin1Char(':'))
        return std::nullopt;
    ++at;
    if (!readDigits(text, at, &second, &count, &tooLarge) || count != 2)
        return std::nullopt;
    qint64 hours = 0, minutes = first, seconds = second;
    if (hoursFirst || (at < text.size() && text[at] == QLatin1Char(':'))) {
        if (at >= text.size() || text[at] != QLatin1Char(':'))
            return std::nullopt;
        ++at;
        if (!readDigits(text, at, &third, &count, &tooLarge) || count != 2)
            return std::nullopt;
        hours = first;
        minutes = second;
        seconds = third;
    }
    if (at >= text.size() || text[at] != QLatin1Char('.'))
        return std::nullopt;
    ++at;
    if (!readDigits(text, at, &fraction, &fractionDigits, &tooLarge) || fractionDigits != 3 ||
        minutes > 59 || seconds > 59)
        return std::nullopt;
    return combine(hours, minutes, seconds, fraction, 3, false, tooLarge, at);
}

std::optional<TimeRead> readLrcTime(QStringView text) {
    qsizetype at = 0;
    const bool negative = !text.isEmpty() && text[0] == QLatin1Char('-');
    at += negative ? 1 : 0;
    qint64 parts[3] = {0, 0, 0};
    int partCount = 0;
    qsizetype count = 0, fractionDigits = 0;
    bool tooLarge = false;
    while (partCount < 3) {
        if (!readDigits(text, at, &parts[partCount++], &count, &tooLarge))
            return std::nullopt;
        if (at >= text.size() || text[at] != QLatin1Char(':'))
            break;
        ++at;
    }
    qint64 fraction = 0;
    if (at < text.size() && (text[at] == QLatin1Char('.') || text[at] == QLatin1Char(':'))) {
        ++at;
        if (!readDigits(text, at, &fraction, &fractionDigits, &tooLarge) || fractionDigits > 3)
            return std::nullopt;
    }
    if (partCount < 2 || at != text.size() || parts[partCount - 1] > 59 ||
        (partCount == 3 && parts[1] > 59))
        return std::nullopt;
    const qint64 hours = partCount == 3 ? parts[0] : 0;
    const qint64 minutes = parts[partCount - 2];
    return combine(hours, minutes, parts[partCount - 1], fraction, fractionDigits, negative,
                   tooLarge, at);
}

} // namespace hearvex::lessons
