// Finding a recorded lesson among the lessons listed now. A lesson is known by
// its sentence and the hash of its recording, which survive renaming and
// moving; its name and folder only say where to look first.
#pragma once

#include "practice_types.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace hearvex::record {

struct ListedLessons {
    QStringList names; // the recordings' file names, in list order
    // Read on demand, the hash being the dearer: the sentence of entry i, and
    // the hash of its recording (empty when it cannot be read).
    std::function<QString(int)> sentenceOf;
    std::function<QByteArray(int)> hashOf;
};

// The position of the entry that is the wanted lesson, or -1. The entry of
// the same name is tried first; an entry counts only when its sentence and
// its recording's hash are the wanted ones (a lesson recorded without a hash
// is matched by its sentence alone).
int findLesson(const LessonRef& wanted, const ListedLessons& listed);

} // namespace hearvex::record
