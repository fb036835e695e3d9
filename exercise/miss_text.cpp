#include "miss_text.h"

#include "compare_score.h"

namespace hearvex::exercise {

namespace {

// Beyond this the tooltip would run off the screen.
constexpr int kMostMissLines = 20;

QString shown(const QStringList& words, const QString& none) {
    return words.isEmpty() ? none : words.join(QLatin1Char(' '));
}

QString missLine(const ComparedPair& pair) {
    if (pair.kind == MissKind::Extra)
        return QStringLiteral("%1：%2").arg(pair.typed.join(QLatin1Char(' ')),
                                            missKindLabel(pair.kind));
    return QStringLiteral("%1 → %2：%3")
        .arg(pair.expected.join(QLatin1Char(' ')), shown(pair.typed, QStringLiteral("（漏写）")),
             missKindLabel(pair.kind));
}

} // namespace

QString missesToolTip(const WordAlignment& alignment, const std::vector<ComparedPair>& pairs) {
    QString text = scoreToolTip(alignment);
    QStringList lines;
    QStringList untyped;
    for (const ComparedPair& pair : pairs) {
        if (!pair.isMiss())
            continue;
        if (pair.untypedTail)
            untyped << pair.expected;
        else
            lines << missLine(pair);
    }
    if (lines.size() > kMostMissLines) {
        lines = lines.mid(0, kMostMissLines);
        lines << QStringLiteral("……");
    }
    if (!untyped.isEmpty())
        lines << QStringLiteral("还没写：%1").arg(untyped.join(QLatin1Char(' ')));
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(QLatin1Char('\n'));
    return text;
}

std::vector<WordMiss> sentenceMisses(const std::vector<ComparedPair>& pairs) {
    std::vector<WordMiss> misses;
    for (const ComparedPair& pair : pairs) {
        if (!pair.isMiss())
            continue;
        const QString typed = pair.typed.join(QLatin1Char(' '));
        for (const QString& word : pair.expected)
            misses.push_back({word, typed, pair.kind, !pair.untypedTail});
    }
    return misses;
}

std::vector<WordMiss> checkMisses(const std::vector<ComparedPair>& pairs,
                                  const QStringList& missedWords) {
    std::vector<WordMiss> misses;
    QStringList left = missedWords;
    for (const WordMiss& miss : sentenceMisses(pairs)) {
        const qsizetype at = left.indexOf(miss.word);
        if (at < 0)
            continue;
        left.removeAt(at);
        misses.push_back(miss);
    }
    return misses;
}

} // namespace hearvex::exercise
