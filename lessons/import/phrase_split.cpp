#include "phrase_split.h"

#include <QSet>
#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace hearvex::lessons {

namespace {

// How much a cut gains, in milliseconds of pause: a written break is worth a
// clear pause, a conjunction after a pause a short one.
constexpr double kPunctuationBonusMs = 400;
constexpr double kConjunctionBonusMs = 200;
// A conjunction counts only after at least this much quiet: run-on speech
// glues "and" to the word before it.
constexpr qint64 kConjunctionPauseMs = 60;

bool endsClause(const QString& word) {
    static const QString marks = QStringLiteral(",;:.?!\u2014\u2013");
    QString bare = word;
    while (!bare.isEmpty() && (bare.back() == QLatin1Char('"') ||
                               bare.back() == QLatin1Char('\'') || bare.back() == QLatin1Char(')')))
        bare.chop(1);
    if (bare.isEmpty())
        return false;
    return marks.contains(bare.back()) || bare.endsWith(QLatin1String("--")) ||
           bare == QLatin1String("-");
}

bool isConjunction(const QString& word) {
    static const QSet<QString> words{
        QStringLiteral("and"),      QStringLiteral("but"),     QStringLiteral("or"),
        QStringLiteral("so"),       QStringLiteral("because"), QStringLiteral("which"),
        QStringLiteral("that"),     QStringLiteral("when"),    QStringLiteral("while"),
        QStringLiteral("although"), QStringLiteral("though"),  QStringLiteral("if"),
        QStringLiteral("where"),    QStringLiteral("who"),     QStringLiteral("yet"),
        QStringLiteral("since"),    QStringLiteral("unless"),  QStringLiteral("until"),
        QStringLiteral("whereas"),  QStringLiteral("before"),  QStringLiteral("after"),
        QStringLiteral("whether"),  QStringLiteral("whose"),   QStringLiteral("whom")};
    QString bare;
    for (QChar c : word)
        if (c.isLetter())
            bare += c.toLower();
    return words.contains(bare);
}

// What cutting before word i is worth.
double cutScore(const WordTimes& words, size_t i) {
    const qint64 pause = std::max<qint64>(0, words[i].startMs - words[i - 1].endMs);
    double score = double(pause);
    if (endsClause(words[i - 1].text))
        score += kPunctuationBonusMs;
    else if (pause >= kConjunctionPauseMs && isConjunction(words[i].text))
        score += kConjunctionBonusMs;
    return score;
}

bool pieceTooLong(const WordTimes& words, Phrase piece, const PhraseLimits& limits) {
    const size_t count = piece.end - piece.first;
    const qint64 spanMs = words[piece.end - 1].endMs - words[piece.first].startMs;
    return count > size_t(limits.maxWords) || double(spanMs) > limits.maxSeconds * 1000;
}

// Whether a piece can end up within the limits: it is, or it is long enough
// to be cut again.
bool mendable(const WordTimes& words, Phrase piece, const PhraseLimits& limits) {
    return !pieceTooLong(words, piece, limits) || piece.end - piece.first >= 2 * kMinPhraseWords;
}

// The best place to cut a piece, or its first word when none leaves enough
// words on both sides. Cuts that leave both sides mendable come first, then
// the score; equal scores go to the cut nearest the middle.
size_t bestCut(const WordTimes& words, Phrase piece, const PhraseLimits& limits) {
    size_t best = piece.first;
    std::tuple<bool, double, qint64> bestRank{false, -1.0, 0};
    for (size_t i = piece.first + kMinPhraseWords; i + kMinPhraseWords <= piece.end; ++i) {
        const bool mends =
            mendable(words, {piece.first, i}, limits) && mendable(words, {i, piece.end}, limits);
        const qint64 imbalance = std::abs(qint64(i - piece.first) - qint64(piece.end - i));
        const std::tuple<bool, double, qint64> rank{mends, cutScore(words, i), -imbalance};
        if (best == piece.first || rank > bestRank) {
            best = i;
            bestRank = rank;
        }
    }
    return best;
}

void split(const WordTimes& words, Phrase piece, const PhraseLimits& limits,
           std::vector<Phrase>& phrases) {
    const size_t cut =
        pieceTooLong(words, piece, limits) ? bestCut(words, piece, limits) : piece.first;
    if (cut == piece.first) {
        phrases.push_back(piece);
        return;
    }
    split(words, {piece.first, cut}, limits, phrases);
    split(words, {cut, piece.end}, limits, phrases);
}

} // namespace

bool tooLong(const WordTimes& words, const PhraseLimits& limits) {
    return limits.maxWords > 0 && !words.empty() && pieceTooLong(words, {0, words.size()}, limits);
}

std::vector<Phrase> splitIntoPhrases(const WordTimes& words, const PhraseLimits& limits) {
    if (words.empty())
        return {};
    std::vector<Phrase> phrases;
    if (limits.maxWords <= 0)
        phrases.push_back({0, words.size()});
    else
        split(words, {0, words.size()}, limits, phrases);
    return phrases;
}

QString phraseText(const QString& sentence, const WordTimes& words, const Phrase& phrase) {
    qsizetype from = 0, start = -1, end = -1;
    for (size_t i = 0; i < phrase.end; ++i) {
        const qsizetype at = sentence.indexOf(words[i].text, from);
        if (at < 0 || words[i].text.isEmpty()) {
            QStringList texts;
            for (size_t j = phrase.first; j < phrase.end; ++j)
                texts << words[j].text;
            return texts.join(QLatin1Char(' '));
        }
        if (i == phrase.first)
            start = at;
        from = end = at + words[i].text.size();
    }
    return sentence.mid(start, end - start);
}

} // namespace hearvex::lessons
