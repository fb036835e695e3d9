#include "spoken_words.h"

#include "spoken_numbers.h"

#include <QHash>
#include <QRegularExpression>

namespace hearvex::lessons {

namespace {

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

// "fourteen fifty-five" as the words the dictionary has.
QStringList splitReading(const QString& reading) {
    return reading.toLower().split(QRegularExpression(QStringLiteral("[ ,-]+")),
                                   Qt::SkipEmptyParts);
}

QStringList numberSaid(const QString& digits) {
    const QStringList readings = text::spokenReadings(digits);
    return readings.isEmpty() ? QStringList() : splitReading(readings.first());
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
    static const QRegularExpression percent(QStringLiteral("^([0-9][0-9,.]*)%$"));
    static const QRegularExpression initials(QStringLiteral("^([A-Za-z]\\.){2,}$"));
    const QString lower = piece.toLower();
    if (abbreviations().contains(lower))
        return abbreviations().value(lower).split(QLatin1Char(' '));
    if (initials.match(piece).hasMatch()) // U.S., e.g. an unknown a.m.
        return lower.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (const auto m = money.match(piece); m.hasMatch()) {
        const QString unit = m.captured(1) == QLatin1String("$")   ? QStringLiteral("dollars")
                             : m.captured(1) == QLatin1String("£") ? QStringLiteral("pounds")
                                                                   : QStringLiteral("euros");
        QStringList words = numberSaid(m.captured(2));
        words << (words == QStringList{QStringLiteral("one")} ? unit.chopped(1) : unit);
        if (!m.captured(3).isEmpty() && m.captured(3).toInt() > 0)
            words << QStringLiteral("and") << numberSaid(QString::number(m.captured(3).toInt()))
                  << QStringLiteral("cents");
        return words;
    }
    if (const auto m = percent.match(piece); m.hasMatch())
        return numberSaid(m.captured(1)) << QStringLiteral("percent");
    if (const QStringList said = numberSaid(piece); !said.isEmpty())
        return said;
    QStringList words;
    // Letters and digits run together ("MP3", "4x4"): each run on its own.
    static const QRegularExpression runs(QStringLiteral("[0-9]+|[^0-9]+"));
    for (auto it = runs.globalMatch(piece); it.hasNext();) {
        const QString run = it.next().captured();
        if (run.at(0).isDigit())
            words += numberSaid(run.left(12));
        else if (const QString letters = plainLetters(run); !letters.isEmpty())
            words << letters;
    }
    return words;
}

} // namespace

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
