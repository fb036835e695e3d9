// One attempt at a sentence, as the practice record keeps it: a check
// (错误记录, Ctrl+Enter) or an aligned compare (F9).
#pragma once

#include <QString>
#include <QStringList>

namespace hearvex::exercise {

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
};

} // namespace hearvex::exercise
