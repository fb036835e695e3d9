// The lesson library: a narrow frameless window docked at the main window's
// right edge, listing the recordings of the lesson folder. Starting a lesson
// (double-click, Enter or OK) reads its text and hands it with the recording's
// path to the main window's LessonHost.
#pragma once

#include "file_list.h"
#include "lesson_host.h"
#include "lesson_state.h"
#include "picture_button.h"

#include <QWidget>

namespace hearvex::lessons {

class Form3 : public QWidget {
    Q_OBJECT
public:
    // A top-level window owned by owner (the main window), not yet loaded.
    Form3(LessonHost& host, LessonState& state, const QString& programDir, QWidget* owner);

    // The load handler: lists the lesson folder and selects the entry at the
    // 0-based position curLesson (the one after the lesson last started).
    void Form_Load();

    // Starts the selected lesson; nothing when none is selected, and nothing
    // when a lesson is being started already.
    void playwav();

    FileList* File1 = nullptr;                 // the lesson list
    controls::PictureButton* Image1 = nullptr; // 确定: start the selected lesson
    controls::PictureButton* Image2 = nullptr; // 关闭: hide the window

    // A press on the window's own surface (the shell drags the window by it).
    void setMouseDownHandler(controls::MouseHandler handler) { m_mouseDown = std::move(handler); }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    LessonHost& m_host;
    LessonState& m_state;
    QString m_programDir;
    controls::MouseHandler m_mouseDown;
    bool m_starting = false;
};

} // namespace hearvex::lessons
