#include "alignment_mark.h"

#include "word_times.h"

namespace hearvex::lessons {

bool recordingAlignmentUncertain(const QByteArray& recordingPath) {
    return alignmentUncertain(readWordTimes(wordTimesFileName(recordingPath)).words);
}

QString withAlignmentMark(const QString& toolTip, bool uncertain) {
    if (!uncertain)
        return toolTip;
    const QString mark = QString::fromUtf16(kUncertainAlignmentMark);
    return toolTip.isEmpty() ? mark : toolTip + QLatin1Char('\n') + mark;
}

} // namespace hearvex::lessons
