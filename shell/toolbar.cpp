#include "toolbar.h"

#include "desktop_open.h"

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
    for (int index = 0; index < static_cast<int>(m_controls.Image2.size()); ++index) {
        controls::PictureButton* image = m_controls.Image2[index];
        if (!image)
            continue;
        image->setPressShift(QPoint(1, 1));
        image->setMouseUpHandler([this, index](int button, int shift, int x, int y) {
            Image2_MouseUp(index, button, shift, x, y);
        });
    }
}

void Toolbar::Image2_MouseUp(int index, int, int, int, int) {
    runCommand(index);
}

void Toolbar::runCommand(int index) {
    switch (index) {
    case 0:
        showWordLists();
        break;
    case 1:
        openHelp();
        break;
    case 2:
        quit();
        break;
    case 6:
        check();
        break;
    case 7:
        stepLesson(+1);
        break;
    case 8:
        m_library().show();
        m_library().raise();
        break;
    case 9:
        stepLesson(-1);
        break;
    default:
        break;
    }
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

void Toolbar::quit() {
    m_engine.stop();
    m_engine.stopCallback();
    m_engine.free();
    m_endProcess();
}

void Toolbar::stepLesson(int step) {
    lessons::Form3& library = m_library(); // loads it first if it never was
    const int selected = library.File1->listIndex();
    if (step > 0 && selected >= library.File1->listCount() - 1)
        return;
    if (step < 0 && selected < 1)
        return;
    library.File1->setListIndex(selected + step);
    library.playwav();
}

} // namespace hearvex
