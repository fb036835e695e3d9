#include "shadow_report.h"

#include <QList>
#include <QStringList>

namespace hearvex::shadow {

namespace {

QString seconds(qint64 ms) {
    return QString::number(double(ms) / 1000.0, 'f', 2);
}

QString paceName(Pace pace) {
    switch (pace) {
    case Pace::Usual:
        return QStringLiteral("usual");
    case Pace::Slow:
        return QStringLiteral("slow");
    case Pace::Fast:
        return QStringLiteral("fast");
    case Pace::Unknown:
        break;
    }
    return {};
}

QString wordLine(const WordResult& word, bool details) {
    const bool placed = word.verdict != Verdict::Missed;
    QStringList fields{word.text, verdictName(word.verdict),
                       placed ? seconds(word.startMs) : QString(),
                       placed ? seconds(word.endMs) : QString()};
    if (details)
        fields << QString::number(word.confidence, 'f', 2) << paceName(word.pace)
               << (word.pauseBefore ? QStringLiteral("pause") : QString());
    return fields.join(QLatin1Char('\t'));
}

// A number of the report; *ok turns false (and stays so) when it is none.
double number(const QString& field, bool* ok) {
    bool good = false;
    const double value = field.toDouble(&good);
    *ok = *ok && good;
    return value;
}

qint64 millis(const QString& field, bool* ok) {
    return field.isEmpty() ? 0 : qRound64(number(field, ok) * 1000);
}

std::optional<WordResult> parseWord(const QStringList& f) {
    static const QStringList verdicts{"said", "missed", "unclear"};
    static const QStringList paces{"", "usual", "slow", "fast"};
    if (f.size() != 7 || !verdicts.contains(f[1]) || !paces.contains(f[5]))
        return std::nullopt;
    WordResult word;
    bool ok = true;
    word.text = f[0];
    word.verdict = f[1] == verdicts[0]   ? Verdict::Said
                   : f[1] == verdicts[1] ? Verdict::Missed
                                         : Verdict::Unclear;
    word.startMs = millis(f[2], &ok);
    word.endMs = millis(f[3], &ok);
    word.confidence = number(f[4], &ok);
    word.pace = Pace(paces.indexOf(f[5]));
    word.pauseBefore = f[6] == QLatin1String("pause");
    return ok ? std::optional(word) : std::nullopt;
}

} // namespace

QByteArray formatReport(const ShadowReport& report, bool details) {
    QStringList lines;
    for (const WordResult& word : report.analysis.words)
        lines << wordLine(word, details);
    lines << QStringLiteral("score\t%1").arg(report.analysis.score);
    if (details) {
        for (const lessons::TimedWord& word : report.model)
            lines << QStringLiteral("model\t%1\t%2\t%3")
                         .arg(word.text, seconds(word.startMs), seconds(word.endMs));
        lines << QStringLiteral("tempo\t%1").arg(report.analysis.tempo, 0, 'f', 3);
    }
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

std::optional<ShadowReport> parseReport(const QByteArray& text) {
    ShadowReport report;
    bool scored = false;
    bool ok = true;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (line.isEmpty())
            continue;
        if (f[0] == QLatin1String("score") && f.size() == 2 && !scored) {
            report.analysis.score = int(number(f[1], &ok));
            scored = true;
        } else if (f[0] == QLatin1String("model") && f.size() == 4 && scored) {
            lessons::TimedWord word{millis(f[2], &ok), millis(f[3], &ok), 1.0, f[1]};
            report.model.push_back(word);
        } else if (f[0] == QLatin1String("tempo") && f.size() == 2 && scored) {
            report.analysis.tempo = number(f[1], &ok);
        } else if (const auto word = scored ? std::nullopt : parseWord(f)) {
            report.analysis.words.push_back(*word);
        } else {
            return std::nullopt;
        }
        if (!ok)
            return std::nullopt;
    }
    if (!scored)
        return std::nullopt;
    report.analysis.thisSentence = true;
    return report;
}

} // namespace hearvex::shadow
