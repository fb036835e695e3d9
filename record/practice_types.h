// The practice record's plain data: what one check or compare leaves behind,
// and what the record window shows. Shared by the store (SQLite), the review
// schedule and the window, so none of them reads the others' internals.
#pragma once

#include "attempt_miss.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace hearvex::record {

// A shadowing take (跟读) is an attempt too: its score and the words missed.
// It is no review of the sentence, and its seconds are the take's length.
enum class AttemptKind { Check, Compare, Shadow };

// As the record stores kinds and the CSV prints them.
inline QString attemptKindName(AttemptKind kind) {
    return kind == AttemptKind::Compare  ? QStringLiteral("compare")
           : kind == AttemptKind::Shadow ? QStringLiteral("shadow")
                                         : QStringLiteral("check");
}
inline std::optional<AttemptKind> attemptKindNamed(const QString& name) {
    for (const AttemptKind kind : {AttemptKind::Check, AttemptKind::Compare, AttemptKind::Shadow})
        if (attemptKindName(kind) == name)
            return kind;
    return std::nullopt;
}

// A lesson as the record knows it. The identity survives renaming or moving
// the lesson: the sentence plus a hash of the recording's bytes.
struct LessonRef {
    QString recordingName; // the recording's file name, as shown
    QString folder;        // the folder it was started from
    QString sentence;      // the sentence to write down
    QByteArray audioHash;  // hash of the recording's bytes (hex)
};

// One check (错误记录, Ctrl+Return) or aligned compare (F9), taken at the
// moment it was made.
struct Attempt {
    QDateTime time; // with its offset from UTC
    LessonRef lesson;
    AttemptKind kind = AttemptKind::Check;
    int wordsRight = 0; // check: slots uncovered; compare: N of N/M
    int wordsTotal = 0; // words in the sentence
    QStringList missedWords;
    // The misses with their kinds; empty in attempts recorded before kinds were.
    std::vector<AttemptMiss> misses;
    QString typedText;
    int speedPercent = 100;
    int secondsSinceStart = 0; // since the lesson started
    int replays = 0;           // since the lesson started
    // When the lesson was started: the attempts of one sitting share it, and
    // the sitting's last attempt (the compare, else the check) grades the review.
    QDateTime lessonStarted;
};

// A sentence that is due for review.
struct DueItem {
    LessonRef lesson;
    QDateTime due;
    int reviews = 0;
    QString lastResult; // "N/M" of the grading attempt
};

// One local day. Words count once per sitting, from the attempt that grades
// it; minutes add up each sitting's time until its last attempt.
struct DayFigures {
    QDate day;
    int sentences = 0; // distinct sentences practised
    int wordsRight = 0;
    int wordsTotal = 0;
    double minutes = 0;
    int shadowTakes = 0; // 跟读 takes, apart from the dictation above
    double shadowMinutes = 0;
};

// Missed words are counted in lower case, without the punctuation around them.
struct MissedWord {
    QString word;
    int count = 0;
    QStringList sentences; // the sentences it was missed in
};

// How often a kind of miss ("homophone", "function"…) came up.
struct KindCount {
    QString kind;
    int count = 0;
};

// Everything the record window shows, read in one go.
struct RecordSummary {
    DayFigures today;
    int daysInARow = 0;
    // The last 30 days, oldest first, days without practice included.
    std::vector<DayFigures> lastDays;
    // Once per sitting, by the attempt that grades it, not counting the
    // untyped tail of an unfinished sentence; function words apart.
    std::vector<MissedWord> mostMissed; // most missed first
    std::vector<MissedWord> mostMissedFunctionWords;
    std::vector<KindCount> missKinds; // the last 30 days, most frequent first
    std::vector<DueItem> due;         // oldest due first
};

} // namespace hearvex::record
