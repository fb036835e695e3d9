#include "spoken_numbers.h"

#include <QRegularExpression>
#include <array>

namespace hearvex::text {

namespace {

constexpr std::array<const char*, 20> kUnits = {
    "zero",     "one",     "two",     "three",     "four",     "five",    "six",
    "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",  "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
constexpr std::array<const char*, 10> kTens = {"",      "",      "twenty",  "thirty", "forty",
                                               "fifty", "sixty", "seventy", "eighty", "ninety"};

struct Scale {
    long long size;
    const char* name;
};
constexpr std::array<Scale, 3> kScales = {
    {{1'000'000'000LL, "billion"}, {1'000'000LL, "million"}, {1'000LL, "thousand"}}};

QString belowHundred(int n) {
    if (n < 20)
        return QLatin1String(kUnits[size_t(n)]);
    QString words = QLatin1String(kTens[size_t(n / 10)]);
    if (n % 10 != 0)
        words += QLatin1Char('-') + QLatin1String(kUnits[size_t(n % 10)]);
    return words;
}

QString belowThousand(int n, bool withAnd) {
    if (n < 100)
        return belowHundred(n);
    QString words = QLatin1String(kUnits[size_t(n / 100)]) + QLatin1String(" hundred");
    if (n % 100 != 0)
        words += QLatin1String(withAnd ? " and " : " ") + belowHundred(n % 100);
    return words;
}

QString cardinal(long long number, bool withAnd) {
    if (number < 1000)
        return belowThousand(int(number), withAnd);
    QStringList parts;
    for (const Scale& scale : kScales) {
        if (number >= scale.size) {
            parts << belowThousand(int(number / scale.size), withAnd) + QLatin1Char(' ') +
                         QLatin1String(scale.name);
            number %= scale.size;
        }
    }
    if (number > 0)
        parts << (withAnd && number < 100 ? QLatin1String("and ") : QString()) +
                     belowThousand(int(number), withAnd);
    return parts.join(QLatin1Char(' '));
}

// A year as it is read: 1455 "fourteen fifty-five", 1905 "nineteen oh five",
// 1900 "nineteen hundred", 2005 "two thousand five", 2020 "twenty twenty".
QStringList yearReadings(int year) {
    const int high = year / 100;
    const int low = year % 100;
    if (year >= 2000 && year < 2010)
        return {cardinal(year, false), cardinal(year, true)};
    QString pair = belowHundred(high) + QLatin1Char(' ');
    if (low == 0)
        pair += QLatin1String("hundred");
    else if (low < 10)
        pair += QLatin1String("oh ") + belowHundred(low);
    else
        pair += belowHundred(low);
    return {pair};
}

// The last word of a cardinal made ordinal: one → first, twenty → twentieth.
QString ordinalOfWord(const QString& word) {
    static const std::array<std::pair<const char*, const char*>, 8> irregular = {
        {{"one", "first"},
         {"two", "second"},
         {"three", "third"},
         {"five", "fifth"},
         {"eight", "eighth"},
         {"nine", "ninth"},
         {"twelve", "twelfth"},
         {"zero", "zeroth"}}};
    for (const auto& [plain, ordinal] : irregular)
        if (word == QLatin1String(plain))
            return QLatin1String(ordinal);
    if (word.endsWith(QLatin1Char('y')))
        return word.chopped(1) + QLatin1String("ieth");
    return word + QLatin1String("th");
}

QString ordinalFrom(const QString& cardinalText) {
    qsizetype cut = cardinalText.size();
    while (cut > 0 && cardinalText.at(cut - 1).isLetter())
        --cut;
    return cardinalText.left(cut) + ordinalOfWord(cardinalText.mid(cut));
}

QString digitsSpoken(const QString& digits) {
    QStringList words;
    for (QChar c : digits)
        words << QLatin1String(kUnits[size_t(c.digitValue())]);
    return words.join(QLatin1Char(' '));
}

bool parseWhole(const QString& digits, long long* number) {
    if (digits.isEmpty() || digits.size() > 12)
        return false;
    bool ok = false;
    *number = digits.toLongLong(&ok);
    return ok && *number <= kLargestSpokenNumber;
}

// A time of day: 9:30 "nine thirty", 9:05 "nine oh five", 9:00 "nine o'clock" or "nine".
QStringList timeReadings(const QString& token) {
    static const QRegularExpression shape(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = shape.match(token);
    if (!match.hasMatch())
        return {};
    const int hours = match.captured(1).toInt();
    const int minutes = match.captured(2).toInt();
    if (hours > 24 || minutes > 59)
        return {};
    const QString hour = belowHundred(hours);
    if (minutes == 0)
        return {hour + QLatin1String(" o'clock"), hour, hour + QLatin1String(" hundred")};
    if (minutes < 10)
        return {hour + QLatin1String(" oh ") + belowHundred(minutes)};
    return {hour + QLatin1Char(' ') + belowHundred(minutes)};
}

} // namespace

QString cardinalWords(long long number) {
    if (number < 0 || number > kLargestSpokenNumber)
        return {};
    return cardinal(number, false);
}

QString ordinalWords(long long number) {
    const QString words = cardinalWords(number);
    return words.isEmpty() ? words : ordinalFrom(words);
}

QStringList spokenReadings(const QString& token) {
    static const QRegularExpression shape(
        QStringLiteral("^(\\d{1,3}(?:,\\d{3})+|\\d+)(?:\\.(\\d+))?(st|nd|rd|th)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = shape.match(token);
    if (!match.hasMatch())
        return timeReadings(token);
    long long number = 0;
    if (!parseWhole(match.captured(1).remove(QLatin1Char(',')), &number))
        return {};
    const QString fraction = match.captured(2);
    const bool ordinal = match.hasCaptured(3);
    if (ordinal && !fraction.isEmpty())
        return {};
    if (ordinal)
        return {ordinalWords(number)};
    if (!fraction.isEmpty()) {
        const QString point = QLatin1String(" point ") + digitsSpoken(fraction);
        return {cardinal(number, false) + point};
    }
    QStringList readings;
    const bool plainDigits = !match.captured(1).contains(QLatin1Char(','));
    if (plainDigits && match.captured(1).size() == 4 && number >= 1100 && number < 2100)
        readings << yearReadings(int(number));
    for (const QString& reading : {cardinal(number, false), cardinal(number, true)})
        if (!readings.contains(reading))
            readings << reading;
    return readings;
}

QString numberWordsKey(const QString& text) {
    QString spaced = text.toLower();
    spaced.replace(QLatin1Char('-'), QLatin1Char(' '));
    spaced.remove(QLatin1Char(','));
    const QStringList words = spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList kept;
    for (qsizetype k = 0; k < words.size(); ++k) {
        if (words[k] == QLatin1String("and"))
            continue;
        // "a hundred" is "one hundred".
        const bool scaleNext =
            k + 1 < words.size() &&
            QStringList{"hundred", "thousand", "million", "billion"}.contains(words[k + 1]);
        kept << (words[k] == QLatin1String("a") && scaleNext ? QStringLiteral("one") : words[k]);
    }
    return kept.join(QLatin1Char(' '));
}

} // namespace hearvex::text
