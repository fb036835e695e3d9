// Long sentences as phrases: a sentence too long to hold in the ear is cut at
// the pauses between its words, preferring punctuation (a clause's or a
// sentence's end, a dash) and a pause before a conjunction, into phrases of at
// least kMinPhraseWords words. No I/O.
#pragma once

#include "word_times.h"

#include <QString>
#include <vector>

namespace hearvex::lessons {

struct PhraseLimits {
    int maxWords = 20;     // 0: sentences are never split
    double maxSeconds = 8; // from the first word's start to the last one's end
};

inline constexpr int kMinPhraseWords = 4;

// Words [first, end) of a sentence.
struct Phrase {
    size_t first = 0;
    size_t end = 0;
};

// Whether a sentence of these words is over either limit.
bool tooLong(const WordTimes& words, const PhraseLimits& limits);

// The phrases of a sentence's words, in order, covering every word once. One
// phrase (the whole) when it is within the limits, when the limits are off,
// or when it has too few words to leave kMinPhraseWords on both sides of a cut.
std::vector<Phrase> splitIntoPhrases(const WordTimes& words, const PhraseLimits& limits);

// A phrase's text as the sentence writes it, from its first word to the end of
// its last (punctuation and spacing kept); the words joined by spaces where
// the sentence does not hold them in order.
QString phraseText(const QString& sentence, const WordTimes& words, const Phrase& phrase);

} // namespace hearvex::lessons
