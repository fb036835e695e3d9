// The player's rules that need no window: the time text, the position bar's
// scale and the decision between a user seek and the bar's own progress.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::player {

// Minutes and seconds, each at least two digits: 0 "00:00", 75 "01:15", 6000 "100:00".
// A negative count (only from a broken engine) reads as 0.
QString timeText(int seconds);

// The text up to its first NUL, or all of it.
QString cutAtNul(const QString& text);

// The track name of an engine record: its UTF-8 bytes up to the first NUL.
QString trackNameFromField(const char* field, int fieldSize);

// Position and length values are 16-bit: the longest track the bar can scale to.
inline constexpr int kMaxBarSeconds = 32767;

// The position bar's Max for a track: its length, held inside 0..32767.
int seekBarMax(int totalSec);

// The position bar's LargeChange: a tenth of the length, halves to even, when the
// track is longer than 10 s, else 1 (25 s gives 2, 35 s gives 4, 14 s gives 1).
int seekBarLargeChange(int totalSec);

enum class SeekDecision {
    Ignore,   // no track to seek in, or the untouched bar at 0 before the first play
    Seek,     // the learner moved the bar: seek there
    Progress, // the bar's own update, or a forward step smaller than the tolerance
};

// What a new bar value v means, with lc the bar's LargeChange and lastPosSec
// the position the engine last reported.
SeekDecision decideSeek(int v, int lc, bool notPlayedYet, int lastPosSec);

// The playing speed, in whole percent of normal so that steps return exactly:
// 0.1x steps between 0.5x and 1.5x.
inline constexpr int kNormalSpeed = 100;
inline constexpr int kMinSpeed = 50;
inline constexpr int kMaxSpeed = 150;
inline constexpr int kSpeedStep = 10;

// What the window says of the sound output: that a track plays without a
// sound device, else nothing.
QString outputText(bool playingSilently);

// The speed steps (negative: slower) away from percent, held inside 50..150.
int steppedSpeed(int percent, int steps);

// The speed as the window shows it: "" at normal speed, else "0.7x", "1.5x", "1.25x".
QString speedText(int percent);

// Where a relative seek from pos lands: never before 0.
int seekTarget(int pos, int seconds);

// Where a change of the position bar came from.
enum class BarChangeSource {
    StatusRefresh, // the status refresh showing the engine's position
    Thumb,         // the learner let go of the thumb after dragging it
    Other,         // anything else: the bar's arrows or trough, the repeat's jump to A
    Reset,         // the player clearing the bar because nothing is open
};

// What a change of the bar to v means, knowing where it came from. With a
// LargeChange above 1 the tolerance of decideSeek tells the bar's progress
// from a seek, except that a released thumb is always a seek. On a track of
// 14 s or less the tolerance is 1 and tells nothing, so the source decides:
// the status refresh's own assignment is progress, anything else a seek.
SeekDecision decideBarChange(int v, int lc, bool notPlayedYet, int lastPosSec,
                             BarChangeSource source);

} // namespace hearvex::player
