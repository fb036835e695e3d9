// Starting the sentences due for review (F12, and a double-click in the
// record window): the lesson is found in the library by its sentence and its
// recording's hash, and started exactly as a double-click on it would. Where
// nothing can be started, lbDue says so for a few seconds.
#pragma once

#include "form3.h"
#include "label.h"
#include "lesson_host.h"
#include "practice_recorder.h"

#include <QTimer>
#include <functional>

namespace hearvex {

class DueLessons {
public:
    DueLessons(PracticeRecorder& recorder, std::function<lessons::Form3&()> library,
               lessons::LessonHost& host, controls::Label* lbDue);

    // F12: the first due sentence that can be found, else a word why not.
    void startNextDue();
    // One due sentence; false (and a word in lbDue) when it cannot be found.
    bool start(const record::DueItem& item);

    // How long a word in lbDue stands.
    static constexpr int kNoteMs = 6000;

private:
    // Beside where it was practised, when it is no longer in the library's folder.
    bool startWhereRecorded(const record::LessonRef& lesson);
    void say(const QString& note);

    PracticeRecorder& m_recorder;
    std::function<lessons::Form3&()> m_library;
    lessons::LessonHost& m_host;
    controls::Label* m_lbDue;
    QTimer m_clearNote;
};

} // namespace hearvex
