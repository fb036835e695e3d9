// What the lesson library needs of the main window to start a lesson.
#pragma once

#include <QString>

namespace hearvex::lessons {

class LessonHost {
public:
    virtual ~LessonHost() = default;

    // Starts a lesson: opens and plays the recording at recordingPath and
    // builds the exercise from the lesson's text.
    virtual void startLesson(const QString& text, const QString& recordingPath) = 0;

protected:
    LessonHost() = default;
    LessonHost(const LessonHost&) = default;
    LessonHost& operator=(const LessonHost&) = default;
};

} // namespace hearvex::lessons
