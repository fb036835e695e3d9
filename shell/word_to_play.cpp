#include "word_to_play.h"

#include "word_alignment.h"

#include <algorithm>

namespace hearvex {

namespace {

QString bare(const QString& word) {
    int first = 0, end = int(word.size());
    while (first < end && !word[first].isLetterOrNumber())
        ++first;
    while (end > first && !word[end - 1].isLetterOrNumber())
        --end;
    return word.mid(first, end - first).toCaseFolded();
}

// The typed word holding the caret or ending just before it, else -1.
int typedWordAt(const std::vector<exercise::AlignedWord>& typed, int caret) {
    for (int i = int(typed.size()) - 1; i >= 0; --i) {
        const exercise::AlignedWord& word = typed[size_t(i)];
        if (word.start <= caret && caret <= word.start + word.length)
            return i;
    }
    return -1;
}

// The sentence index of each pair, in order.
std::vector<int> pairedSentenceWords(const exercise::WordAlignment& alignment) {
    std::vector<int> paired;
    for (size_t i = 0; i < alignment.sentence.size(); ++i)
        if (alignment.sentence[i].matched)
            paired.push_back(int(i));
    return paired;
}

} // namespace

QStringList sentenceWords(const QString& sentence) {
    QStringList words;
    for (const exercise::AlignedWord& word : exercise::alignWords(sentence, QString()).sentence)
        words << word.text;
    return words;
}

int sentenceWordAtCaret(const QString& sentence, const QString& typed, int caret) {
    // The compare reads a line break as one character; the box gives CR LF.
    QString text = typed;
    caret -= int(typed.left(std::max(caret, 0)).count(QLatin1String("\r\n")));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const exercise::WordAlignment alignment = exercise::alignWords(sentence, text);
    if (alignment.sentence.empty())
        return -1;
    const std::vector<int> paired = pairedSentenceWords(alignment);
    const int at = typedWordAt(alignment.typed, caret);
    int pairsBefore = 0; // typed words paired before the caret's word, or before the caret
    for (size_t i = 0; i < alignment.typed.size(); ++i) {
        const exercise::AlignedWord& word = alignment.typed[i];
        if (at >= 0 ? int(i) >= at : word.start >= caret)
            break;
        pairsBefore += word.matched ? 1 : 0;
    }
    if (at >= 0 && alignment.typed[size_t(at)].matched)
        return paired[size_t(pairsBefore)];
    const int after = pairsBefore > 0 ? paired[size_t(pairsBefore - 1)] + 1 : 0;
    for (int i = after; i < int(alignment.sentence.size()); ++i)
        if (!alignment.sentence[size_t(i)].matched)
            return i;
    return std::min(after, int(alignment.sentence.size()) - 1);
}

TimedSpan timedSpanOf(const QStringList& words, const lessons::WordTimes& times, int index,
                      bool around) {
    if (index < 0 || index >= words.size() || times.empty())
        return {};
    int timed = -1;
    if (qsizetype(times.size()) == words.size()) {
        timed = index;
    } else {
        // Each sentence word takes the next timed word that reads the same.
        size_t next = 0;
        for (int i = 0; i <= index && next < times.size(); ++i) {
            size_t k = next;
            while (k < times.size() && bare(times[k].text) != bare(words[i]))
                ++k;
            if (k == times.size())
                continue;
            if (i == index)
                timed = int(k);
            next = k + 1;
        }
    }
    if (timed < 0)
        return {};
    if (!around)
        return {timed, timed};
    return {std::max(timed - 1, 0), std::min(timed + 1, int(times.size()) - 1)};
}

int timedIndexOfWord(const lessons::WordTimes& times, const QString& word) {
    const QString wanted = bare(word);
    for (size_t i = 0; i < times.size(); ++i)
        if (!wanted.isEmpty() && bare(times[i].text) == wanted)
            return int(i);
    return -1;
}

} // namespace hearvex
