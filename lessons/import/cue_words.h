// Finding the import's sentences' words in the media. The import asks with
// the stretch of media each sentence is said in; the aligner, a layer above,
// answers (cue_word_finder.h). No FFmpeg here.
#pragma once

#include "word_times.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace hearvex::lessons {

struct WordSearch {
    QString sentence;
    qint64 fromMs = 0; // where it is said in the media, as the cue gives it
    qint64 toMs = 0;   // kOpenEnd: until the media ends
};

struct FoundWords {
    bool matched = false; // false: the sentence was not heard there
    WordTimes words;      // in ms of the media, one per written word; empty unless matched
};

struct WordSearchResult {
    bool cancelled = false;
    QString error;                 // why no words were found at all (unreadable media, no model)
    std::vector<FoundWords> found; // one per search, in order, unless cancelled or failed
};

// 0..1 of the searches done; false cancels.
using WordSearchProgress = std::function<bool(double fraction)>;

// media: the bytes of the file name. Blocks.
using WordFinder =
    std::function<WordSearchResult(const QByteArray& media, const std::vector<WordSearch>& searches,
                                   const WordSearchProgress& progress)>;

} // namespace hearvex::lessons
