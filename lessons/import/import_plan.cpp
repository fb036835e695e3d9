#include "import_plan.h"

#include "cue_text.h"
#include "cue_time.h"
#include "import_text.h"
#include "lesson_file.h"

#include <algorithm>

namespace hearvex::lessons {

namespace {

// Where a cue without an end of its own ends: at the next cue's start.
qint64 endOf(const std::vector<Cue>& cues, size_t i) {
    if (cues[i].endMs != kUntilNextCue)
        return cues[i].endMs;
    for (size_t next = i + 1; next < cues.size(); ++next)
        if (cues[next].startMs > cues[i].startMs)
            return cues[next].startMs;
    return kOpenEnd;
}

// Times no clip can be cut by; empty when the cue's times are sound.
QString timingFault(const Cue& cue) {
    if (cue.startMs < 0)
        return ImportText::tr("it starts at -%1, before the media").arg(clockText(-cue.startMs));
    if (cue.endMs != kUntilNextCue && cue.endMs < cue.startMs)
        return ImportText::tr("it ends at %1, before it starts at %2")
            .arg(cue.endMs < 0 ? QLatin1Char('-') + clockText(-cue.endMs) : clockText(cue.endMs),
                 clockText(cue.startMs));
    return {};
}

// Cue times beyond kLatestCueMs lie past any media's end; kept there, clip
// times stay far from overflowing.
qint64 clampedTime(qint64 ms) {
    return ms == kOpenEnd ? ms : std::min(ms, kLatestCueMs);
}

void setSpans(std::vector<PlannedLesson>& lessons) {
    for (size_t i = 0; i < lessons.size(); ++i) {
        const qint64 previousEnd = i > 0 ? lessons[i - 1].cueEndMs : kNoNeighbour;
        const qint64 nextStart = i + 1 < lessons.size() ? lessons[i + 1].cueStartMs : kNoNeighbour;
        lessons[i].spans = pauseSpans(previousEnd == kOpenEnd ? kNoNeighbour : previousEnd,
                                      lessons[i].cueStartMs, lessons[i].cueEndMs, nextStart);
    }
}

} // namespace

QString clockText(qint64 ms) {
    ms = std::max<qint64>(ms, 0);
    const qint64 hours = ms / 3'600'000;
    const QString rest = QStringLiteral("%1:%2.%3")
                             .arg(ms / 60'000 % 60, hours ? 2 : 1, 10, QLatin1Char('0'))
                             .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
                             .arg(ms % 1000, 3, 10, QLatin1Char('0'));
    return hours ? QStringLiteral("%1:%2").arg(hours).arg(rest) : rest;
}

ImportPlan planLessons(std::vector<Cue> cues) {
    std::stable_sort(cues.begin(), cues.end(),
                     [](const Cue& a, const Cue& b) { return a.startMs < b.startMs; });
    ImportPlan plan;
    int number = 0; // as a learner counts cues: blank ones (gaps, LRC end marks) are no cues
    for (size_t i = 0; i < cues.size(); ++i) {
        const Cue& cue = cues[i];
        if (!cue.text.trimmed().isEmpty())
            ++number;
        const QString at = clockText(cue.startMs);
        // No cleaning makes a text this long fit a lesson; it is not even read.
        if (cue.text.size() > 4 * kMaxLessonTextBytes) {
            plan.warnings << ImportText::tr("cue %1 at %2: its text (%3 characters) is too long "
                                            "for a lesson (at most %4 bytes); skipped")
                                 .arg(number)
                                 .arg(at)
                                 .arg(cue.text.size())
                                 .arg(kMaxLessonTextBytes);
            continue;
        }
        const CueText text = cleanCueText(cue.text);
        if (!text.dropped.isEmpty())
            plan.warnings << ImportText::tr("cue %1 at %2: dropped \"%3\" (not in GBK)")
                                 .arg(number)
                                 .arg(at, text.dropped);
        if (text.sentence.isEmpty())
            continue;
        if (const QString wrong = timingFault(cue); !wrong.isEmpty()) {
            plan.warnings << ImportText::tr("cue %1: %2; skipped").arg(number).arg(wrong);
            continue;
        }
        PlannedLesson lesson;
        lesson.cue = number;
        lesson.cueStartMs = clampedTime(cue.startMs);
        lesson.cueEndMs = clampedTime(std::max(endOf(cues, i), cue.startMs));
        lesson.sentence = text.sentence;
        lesson.text = encipherLessonText(text.sentence);
        if (lesson.text.size() > kMaxLessonTextBytes) {
            plan.warnings << ImportText::tr("cue %1 at %2: its text (%3 bytes) is too long for a "
                                            "lesson (at most %4); skipped")
                                 .arg(number)
                                 .arg(at)
                                 .arg(lesson.text.size())
                                 .arg(kMaxLessonTextBytes);
            continue;
        }
        plan.lessons.push_back(std::move(lesson));
    }
    setSpans(plan.lessons);
    return plan;
}

} // namespace hearvex::lessons
