// What the lesson library needs of the main window to start a lesson.
#pragma once

#include <QString>

namespace hearvex::library {

class LessonHost {
public:
    virtual ~LessonHost() = default;

    // Replaces the exercise box's text with the lesson's text.
    virtual void setExerciseText(const QString& text) = 0;
    // Names the recording to open (the main window's txtFile).
    virtual void setTrackPath(const QString& path) = 0;
    // Opens the named recording and starts it.
    virtual void btOpen_Click() = 0;
    // Builds the exercise from the text in the exercise box.
    virtual void selectkewen() = 0;

protected:
    LessonHost() = default;
    LessonHost(const LessonHost&) = default;
    LessonHost& operator=(const LessonHost&) = default;
};

} // namespace hearvex::library
