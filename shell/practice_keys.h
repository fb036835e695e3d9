// Keys that work while typing (the table in practice_key_table.h): with the
// focus anywhere in the main window or a window it owns (the lesson library,
// the word lists), a key of the table runs its part's operation and never
// reaches the box or list that has the focus. A message box keeps its keys.
#pragma once

#include "exercise.h"
#include "player.h"
#include "practice_key_table.h"
#include "toolbar.h"

#include <QObject>
#include <QWidget>
#include <functional>

namespace hearvex {

class PracticeKeys : public QObject {
    Q_OBJECT
public:
    // Watches the application's key events for window and the windows it owns.
    PracticeKeys(QWidget& window, player::Player& player, exercise::Exercise& exercise,
                 Toolbar& toolbar);

    // The practice record's keys (F10, F12).
    void setRecordActions(std::function<void()> toggleRecord, std::function<void()> startNextDue) {
        m_toggleRecord = std::move(toggleRecord);
        m_startNextDue = std::move(startNextDue);
    }

    // The word at the typing caret looked up (F2).
    void setLookUpAction(std::function<void()> lookUp) { m_lookUp = std::move(lookUp); }
    // The word at the typing caret heard alone, or with the words around it (F11, Shift+F11).
    void setPlayWordAction(std::function<void(bool around)> playWord) {
        m_playWord = std::move(playWord);
    }

    // 跟读: a take of the sentence (Ctrl+R).
    void setShadowAction(std::function<void()> recordTake) { m_recordTake = std::move(recordTake); }

    // The operation of an action, as its key runs it.
    void run(PracticeAction action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inOurWindows(const QObject* receiver) const;

    QWidget& m_window;
    player::Player& m_player;
    exercise::Exercise& m_exercise;
    Toolbar& m_toolbar;
    std::function<void()> m_toggleRecord;
    std::function<void()> m_recordTake;
    std::function<void()> m_startNextDue;
    std::function<void()> m_lookUp;
    std::function<void(bool)> m_playWord;
};

} // namespace hearvex
