#include "miss_pairs.h"

#include <QHash>
#include <algorithm>
#include <limits>

namespace hearvex::exercise {

namespace {

// Several words on one side pair only as a boundary, contraction or number:
// "one thousand four hundred and fifty-five" is the longest wanted.
constexpr int kMostWordsInPair = 7;
constexpr double kLeftOutCost = 1.0;

// Facts asked once per word: the pairing asks about the same words many times.
WordFacts remembered(const WordFacts& facts) {
    auto isWord = std::make_shared<QHash<QString, bool>>();
    auto lemma = std::make_shared<QHash<QString, QString>>();
    auto band = std::make_shared<QHash<QString, int>>();
    auto phones = std::make_shared<QHash<QString, QStringList>>();
    WordFacts kept;
    if (facts.isWord)
        kept.isWord = [isWord, ask = facts.isWord](const QString& w) {
            auto it = isWord->find(w);
            return it != isWord->end() ? *it : *isWord->insert(w, ask(w));
        };
    if (facts.lemmaOf)
        kept.lemmaOf = [lemma, ask = facts.lemmaOf](const QString& w) {
            auto it = lemma->find(w);
            return it != lemma->end() ? *it : *lemma->insert(w, ask(w));
        };
    if (facts.band)
        kept.band = [band, ask = facts.band](const QString& w) {
            auto it = band->find(w);
            return it != band->end() ? *it : *band->insert(w, ask(w));
        };
    if (facts.phones)
        kept.phones = [phones, ask = facts.phones](const QString& w) {
            auto it = phones->find(w);
            return it != phones->end() ? *it : *phones->insert(w, ask(w));
        };
    return kept;
}

// How unlikely a pairing is: near kinds cost little; another word in place
// costs more the less it looks like the right one, but less than leaving
// one word out and adding the other.
double pairCost(MissKind kind, const QStringList& expected, const QStringList& typed) {
    switch (kind) {
    case MissKind::Case:
    case MissKind::Punctuation:
        return 0.05;
    case MissKind::Boundary:
    case MissKind::Contraction:
    case MissKind::Number:
        return 0.1;
    case MissKind::Homophone:
        return 0.3;
    case MissKind::Form:
    case MissKind::Spelling:
        return 0.4;
    default:
        break;
    }
    const QString a = bareWord(expected.join(QLatin1Char(' ')));
    const QString b = bareWord(typed.join(QLatin1Char(' ')));
    const double longer = std::max<double>(1.0, std::max(a.size(), b.size()));
    return 1.0 + 0.9 * std::min(1.0, editDistance(a, b) / longer);
}

struct Step {
    int expectedWords = 0;
    int typedWords = 0;
    MissKind kind = MissKind::Missed;
};

struct Gap {
    std::vector<QString> expected; // the leftover sentence words
    std::vector<QString> typed;
    int sentenceStart = 0;
    int typedStart = 0;
};

QStringList slice(const std::vector<QString>& words, int from, int count) {
    QStringList out;
    for (int k = 0; k < count; ++k)
        out << words[size_t(from + k)];
    return out;
}

// The cheapest pairing of a gap's words, by dynamic programming from its end.
std::vector<Step> alignGap(const Gap& gap, const WordFacts& facts) {
    const int n = int(gap.expected.size());
    const int m = int(gap.typed.size());
    const auto at = [m](int i, int j) { return size_t(i) * size_t(m + 1) + size_t(j); };
    std::vector<double> cost((size_t(n) + 1) * size_t(m + 1), std::numeric_limits<double>::max());
    std::vector<Step> choice(cost.size());
    cost[at(n, m)] = 0;
    for (int i = n; i >= 0; --i) {
        for (int j = m; j >= 0; --j) {
            if (i == n && j == m)
                continue;
            const auto consider = [&](int a, int b) {
                if (i + a > n || j + b > m)
                    return;
                const QStringList e = slice(gap.expected, i, a);
                const QStringList t = slice(gap.typed, j, b);
                const std::optional<MissKind> kind = classifyPair(e, t, facts);
                if (!kind)
                    return;
                const double step = a == 0 || b == 0 ? kLeftOutCost : pairCost(*kind, e, t);
                if (step + cost[at(i + a, j + b)] < cost[at(i, j)]) {
                    cost[at(i, j)] = step + cost[at(i + a, j + b)];
                    choice[at(i, j)] = {a, b, *kind};
                }
            };
            consider(1, 1);
            for (int k = 2; k <= kMostWordsInPair; ++k) {
                consider(1, k);
                consider(k, 1);
            }
            consider(1, 0);
            consider(0, 1);
        }
    }
    std::vector<Step> steps;
    for (int i = 0, j = 0; i < n || j < m;) {
        const Step step = choice[at(i, j)];
        steps.push_back(step);
        i += step.expectedWords;
        j += step.typedWords;
    }
    return steps;
}

// A gap too large to align: its words paired in order, the rest left out or extra.
std::vector<Step> pairInOrder(const Gap& gap, const WordFacts& facts) {
    std::vector<Step> steps;
    const size_t n = gap.expected.size(), m = gap.typed.size();
    for (size_t k = 0; k < std::max(n, m); ++k) {
        const QStringList e = k < n ? QStringList{gap.expected[k]} : QStringList();
        const QStringList t = k < m ? QStringList{gap.typed[k]} : QStringList();
        steps.push_back({int(e.size()), int(t.size()), *classifyPair(e, t, facts)});
    }
    return steps;
}

void addGap(const Gap& gap, const WordFacts& facts, std::vector<ComparedPair>& pairs) {
    if (gap.expected.empty() && gap.typed.empty())
        return;
    const bool small = gap.expected.size() * gap.typed.size() <= size_t(kMaxGapCells);
    int i = 0, j = 0;
    for (const Step& step : small ? alignGap(gap, facts) : pairInOrder(gap, facts)) {
        ComparedPair pair;
        pair.expected = slice(gap.expected, i, step.expectedWords);
        pair.typed = slice(gap.typed, j, step.typedWords);
        pair.kind = step.kind;
        pair.sentenceIndex = step.expectedWords > 0 ? gap.sentenceStart + i : -1;
        pair.typedIndex = step.typedWords > 0 ? gap.typedStart + j : -1;
        pairs.push_back(std::move(pair));
        i += step.expectedWords;
        j += step.typedWords;
    }
}

// Words left out after the last word typed, two or more: the sentence was left unfinished.
void markUntypedTail(std::vector<ComparedPair>& pairs) {
    size_t tail = pairs.size();
    int words = 0;
    while (tail > 0 && pairs[tail - 1].typed.isEmpty()) {
        --tail;
        words += int(pairs[tail].expected.size());
    }
    if (words < 2)
        return;
    for (size_t k = tail; k < pairs.size(); ++k)
        pairs[k].untypedTail = true;
}

} // namespace

std::vector<ComparedPair> comparePairs(const WordAlignment& alignment, const WordFacts& facts) {
    std::vector<ComparedPair> pairs;
    if (alignment.tooLong)
        return pairs;
    const WordFacts asked = remembered(facts);
    Gap gap;
    size_t j = 0;
    for (size_t i = 0; i <= alignment.sentence.size(); ++i) {
        const bool end = i == alignment.sentence.size();
        if (!end && !alignment.sentence[i].matched) {
            if (gap.expected.empty())
                gap.sentenceStart = int(i);
            gap.expected.push_back(alignment.sentence[i].text);
            continue;
        }
        // Typed words up to this matched word's partner belong to the gap.
        gap.typedStart = int(j);
        while (j < alignment.typed.size() && !alignment.typed[j].matched)
            gap.typed.push_back(alignment.typed[j++].text);
        if (gap.expected.empty())
            gap.sentenceStart = int(i);
        addGap(gap, asked, pairs);
        gap = Gap{};
        if (end)
            break;
        pairs.push_back({{alignment.sentence[i].text},
                         {alignment.typed[j].text},
                         MissKind::Right,
                         int(i),
                         int(j),
                         false});
        ++j;
    }
    markUntypedTail(pairs);
    return pairs;
}

std::vector<ComparedPair> missesOf(const std::vector<ComparedPair>& pairs) {
    std::vector<ComparedPair> misses;
    for (const ComparedPair& pair : pairs)
        if (pair.isMiss())
            misses.push_back(pair);
    return misses;
}

} // namespace hearvex::exercise
