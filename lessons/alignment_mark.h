// The library's mark on a lesson whose words were found only as a guess: its
// tooltip gets a line 对齐不确定, so the learner knows its word times (and
// maybe its clip's edges) may be off. No widgets.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::lessons {

inline constexpr char16_t kUncertainAlignmentMark[] = u"对齐不确定";

// Whether the lesson of a recording (the bytes of its path) has word times
// whose alignment is uncertain (word_times.h). No word times: false.
bool recordingAlignmentUncertain(const QByteArray& recordingPath);

// A lesson's tooltip with the mark as a line of its own, when uncertain.
QString withAlignmentMark(const QString& toolTip, bool uncertain);

} // namespace hearvex::lessons
