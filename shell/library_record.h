// The practice record in the lesson library: each lesson's tooltip tells its
// last result and when it is due (the list keeps showing the file names), and
// the list's context menu opens the record and starts the next due sentence.
#pragma once

#include "form3.h"
#include "practice_recorder.h"

#include <QObject>
#include <functional>

namespace hearvex {

class LibraryRecord : public QObject {
    Q_OBJECT
public:
    // Gives library's list its tooltips and its context menu, whose commands
    // run as their keys do.
    LibraryRecord(lessons::Form3& library, PracticeRecorder& recorder,
                  std::function<void()> showRecord, std::function<void()> startNextDue);

    // The tooltip of the entry at a position of the list.
    QString toolTipOf(int position);

private:
    lessons::Form3& m_library;
    PracticeRecorder& m_recorder;
};

} // namespace hearvex
