// What the 跟读 window draws, as plain data: the model's sentence and the take,
// each a lane with its samples, its pitch curve (semitones around the
// speaker's median) and the sentence's words at their times, marked.
#pragma once

#include "take_analysis.h"
#include "voice_pitch.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace hearvex::shadow {

enum class WordMark { None, Missed, Unclear, Slow, Fast, PauseBefore };

struct LaneWord {
    QString text;
    qint64 startMs = 0; // in the lane's samples
    qint64 endMs = 0;
    WordMark mark = WordMark::None; // the word's most telling mark
    // The take's timing in full, which a word may have beside its mark: an
    // unclear word may also be slow, a slow one come after a pause.
    Pace pace = Pace::Unknown;
    bool pauseBefore = false;
};

struct Lane {
    QString caption;            // 原声, 跟读
    std::vector<float> samples; // 16 kHz mono
    PitchCurve pitch;
    std::vector<LaneWord> words; // placed words
    QStringList unplaced;        // words with no place in this lane (missed)
};

// The stretch of the model recording that holds its sentence once: its words'
// span with 300 ms either side, or the whole clip when its words are unknown.
struct Span {
    qint64 startMs = 0;
    qint64 endMs = 0;
};
Span sentenceSpan(const lessons::WordTimes& modelWords, qint64 clipMs);

// The model's lane: the clip cut to sentenceSpan, its words marked as the
// take's analysis judged them (empty analysis: none marked).
Lane modelLane(const std::vector<float>& clip, const lessons::WordTimes& modelWords,
               const TakeAnalysis& analysis);
// The take's lane: the words found in it at their times, the missed ones listed.
Lane takeLane(std::vector<float> take, const TakeAnalysis& analysis);

// The tag drawn under a word for its pace: 慢, 快 or empty.
QString paceTag(Pace pace);
// The lane's timing marks in words, for the status line and screen readers:
// "慢：word word　快：word　多停顿：在 word 前", the kinds present only;
// empty when the timing was fine or not judged.
QString timingSummary(const Lane& lane);

} // namespace hearvex::shadow
