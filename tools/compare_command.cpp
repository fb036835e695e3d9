#include "compare_command.h"

#include "compare_score.h"
#include "dictionary.h"
#include "dictionary_facts.h"
#include "miss_pairs.h"

#include <QCoreApplication>
#include <cstdio>

namespace hearvex::tool {

namespace {

using exercise::ComparedPair;
using exercise::WordFacts;

struct Text {
    Q_DECLARE_TR_FUNCTIONS(CompareCommand)
};

void say(FILE* to, const QString& text) {
    const QByteArray line = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(line.constData(), 1, size_t(line.size()), to);
}

int usage() {
    say(stderr, Text::tr("usage: hearvex-lesson compare [--tsv] SENTENCE TYPED"));
    return 2;
}

QString side(const QStringList& words) {
    return words.isEmpty() ? QStringLiteral("''") : words.join(QLatin1Char(' '));
}

// A field of the TSV holds no tab or line break of its own.
QString field(const QStringList& words) {
    QString text = side(words);
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void printTable(const std::vector<ComparedPair>& pairs) {
    for (const ComparedPair& pair : pairs)
        say(stdout, field(pair.expected) + QLatin1Char('\t') + field(pair.typed) +
                        QLatin1Char('\t') + exercise::missKindName(pair.kind));
}

void printMisses(const exercise::WordAlignment& alignment, const std::vector<ComparedPair>& pairs) {
    say(stdout, Text::tr("%1 words found").arg(exercise::scoreCaption(alignment)));
    for (const ComparedPair& pair : exercise::missesOf(pairs)) {
        QString line =
            QStringLiteral("  %1 -> %2  %3")
                .arg(side(pair.expected), side(pair.typed), exercise::missKindName(pair.kind));
        if (pair.untypedTail)
            line += Text::tr("  (not typed yet)");
        say(stdout, line);
    }
}

// The dictionary beside the tool; without it the kinds that need one are not found.
WordFacts openFacts(words::Dictionary& dictionary) {
    const QString path = words::Dictionary::defaultPath(QCoreApplication::applicationDirPath());
    QString error;
    if (!dictionary.open(path, &error))
        say(stderr, Text::tr("hearvex-lesson: the dictionary %1 cannot be read (%2); homophones, "
                             "forms, spelling slips and rare words are not told apart")
                        .arg(path, error));
    return exercise::dictionaryFacts(dictionary);
}

} // namespace

int runCompareCommand(const QList<QByteArray>& args) {
    QList<QByteArray> texts = args;
    const bool tsv = texts.removeAll("--tsv") > 0;
    if (texts.size() != 2)
        return usage();
    const exercise::WordAlignment alignment =
        exercise::alignWords(QString::fromUtf8(texts[0]), QString::fromUtf8(texts[1]));
    if (alignment.tooLong) {
        say(stderr, Text::tr("hearvex-lesson: too many words to compare word by word"));
        return 1;
    }
    words::Dictionary dictionary;
    const std::vector<ComparedPair> pairs =
        exercise::comparePairs(alignment, openFacts(dictionary));
    if (tsv)
        printTable(pairs);
    else
        printMisses(alignment, pairs);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace hearvex::tool
