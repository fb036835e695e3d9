#include "practice_keys.h"

#include "guard.h"

#include <QApplication>
#include <QKeyEvent>

namespace hearvex {

namespace {
constexpr int kResumeStepBackSec = 2;
constexpr int kSeekStepSec = 3;
} // namespace

PracticeKeys::PracticeKeys(QWidget& window, player::Player& player, exercise::Exercise& exercise,
                           Toolbar& toolbar)
    : m_window(window)
    , m_player(player)
    , m_exercise(exercise)
    , m_toolbar(toolbar) {
    qApp->installEventFilter(this);
}

void PracticeKeys::run(PracticeAction action) {
    switch (action) {
    case PracticeAction::PauseResume:
        m_player.pauseResumeOrReplay(kResumeStepBackSec);
        break;
    case PracticeAction::Back:
        m_player.seekBy(-kSeekStepSec);
        break;
    case PracticeAction::Forward:
        m_player.seekBy(kSeekStepSec);
        break;
    case PracticeAction::Replay:
        m_player.playFromStart();
        break;
    case PracticeAction::Slower:
        m_player.changeSpeedBy(-1);
        break;
    case PracticeAction::Faster:
        m_player.changeSpeedBy(+1);
        break;
    case PracticeAction::FullText:
        m_exercise.toggleFullText();
        break;
    case PracticeAction::Check:
        m_toolbar.check();
        break;
    case PracticeAction::Compare:
        m_exercise.compareOrShowMisses();
        break;
    case PracticeAction::Record:
        if (m_toggleRecord)
            m_toggleRecord();
        break;
    case PracticeAction::Shadow:
        if (m_recordTake)
            m_recordTake();
        break;
    case PracticeAction::NextDue:
        if (m_startNextDue)
            m_startNextDue();
        break;
    case PracticeAction::NextLesson:
        m_toolbar.stepLessonByKey(+1);
        break;
    case PracticeAction::PreviousLesson:
        m_toolbar.stepLessonByKey(-1);
        break;
    case PracticeAction::FocusLibrary:
        m_toolbar.focusLibrary();
        break;
    case PracticeAction::Help:
        m_toolbar.openHelp();
        break;
    case PracticeAction::LookUp:
        if (m_lookUp)
            m_lookUp();
        break;
    case PracticeAction::PlayWord:
    case PracticeAction::PlayAround:
        if (m_playWord)
            m_playWord(action == PracticeAction::PlayAround);
        break;
    }
}

bool PracticeKeys::inOurWindows(const QObject* receiver) const {
    // Widgets only: a key goes to the platform window first, then to its focus widget.
    if (!receiver->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(receiver);
    // The library held in one window with the main window is its sibling there.
    if (widget->window() == m_window.window())
        return true;
    for (auto* w = widget; w; w = w->parentWidget())
        if (w == &m_window)
            return true;
    return false;
}

bool PracticeKeys::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const PracticeKey* entry = practiceKeyFor(key->key(), key->modifiers());
    if (!entry || QApplication::activeModalWidget() || !inOurWindows(watched))
        return false;
    // A window that closes on Esc (the record window) keeps that key, and so
    // does the library's list, which Esc leaves for the typing box.
    const auto* widget = static_cast<const QWidget*>(watched);
    if (entry->action == PracticeAction::PauseResume &&
        (widget->window()->property("closesOnEscape").toBool() ||
         widget->property("leavesOnEscape").toBool()))
        return false;
    if (type == QEvent::KeyPress && (entry->repeats || !key->isAutoRepeat()))
        base::runGuarded("practice key", [&] { run(entry->action); });
    return true;
}

} // namespace hearvex
