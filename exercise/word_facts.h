// What the kinds of miss need to know of an English word, asked of the
// dictionary by the caller: the exercise's rules never open it themselves, so
// they run (and are tested) with whatever dictionary is handed in.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace hearvex::exercise {

struct WordFacts {
    // Each takes a word in lower case, without the punctuation around it.
    std::function<bool(const QString&)> isWord;     // a dictionary word
    std::function<QString(const QString&)> lemmaOf; // "ran" → "run"; "" when unknown
    std::function<int(const QString&)> band;        // 1-5 as the look-up gives it; 0 unknown
    // How the word sounds, one string per reading, stress left out: two words
    // sound the same when they share one.
    std::function<QStringList(const QString&)> phones;
};

// How common a lemma must be to be no rare word: bands 1-3 are the 10,000
// most frequent lemmas.
inline constexpr int kCommonestRareBand = 4;

} // namespace hearvex::exercise
