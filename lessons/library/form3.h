// The lesson library: a narrow frameless window docked at the main window's
// right edge, listing the recordings of the lesson folder. Starting a lesson
// (double-click, Enter or OK) reads its text and hands it with the recording's
// path to the main window's LessonHost. A recording dropped on it is imported
// into the lesson folder as one lesson per subtitle cue.
#pragma once

#include "file_list.h"
#include "lesson_folders.h"
#include "lesson_host.h"
#include "lesson_state.h"
#include "library_import.h"
#include "picture_button.h"

#include <QWidget>

namespace hearvex::lessons {

class Form3 : public QWidget {
    Q_OBJECT
public:
    // A tool window of owner (the main window), not yet loaded, listing the
    // lesson folders of the program in programDir.
    Form3(LessonHost& host, LessonState& state, const QString& programDir, QWidget* owner);
    // The same, listing the given folders and importing into the last.
    Form3(LessonHost& host, LessonState& state, const LessonFolders& folders, QWidget* owner);

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

    // The import of dropped recordings (tests replace its message box).
    LibraryImport& libraryImport() { return m_import; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // After an import: the new lessons listed, the first selected, none started.
    void showImported(const QStringList& recordings);

    LessonHost& m_host;
    LessonState& m_state;
    LessonFolders m_folders;
    controls::MouseHandler m_mouseDown;
    bool m_starting = false;
    LibraryImport m_import; // last, so gone first: a running import ends before the list
};

} // namespace hearvex::lessons
