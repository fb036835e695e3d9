// What the lesson library needs of the main window to start a lesson.
#pragma once

#include <QByteArray>
#include <QString>

namespace hearvex::lessons {

class LessonHost {
public:
    virtual ~LessonHost() = default;

    // Starts a lesson: opens and plays the recording and builds the exercise
    // from the lesson's text. recordingPath is the recording's path as shown,
    // recordingFile the bytes that name it on disk, which open it even when
    // its name is not UTF-8.
    virtual void startLesson(const QString& text, const QString& recordingPath,
                             const QByteArray& recordingFile) = 0;

protected:
    LessonHost() = default;
    LessonHost(const LessonHost&) = default;
    LessonHost& operator=(const LessonHost&) = default;
};

} // namespace hearvex::lessons
