// What a take shows about the learner's shadowing: each word of the sentence
// said, missed or unclear, where it lies in the take, whether it was said much
// slower or faster than the model said it or had a pause put inside a phrase,
// and a score of 0..100. Works on the aligner's word times, so it is a plain
// rule over numbers.
#pragma once

#include "word_times.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::shadow {

enum class Verdict { Said, Missed, Unclear };

// "said", "missed", "unclear": as the lesson tool prints them.
QString verdictName(Verdict verdict);

enum class Pace { Unknown, Usual, Slow, Fast };

struct WordResult {
    QString text; // as written in the sentence
    Verdict verdict = Verdict::Missed;
    double confidence = 0; // 0..1
    qint64 startMs = 0;    // in the take; both 0 when missed
    qint64 endMs = 0;
    Pace pace = Pace::Unknown; // against the model, after the take's overall tempo
    bool pauseBefore = false;  // a pause put before it where the model runs on
};

struct TakeAnalysis {
    std::vector<WordResult> words;
    bool thisSentence = false; // false: another sentence, silence or noise
    double tempo = 0;          // the take's speech length over the model's; 0 unknown
    int score = 0;             // 0..100
    int said() const;
    QStringList missedWords() const; // missed and unclear, as written
};

struct AlignedTake {
    // One per word of the sentence, in order; a word the aligner did not find
    // has an empty span (endMs <= startMs).
    lessons::WordTimes words;
    double confidence = 0; // the sentence's
    bool matched = false;  // the aligner heard this sentence at all
};

struct AnalysisSettings {
    double saidConfidence = 0.3; // below: unclear
    double slowerThan = 1.8;     // a word's length against the model's, tempo removed
    double fasterThan = 0.5;
    qint64 insertedPauseMs = 300;  // a gap this much longer than the model's...
    qint64 phraseGapMs = 120;      // ...where the model's gap was at most this
    double leastSaidShare = 0.34;  // fewer words said: not this sentence
    double forcedMatch = 0.2;      // a sentence forced through the take at least this sure
    double looseMatch = 0.25;      // or the first pass at least this sure...
    double looseFoundShare = 0.75; // ...with at least this share of the words found
    // A word the first pass skipped is found by a later one only this sure and
    // this long: a word left out is squeezed into a sliver when forced.
    double rescueConfidence = 0.3;
    qint64 rescueShortestMs = 120;
    // ...and only when the words found lose at most this much confidence in
    // all to make room for it: a word left out can only be forced in on its
    // neighbours' frames, a word said but skipped takes frames no word needed.
    double rescueDisplacement = 0.5;
};

// Whether every word of the take has a place in it.
bool everyWordFound(const AlignedTake& take);
// Whether every word has a place in it and comes out said there.
bool everyWordClear(const AlignedTake& take, const AnalysisSettings& settings = {});
// Whether a later pass's word may stand for one the first pass skipped.
bool rescues(const lessons::TimedWord& word, const AnalysisSettings& settings = {});
// The confidence the words found in `first` lost in `later` (both one word
// per word of the sentence; a word `later` has no place for is left out of it).
double displacement(const AlignedTake& first, const AlignedTake& later);
// Whether word `word` of `later` may stand for the one `first` skipped.
bool rescuedBy(const AlignedTake& first, const AlignedTake& later, size_t word,
               const AnalysisSettings& settings = {});

// A take heard twice: once with every word optional (a word left out is
// skipped), once forced through every word. The speech model may also skip a
// word that was said, so a word skipped in the first pass but clear in the
// forced one counts as found, and a word's confidence is the better of the
// two. Whether it is the sentence at all: the first pass matched, or every
// word could be forced through the take with some confidence (another
// sentence cannot be), or most words were found with some confidence.
// forced may be null (not run).
AlignedTake judgePasses(AlignedTake optional, const AlignedTake* forced,
                        const AnalysisSettings& settings = {});

// The first pass at least looseMatch sure, with at least looseFoundShare of
// the words found: the sentence, though the model had doubts.
bool looselyMatched(const AlignedTake& take, const AnalysisSettings& settings = {});
// The words skipped in a take, in order (indexes into take.words).
std::vector<size_t> skippedWords(const AlignedTake& take);

// The words found plus word `added`, as a sentence to force through the take;
// *addedAt receives the added word's index in it.
QString withWordAdded(const AlignedTake& take, size_t added, size_t* addedAt);
// That sentence's alignment (`again`) put back one word per word of the
// take's sentence; the words it did not say have no place.
AlignedTake againInPlace(const AlignedTake& take, size_t added, const AlignedTake& again);

// `model` holds the model recording's word times (empty when unknown: then
// no timing is judged and the score counts the words alone).
TakeAnalysis analyseTake(const AlignedTake& take, const lessons::WordTimes& model,
                         const AnalysisSettings& settings = {});

} // namespace hearvex::shadow
