// What the compare tells the learner of each miss: the score label's tooltip
// with the kind of every word left out or written wrong, and the misses an
// attempt reports to the practice record.
#pragma once

#include "attempt_result.h"
#include "miss_pairs.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::exercise {

// The missed words as scoreToolTip lists them, then one line per miss with
// its kind: "There → Their：同音词", "is → （漏写）：虚词", "from：多写"; the
// words not typed yet at the end of the sentence on one line of their own.
QString missesToolTip(const WordAlignment& alignment, const std::vector<ComparedPair>& pairs);

// The sentence's words among the misses, one each (a pair of two sentence
// words gives both); extra typed words are not the sentence's and are left out.
std::vector<WordMiss> sentenceMisses(const std::vector<ComparedPair>& pairs);

// The same, for a check: only the words the check left masked (missedWords,
// in order) are its misses; the compare's pairing gives their kinds.
std::vector<WordMiss> checkMisses(const std::vector<ComparedPair>& pairs,
                                  const QStringList& missedWords);

} // namespace hearvex::exercise
