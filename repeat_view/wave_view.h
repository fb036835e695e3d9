// The wave and spectrum view on the main window: one frame per TimeView tick
// into picWave, in the display mode a click on picWave steps through.
// The display mode lives in the player (the load handler sets it to 2); the
// falling levels of the spectrum live here, for the life of the window.
#pragma once

#include "engine_api.h"
#include "form1_design.h"
#include "player.h"
#include "bar_frame.h"

namespace hearvex::repeat_view {

class WaveView {
public:
    // Sets the handlers of TimeView and picWave.
    WaveView(ui::Form1Design& form, player::Player& player, EngineApi& engine);

    void picWave_Click();
    void TimeView_Timer();

    const FallingLevels& levels() const { return m_levels; }

private:
    void drawWave();
    void drawSpectrum();
    int viewHeightTwips() const;

    ui::Form1Design& m_form;
    player::Player& m_player;
    EngineApi& m_engine;
    FallingLevels m_levels;
};

} // namespace hearvex::repeat_view
