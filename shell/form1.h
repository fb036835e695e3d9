// The main window: the designed controls with the behaviour of every part of
// the program wired to them. Other windows call its public procedures.
#pragma once

#include "engine_api.h"
#include "form1_design.h"
#include "player.h"
#include "repeat.h"
#include "wave_view.h"

namespace hearvex {

class Form1 : public ui::Form1Design {
    Q_OBJECT
public:
    explicit Form1(EngineApi& engine, QWidget* parent = nullptr);

    // Runs the load handler once, before the window is first shown.
    void load();

    void btOpen_Click() { m_player.btOpen_Click(); }
    int getState() { return m_player.getState(); }
    void playw() { m_player.playw(); }

    EngineApi& engine() { return m_engine; }
    player::Player& player() { return m_player; }
    repeat_view::Repeat& repeat() { return m_repeat; }
    repeat_view::WaveView& waveView() { return m_view; }

private:
    EngineApi& m_engine;
    player::Player m_player;
    repeat_view::Repeat m_repeat;
    repeat_view::WaveView m_view;
    bool m_loaded = false;
};

} // namespace hearvex
