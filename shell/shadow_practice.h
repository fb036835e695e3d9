// 跟读 from the main window: its small button and Ctrl+R open the 跟读 window on
// the lesson in practice and start a take there; each analysed take goes into
// the practice record as a shadowing attempt. Owns the button cmdShadow.
#pragma once

#include "practice_recorder.h"
#include "shadow_window.h"

#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace hearvex {

// The practice record's attempt for an analysed take of the lesson in practice.
record::Attempt shadowAttemptOf(const shadow::ShadowAttempt& take, const PracticeSession& session);

class ShadowPractice {
public:
    // The button sits on window; the analysis runs the hearvex-lesson beside
    // the program, in programDir (which may be set after this is made).
    ShadowPractice(QWidget& window, PracticeRecorder& recorder, const QString& programDir);

    // The lesson in practice: its recording (by the bytes of its path) and sentence.
    void lessonStarted(const QByteArray& recordingFile, const QString& sentence);
    // Ctrl+R and the button: the 跟读 window on this lesson, a take started (or
    // stopped, when one is being recorded).
    void recordTake();
    // The program is ending at once: a take being recorded is kept, unanalysed.
    void quitting();

    // How the 跟读 window is made draggable (set by the main window).
    void setWindowPreparer(std::function<void(QWidget*)> prepare) {
        m_prepare = std::move(prepare);
    }
    QPushButton* button() const { return m_button; }
    shadow::ShadowWindow* window() const { return m_window; }

private:
    shadow::ShadowWindow& openWindow();

    QWidget& m_owner;
    PracticeRecorder& m_recorder;
    const QString& m_programDir;
    shadow::ShadowLesson m_lesson;
    QPushButton* m_button = nullptr;
    QPointer<shadow::ShadowWindow> m_window;
    std::function<void(QWidget*)> m_prepare;
};

} // namespace hearvex
