// The player of the main window: start-up of the engine, the status refresh,
// opening a track, transport, seeking with the position bar and the two
// channel volumes. It works on the window's controls and the engine it is given.
#pragma once

#include "engine_api.h"
#include "form1_design.h"

#include <QString>
#include <functional>

namespace hearvex::player {

class Player {
public:
    Player(ui::Form1Design& form, EngineApi& engine);

    // The window's load handler (the engine's start-up and the player's first state).
    void Form_Load();

    // The status refresh: reads the engine's state and position into the play
    // time and the position bar; returns the state (0 stopped, 2 paused, else playing).
    int getState();

    // Opens the track named in txtFile and starts it.
    void btOpen_Click();

    // Plays from the beginning, or resumes a paused track; switches repeat off.
    void playw();

    void Timer_Timer();
    void scSeek_Change();
    void scLVol_Change();
    void scRVol_Change();

    bool notPlayedYet() const { return m_notPlayedYet; }
    int lastPosSec() const { return m_lastPosSec; }
    int viewMode() const { return m_viewMode; }
    void setViewMode(int mode) { m_viewMode = mode; }

    // How the open-error message reaches the learner; tests replace the message box.
    void setMessageHandler(std::function<void(const QString&)> show) { m_showMessage = std::move(show); }

private:
    void sendVolumes();

    ui::Form1Design& m_form;
    EngineApi& m_engine;
    std::function<void(const QString&)> m_showMessage;
    bool m_notPlayedYet = false;
    int m_lastPosSec = 0;
    int m_viewMode = 0;
};

} // namespace hearvex::player
