// The import's plan with its sentences' words: each planned lesson gets the
// words found for it, and a sentence over the limits becomes one lesson per
// phrase, in order, each clip cut in the pause its words leave before the
// next phrase. No FFmpeg, no I/O.
#pragma once

#include "cue_words.h"
#include "import_plan.h"
#include "phrase_split.h"

#include <vector>

namespace hearvex::lessons {

// Where each planned lesson's words are looked for: its cue's span.
std::vector<WordSearch> wordSearches(const ImportPlan& plan);

// found: one per planned lesson, in order (wordSearches' answers). A lesson
// whose words were not heard keeps its cue whole and gets no word times, with
// a warning naming the cue.
void planPhrases(ImportPlan& plan, const std::vector<FoundWords>& found,
                 const PhraseLimits& limits);

} // namespace hearvex::lessons
