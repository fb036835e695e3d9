// The lesson library: a narrow frameless window docked at the main window's
// right edge, listing the recordings of the lesson folder. Starting a lesson
// (double-click, Enter or OK) reads its text and hands it with the recording's
// path to the main window's LessonHost. A recording dropped on it is imported
// into the lesson folder as one lesson per subtitle cue. Other parts work the
// list through the window's operations; its controls are its own.
#pragma once

#include "file_list.h"
#include "lesson_folders.h"
#include "lesson_host.h"
#include "lesson_state.h"
#include "library_import.h"
#include "picture_button.h"

#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

class QHelpEvent;

namespace hearvex::lessons {

// The window's controls, written by Form3 alone.
struct Form3Controls {
    FileList* File1 = nullptr;                 // the lesson list
    controls::PictureButton* Image1 = nullptr; // 确定: start the selected lesson
    controls::PictureButton* Image2 = nullptr; // 关闭: hide the window
};

// A lesson of the list: its recording's name as the list shows it, the bytes
// of that name on disk (which open it even when they are not UTF-8) and the
// folder it is listed from.
struct ListedLesson {
    QString name;
    QByteArray file;
    QString folder;
};

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
    void startSelected();
    // Selects the lesson below (+1) or above (-1) the selected one and starts
    // it; at either end of the list nothing changes. With nothing selected a
    // step down starts the first lesson.
    void step(int direction);
    // The keys' step: while no lesson has been started from the library (at
    // start, the first is selected and waits), the selected lesson starts;
    // after that, or with none selected, as step.
    void stepOrStartSelected(int direction);
    // Whether a lesson has been started from the library since it loaded.
    bool lessonStarted() const { return m_lessonStarted; }
    // Selects the lesson at a position and starts it, as a double-click on it does.
    void startLessonAt(int position);

    // The lessons listed, in list order.
    int lessonCount() const;
    // The lesson at a position; empty outside the list.
    ListedLesson lessonAt(int position) const;

    // What the list's tooltip tells of the lesson at a position (the list
    // itself keeps showing file names); an empty text leaves the list's own.
    void setToolTipSource(std::function<QString(int position)> toolTipOf) {
        m_toolTipOf = std::move(toolTipOf);
    }
    // The tooltip of the lesson at a position: the source's text, and 对齐不确定
    // on a line of its own when the lesson's word times are only a guess.
    QString lessonToolTip(int position) const;
    // The keyboard's way into the library: the window shown and activated,
    // the list focused with its selection kept (the first entry when none).
    void focusList();
    // How the focus goes back to where the learner types: after Enter has
    // started a lesson from the list, or on Esc there (nothing started).
    void setFocusReturn(std::function<void()> giveBack) { m_focusReturn = std::move(giveBack); }

    // The commands of the list's context menu, by their words, in order.
    using MenuCommands = std::vector<std::pair<QString, std::function<void()>>>;
    void setMenuCommands(MenuCommands commands);

    // The controls, for tests that look at them or act on them as the learner does.
    const Form3Controls& controls() const { return m_controls; }

    // A press on the window's own surface (the shell drags the window by it).
    void setMouseDownHandler(controls::MouseHandler handler) { m_mouseDown = std::move(handler); }

    // The import of dropped recordings (tests replace its message box).
    LibraryImport& libraryImport() { return m_import; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // After an import: the new lessons listed, the first selected, none started.
    void showImported(const QStringList& recordings);
    bool showLessonToolTip(const QHelpEvent& help);
    void startFromKeyboard();
    void giveFocusBack();
    void showMenu(const QPoint& at);

    Form3Controls m_controls;
    LessonHost& m_host;
    LessonState& m_state;
    LessonFolders m_folders;
    controls::MouseHandler m_mouseDown;
    std::function<QString(int)> m_toolTipOf;
    MenuCommands m_menuCommands;
    std::function<void()> m_focusReturn;
    bool m_starting = false;
    bool m_lessonStarted = false;
    LibraryImport m_import; // last, so gone first: a running import ends before the list
};

} // namespace hearvex::lessons
