// The player of the main window: start-up of the engine, the status refresh,
// opening a track, transport (play, pause and resume), seeking with the
// position bar and the two channel volumes. It owns the controls of
// PlayerControls and asks the wave view to run, halt or start afresh.
#pragma once

#include "engine_api.h"
#include "player_controls.h"
#include "player_rules.h"
#include "wave_view.h"

#include <QString>
#include <functional>

namespace hearvex::player {

class Player {
public:
    Player(const PlayerControls& controls, EngineApi& engine, view::WaveView& view);

    // The window's load handler (the engine's start-up and the player's first state).
    void Form_Load();

    // What a play from the start does to the rest of the window (repeat goes off).
    void setFreshPlayHandler(std::function<void()> handler) { m_freshPlay = std::move(handler); }

    // Told whenever the track becomes paused or leaves the pause, whatever
    // paused or resumed it (the pause button shows that it is held down).
    void setPausedHandler(std::function<void(bool paused)> handler) {
        m_pausedHandler = std::move(handler);
    }

    // Told of every pass heard again: a play from the start (F5), a resume that
    // steps back (Esc), a step back (F3) and an ended track played again.
    void setReplayHandler(std::function<void()> handler) { m_replayed = std::move(handler); }

    // The status refresh: reads the engine's state and position into the play
    // time and the position bar; returns the state (0 stopped, 2 paused, else playing).
    int getState();

    // Names the recording (txtFile shows it), opens it and starts it.
    void openTrack(const QString& path);
    // The same for a recording named by path as shown and by the bytes of its
    // path on disk, which open it even when its name is not UTF-8.
    void openTrackFile(const QString& path, const QByteArray& file);
    // Plays from the beginning, or resumes a paused track; switches repeat off.
    void playOrResume();
    // Pauses a playing track, resumes a paused one.
    void pauseOrResume();

    // The keys' transport, straight through the engine (the position bar would
    // take a forward move smaller than its LargeChange as its own progress).
    // A playing track pauses; a paused one resumes stepBackSec earlier (never
    // before 0); a track that has ended plays again from its start.
    void pauseResumeOrReplay(int stepBackSec);
    // Moves the playing or paused position by seconds (negative: back, never
    // before 0); at or past the end the track ends. Stopped: nothing moves.
    void seekBy(int seconds);
    // Plays the open recording from its start, also when paused.
    void playFromStart();

    // The playing speed in percent of normal, held for the session and sent
    // again with every track; lbSpeed shows it when it is not normal.
    int speedPercent() const { return m_speedPercent; }
    // Steps of 0.1x (negative: slower) within 0.5x..1.5x; a speed the engine
    // refuses is not taken.
    void changeSpeedBy(int steps);

    // The position bar's value, and an assignment to it (which its change
    // handler takes as progress or a seek); a value beyond its range throws.
    int barValue() const { return m_controls.scSeek->value(); }
    void moveBarTo(int value) { m_controls.scSeek->setValue(value); }

    // Timer's tick: the status refresh, and a word when nothing is heard.
    void showPlaybackStatus();
    void scSeek_Change();
    void scLVol_Change();
    void scRVol_Change();

    bool notPlayedYet() const { return m_notPlayedYet; }
    int lastPosSec() const { return m_lastPosSec; }
    const QString& trackPath() const { return m_trackPath; }

    // How the open-error message reaches the learner; tests replace the message box.
    void setMessageHandler(std::function<void(const QString&)> show) {
        m_showMessage = std::move(show);
    }

private:
    // Opens the recording last named and starts it.
    void openAndPlay();
    void sendVolumes();
    void setTicking(bool statusTick, bool viewTick);
    void notePaused(bool paused);
    void showOutput(bool playingSilently);
    void sendSpeed(int percent);
    // Writes the bar as the player itself, so its change handler knows the source.
    void writeBar(BarChangeSource source, const std::function<void()>& write);
    // After a refused open nothing is open: no name, no times, an empty bar.
    void showNothingOpen();
    void noteReplay() {
        if (m_replayed)
            m_replayed();
    }

    PlayerControls m_controls;
    EngineApi& m_engine;
    view::WaveView& m_view;
    std::function<void(const QString&)> m_showMessage;
    std::function<void()> m_freshPlay;
    std::function<void(bool)> m_pausedHandler;
    std::function<void()> m_replayed;
    bool m_paused = false;
    QString m_trackPath;
    QByteArray m_trackFile; // the bytes of m_trackPath on disk
    bool m_notPlayedYet = false;
    bool m_trackOpen = false;
    int m_speedPercent = kNormalSpeed;
    int m_lastPosSec = 0;
    BarChangeSource m_barWriter = BarChangeSource::Other;
};

} // namespace hearvex::player
