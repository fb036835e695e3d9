#include "spoken_words.h"

#include <QHash>
#include <QRegularExpression>

namespace hearvex::lessons {

namespace {

const char* const kOnes[] = {"zero",    "one",     "two",       "three",    "four",
                             "five",    "six",     "seven",     "eight",    "nine",
                             "ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                             "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
const char* const kTens[] = {"",      "",      "twenty",  "thirty", "forty",
                             "fifty", "sixty", "seventy", "eighty", "ninety"};

const QHash<QString, QString>& ordinals() {
    static const QHash<QString, QString> table{
        {"one", "first"},    {"two", "second"}, {"three", "third"},   {"five", "fifth"},
        {"eight", "eighth"}, {"nine", "ninth"}, {"twelve", "twelfth"}};
    return table;
}

// Abbreviations a reader expands (lower case, with their full stops).
const QHash<QString, QString>& abbreviations() {
    static const QHash<QString, QString> table{{"mr.", "mister"},
                                               {"mrs.", "missus"},
                                               {"ms.", "miz"},
                                               {"dr.", "doctor"},
                                               {"st.", "saint"},
                                               {"jr.", "junior"},
                                               {"sr.", "senior"},
                                               {"vs.", "versus"},
                                               {"etc.", "et cetera"},
                                               {"e.g.", "for example"},
                                               {"i.e.", "that is"},
                                               {"prof.", "professor"},
                                               {"no.", "number"},
                                               {"&", "and"},
                                               {"%", "percent"},
                                               {"mt.", "mount"},
                                               {"approx.", "approximately"},
                                               {"dept.", "department"}};
    return table;
}

QString ordinalOf(const QString& word) {
    if (ordinals().contains(word))
        return ordinals().value(word);
    if (word.endsWith(QLatin1Char('y')))
        return word.chopped(1) + QStringLiteral("ieth");
    return word + QStringLiteral("th");
}

void belowThousand(qint64 n, QStringList& out) {
    if (n >= 100) {
        out << QLatin1String(kOnes[n / 100]) << QStringLiteral("hundred");
        n %= 100;
        if (n == 0)
            return;
    }
    if (n >= 20) {
        out << QLatin1String(kTens[n / 10]);
        if (n % 10)
            out << QLatin1String(kOnes[n % 10]);
    } else {
        out << QLatin1String(kOnes[n]);
    }
}

QStringList cardinal(qint64 n) {
    QStringList out;
    if (n == 0)
        return {QStringLiteral("zero")};
    static const std::pair<qint64, const char*> kScales[] = {{1000000000000LL, "trillion"},
                                                             {1000000000LL, "billion"},
                                                             {1000000, "million"},
                                                             {1000, "thousand"}};
    for (const auto& [scale, name] : kScales)
        if (n >= scale) {
            belowThousand(n / scale, out);
            out << QLatin1String(name);
            n %= scale;
        }
    if (n > 0)
        belowThousand(n, out);
    return out;
}

// 1455 -> fourteen fifty-five; 1900 -> nineteen hundred; 1905 -> nineteen oh five.
QStringList yearWords(qint64 year) {
    const qint64 high = year / 100, low = year % 100;
    QStringList out = cardinal(high);
    if (low == 0)
        out << QStringLiteral("hundred");
    else if (low < 10)
        out << QStringLiteral("oh") << QLatin1String(kOnes[low]);
    else
        out += cardinal(low);
    return out;
}

bool readAsYear(qint64 n) {
    return (n >= 1100 && n <= 1999) || (n >= 2010 && n <= 2099);
}

QString plainLetters(const QString& text) {
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isLetter() && c.unicode() < 128)
            out += c.toLower();
        else if (c == QLatin1Char('\'') || c == QChar(0x2019))
            out += QLatin1Char('\'');
    }
    while (out.startsWith(QLatin1Char('\'')))
        out.remove(0, 1);
    while (out.endsWith(QLatin1Char('\'')))
        out.chop(1);
    return out;
}

// One piece of a written word (split at hyphens and slashes) as spoken words.
QStringList spokenPiece(const QString& piece) {
    static const QRegularExpression money(
        QStringLiteral("^([$£€])([0-9][0-9,]*)(?:\\.([0-9]{2}))?$"));
    static const QRegularExpression number(QStringLiteral("^([0-9][0-9,]*)(?:\\.([0-9]+))?(%?)$"));
    static const QRegularExpression ordinal(QStringLiteral("^([0-9]+)(st|nd|rd|th)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression initials(QStringLiteral("^([A-Za-z]\\.){2,}$"));
    const QString lower = piece.toLower();
    if (abbreviations().contains(lower))
        return abbreviations().value(lower).split(QLatin1Char(' '));
    if (initials.match(piece).hasMatch()) // U.S., e.g. an unknown a.m.
        return lower.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (const auto m = ordinal.match(piece); m.hasMatch()) {
        QStringList words = cardinal(m.captured(1).toLongLong());
        words.last() = ordinalOf(words.last());
        return words;
    }
    if (const auto m = money.match(piece); m.hasMatch()) {
        const qint64 whole = QString(m.captured(2)).remove(QLatin1Char(',')).toLongLong();
        const QString unit = m.captured(1) == QLatin1String("$")   ? QStringLiteral("dollars")
                             : m.captured(1) == QLatin1String("£") ? QStringLiteral("pounds")
                                                                   : QStringLiteral("euros");
        QStringList words = cardinal(whole);
        words << (whole == 1 ? unit.chopped(1) : unit);
        if (!m.captured(3).isEmpty() && m.captured(3).toInt() > 0)
            words << QStringLiteral("and") << cardinal(m.captured(3).toInt())
                  << QStringLiteral("cents");
        return words;
    }
    if (const auto m = number.match(piece); m.hasMatch()) {
        const QString digits = QString(m.captured(1)).remove(QLatin1Char(','));
        if (digits.size() > 15)
            return {};
        const qint64 whole = digits.toLongLong();
        const bool plainFour = digits.size() == 4 && !m.captured(1).contains(QLatin1Char(','));
        QStringList words = numberWords(
            whole, false, plainFour && m.captured(2).isEmpty() && m.captured(3).isEmpty());
        if (!m.captured(2).isEmpty()) {
            words << QStringLiteral("point");
            for (QChar d : m.captured(2))
                words << QLatin1String(kOnes[d.digitValue()]);
        }
        if (!m.captured(3).isEmpty())
            words << QStringLiteral("percent");
        return words;
    }
    QStringList words;
    // Letters and digits run together ("MP3", "4x4"): each run on its own.
    static const QRegularExpression runs(QStringLiteral("[0-9]+|[^0-9]+"));
    for (auto it = runs.globalMatch(piece); it.hasNext();) {
        const QString run = it.next().captured();
        if (run.at(0).isDigit())
            words += cardinal(run.left(15).toLongLong());
        else if (const QString letters = plainLetters(run); !letters.isEmpty())
            words << letters;
    }
    return words;
}

} // namespace

QStringList numberWords(qint64 value, bool ordinal, bool asYear) {
    QStringList words = asYear && readAsYear(value) ? yearWords(value) : cardinal(value);
    if (ordinal)
        words.last() = ordinalOf(words.last());
    return words;
}

SpokenSentence spokenWords(const QString& sentence) {
    SpokenSentence result;
    result.written = sentence.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    static const QRegularExpression edges(
        QStringLiteral("^[\"'“”‘(\\[{¿¡]+|[\"'“”’)\\]},;:!?…]+$"));
    static const QRegularExpression pieces(QStringLiteral("[-–—/]+"));
    for (int w = 0; w < int(result.written.size()); ++w) {
        QString token = result.written.at(w);
        token.replace(QChar(0x2019), QLatin1Char('\''));
        for (int i = 0; i < 3; ++i)
            token.remove(edges);
        // A sentence's full stop is not an abbreviation's.
        if (token.endsWith(QLatin1Char('.')) && !abbreviations().contains(token.toLower()) &&
            !QRegularExpression(QStringLiteral("^([A-Za-z]\\.){2,}$")).match(token).hasMatch())
            while (token.endsWith(QLatin1Char('.')))
                token.chop(1);
        for (const QString& piece : token.split(pieces, Qt::SkipEmptyParts))
            for (const QString& word : spokenPiece(piece))
                result.spoken.push_back({word, w});
    }
    return result;
}

} // namespace hearvex::lessons
