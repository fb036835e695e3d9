#include "toolbar.h"

#include "desktop_open.h"
#include "guard.h"

#include <QDir>
#include <QScreen>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

namespace hearvex {

namespace {
// Ends the process without running anything else: no window closes with its
// events, no destructor runs. What is written is flushed first.
[[noreturn]] void endProcessNow() {
    std::fflush(nullptr);
    std::_Exit(0);
}
} // namespace

Toolbar::Toolbar(const ToolbarControls& controls, QWidget& window, EngineApi& engine,
                 exercise::Exercise& exercise, std::function<lessons::Form3&()> library,
                 const QString& programDir)
    : m_controls(controls)
    , m_window(window)
    , m_engine(engine)
    , m_exercise(exercise)
    , m_library(std::move(library))
    , m_programDir(programDir)
    , m_endProcess(endProcessNow)
    , m_openPage([this](const QUrl& page, std::function<void()> cannotOpen) {
        openWithDesktop(page, &m_pageOpeners, std::move(cannotOpen));
    }) {
    wireButton(0, &Toolbar::showWordLists);
    wireButton(1, &Toolbar::openHelp);
    wireButton(2, &Toolbar::quit);
    wireButton(6, &Toolbar::check);
    wireButton(7, &Toolbar::nextLesson);
    wireButton(8, &Toolbar::showLibrary);
    wireButton(9, &Toolbar::previousLesson);
}

void Toolbar::wireButton(int index, void (Toolbar::*operation)()) {
    controls::PictureButton* image = m_controls.Image2[static_cast<std::size_t>(index)];
    image->setPressShift(QPoint(1, 1));
    image->setMouseUpHandler([this, operation](int, int, int, int) { (this->*operation)(); });
}

void Toolbar::check() {
    m_exercise.check();
}

void Toolbar::showWordLists() {
    // Closing the window deletes it; the next opening loads it afresh.
    if (!m_form2) {
        m_form2 = new wordlists::Form2(m_programDir, &m_window);
        if (m_prepare)
            m_prepare(m_form2);
        m_form2->Form_Load();
        // It opens over the middle of the main window, where the learner is looking.
        m_form2->move(m_window.frameGeometry().center() - m_form2->rect().center());
    }
    m_form2->show();
    m_form2->raise();
    m_form2->activateWindow();
}

void Toolbar::openHelp() {
    // Left to the desktop's program for web pages; where the desktop has none,
    // the page opens in a window of our own.
    const QString page = QDir(m_programDir).filePath(QStringLiteral("Hearvex说明.htm"));
    m_openPage(QUrl::fromLocalFile(page), [this, page] { showHelpWindow(page); });
}

void Toolbar::showHelpWindow(const QString& page) {
    if (!m_help) {
        m_help = new HelpWindow(page, &m_window);
        // In the middle of the screen: it is wider than the main window.
        if (const QScreen* screen = m_window.screen())
            m_help->move(screen->availableGeometry().center() - m_help->rect().center());
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

// Out of line: inlined into a caller, GCC 12 takes std::function's swap for a
// null dereference.
void Toolbar::setQuitPreparer(std::function<void()> prepare) {
    m_prepareQuit = std::move(prepare);
}

void Toolbar::quit() {
    if (m_prepareQuit)
        base::skipOnError(m_prepareQuit);
    m_engine.stop();
    m_engine.stopCallback();
    m_engine.free();
    m_endProcess();
}

void Toolbar::nextLesson() {
    m_library().step(+1); // loads the library first if it never was
}

void Toolbar::previousLesson() {
    m_library().step(-1);
}

void Toolbar::stepLessonByKey(int direction) {
    m_library().stepOrStartSelected(direction);
}

void Toolbar::focusLibrary() {
    m_library().focusList();
}

void Toolbar::showLibrary() {
    lessons::Form3& library = m_library();
    library.show();
    library.raise();
}

} // namespace hearvex
