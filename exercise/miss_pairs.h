// The aligned compare read pair by pair: each word of the sentence with what
// was typed in its place, in the sentence's order, and the kind of each miss.
// Between two words the compare matched, the words left over on both sides are
// paired by a small alignment of their own that prefers the likeliest kinds
// (a capital left out over a word misheard), so "a lot" meets "alot" and
// "1455" meets "fourteen fifty-five".
#pragma once

#include "miss_kind.h"
#include "word_alignment.h"

#include <vector>

namespace hearvex::exercise {

struct ComparedPair {
    QStringList expected; // the sentence's words, as they stand in it; empty for an extra word
    QStringList typed;    // the typed words, as typed; empty for a word left out
    MissKind kind = MissKind::Right;
    int sentenceIndex = -1; // index of the first expected word in the alignment's sentence
    int typedIndex = -1;    // index of the first typed word in the alignment's typed words
    // Left out after the last word typed, with more of the sentence: the
    // learner stopped there, and such words are not counted as missed.
    bool untypedTail = false;

    bool isMiss() const { return kind != MissKind::Right; }
};

// Left over on both sides between two matched words beyond this many words
// times words, the leftovers are paired in order instead of aligned.
inline constexpr int kMaxGapCells = 400;

// Every pair of the compare, in the sentence's order; extra typed words stand
// where they were typed. Nothing when the texts were too long to align.
std::vector<ComparedPair> comparePairs(const WordAlignment& alignment, const WordFacts& facts);

// The pairs that are misses, untyped tail included.
std::vector<ComparedPair> missesOf(const std::vector<ComparedPair>& pairs);

} // namespace hearvex::exercise
