// One attempt at a sentence, as the practice record keeps it: a check
// (错误记录, Ctrl+Enter) or an aligned compare (F9).
#pragma once

#include "miss_kind.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::exercise {

// One word of the sentence missed, with the kind of the miss.
struct WordMiss {
    QString word;  // as it stands in the sentence
    QString typed; // what was typed in its place; empty when left out
    MissKind kind = MissKind::Missed;
    bool counted = true; // false for the untyped tail of an unfinished sentence
};

struct AttemptResult {
    enum class Kind { Check, Compare };
    Kind kind = Kind::Check;
    QString sentence;  // the exercise sentence
    QString typedText; // the typing box's text as it stood
    // A check: the slots uncovered, of the sentence's words (its non-empty
    // slots). A compare: N and M of its "N/M".
    int wordsRight = 0;
    int wordsTotal = 0;
    // The sentence's words not found, in order (for a check also those beyond
    // the last typed word).
    QStringList missedWords;
    // The misses with their kinds, as the aligned compare pairs them; for a
    // check only the words it left masked, so the words after a word left
    // out, which the check's walk shifts, are not among them.
    std::vector<WordMiss> misses;
};

} // namespace hearvex::exercise
