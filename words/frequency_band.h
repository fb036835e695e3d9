// How common a word is: its lemma's band in the frequency list.
#pragma once

#include <QString>

namespace hearvex::words {

// 1: among the 2,000 most frequent lemmas; 2: 5,000; 3: 10,000; 4: 20,000;
// 5: rarer, or not in the list (rank 0).
int bandOfRank(int rank);

// The band as the look-up panel says it, e.g. "1 最常用（前 2000 词）".
QString bandText(int band);

} // namespace hearvex::words
