#include "import_plan.h"

#include "cue_text.h"

#include <algorithm>

namespace hearvex::lessons {

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
        qint64 endMs = cue.endMs;
        if (endMs == kUntilNextCue) {
            endMs = kToMediaEnd;
            for (size_t next = i + 1; next < cues.size(); ++next)
                if (cues[next].startMs > cue.startMs) {
                    endMs = cues[next].startMs;
                    break;
                }
        }
        const CueText text = cleanCueText(cue.text);
        if (!text.dropped.isEmpty())
            plan.warnings << QStringLiteral("cue %1 at %2: dropped \"%3\" (not in GBK)")
                                 .arg(number)
                                 .arg(clockText(cue.startMs), text.dropped);
        if (text.sentence.isEmpty())
            continue;
        PlannedLesson lesson;
        lesson.cue = number;
        lesson.cueStartMs = cue.startMs;
        lesson.firstMs = std::max<qint64>(0, cue.startMs - kClipMarginMs);
        lesson.endMs =
            endMs == kToMediaEnd ? kToMediaEnd : std::max(endMs, cue.startMs) + kClipMarginMs;
        lesson.sentence = text.sentence;
        plan.lessons.push_back(lesson);
    }
    return plan;
}

} // namespace hearvex::lessons
