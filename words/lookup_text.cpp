#include "lookup_text.h"

#include <QCoreApplication>

namespace hearvex::words {

namespace {

struct Text {
    Q_DECLARE_TR_FUNCTIONS(LookupCommand)
};

QString field(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

bool lemmaIsAnotherWord(const WordEntry& entry) {
    return entry.lemma.compare(entry.word, Qt::CaseInsensitive) != 0;
}

} // namespace

QString joinedGlosses(const WordEntry& entry) {
    QStringList all = entry.glosses;
    if (lemmaIsAnotherWord(entry))
        all += entry.lemmaGlosses;
    return all.join(QStringLiteral(" | "));
}

QString lookupTsvLine(const QString& asked, const WordEntry& entry) {
    const QStringList fields = {asked, entry.lemma, entry.ipa, QString::number(entry.band),
                                joinedGlosses(entry)};
    QStringList cleaned;
    for (const QString& text : fields)
        cleaned << field(text);
    return cleaned.join(QLatin1Char('\t'));
}

QStringList lookupReport(const WordEntry& entry) {
    QString head = entry.word;
    if (lemmaIsAnotherWord(entry))
        head += QStringLiteral(" → ") + entry.lemma;
    if (!entry.ipa.isEmpty())
        head += QStringLiteral("  /%1/").arg(entry.ipa);
    head += QStringLiteral("  ") + Text::tr("band %1").arg(entry.band);
    QStringList lines = {head};
    if (!entry.forms.isEmpty())
        lines << QStringLiteral("  ") + Text::tr("forms: %1").arg(entry.forms.join(", "));
    for (const QString& gloss : entry.glosses)
        lines << QStringLiteral("  ") + gloss;
    if (lemmaIsAnotherWord(entry))
        for (const QString& gloss : entry.lemmaGlosses)
            lines << QStringLiteral("  %1: %2").arg(entry.lemma, gloss);
    return lines;
}

} // namespace hearvex::words
