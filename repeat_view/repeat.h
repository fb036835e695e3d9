// A-B repeat on the main window: the three repeat buttons, the two labels that
// show A and B, the loop check of Timer1 and the strip of image buttons
// (repeat the last 10 / 20 seconds, play, pause or resume).
//
// Repeat is on exactly while the switch xpcmdbutton1(2) reads "停止复读"; it
// has no variable of its own. Every jump to A is a write of the position bar,
// whose change handler decides whether that is a seek.
#pragma once

#include "engine_api.h"
#include "form1_design.h"
#include "player.h"
#include "repeat_points.h"

namespace hearvex::repeat_view {

class Repeat {
public:
    // Sets the handlers of xpcmdbutton1, Timer1 and Image3.
    Repeat(ui::Form1Design& form, player::Player& player, EngineApi& engine);

    void xpcmdbutton1_Click(int index);
    void Timer1_Timer();
    void Image3_MouseDown(int index, int button, int shift, int x, int y);
    void Image3_MouseUp(int index, int button, int shift, int x, int y);

    RepeatPoint repeatStartSec() const { return m_repeatStartSec; }
    RepeatPoint repeatEndSec() const { return m_repeatEndSec; }
    bool repeatOn() const;

private:
    void setStart(int16_t start);
    void setEnd(int16_t end);
    void writeStartIntoBar();
    void repeatLastSeconds(int seconds);
    void pauseOrResume();
    int16_t barPosition() const;

    ui::Form1Design& m_form;
    player::Player& m_player;
    EngineApi& m_engine;
    RepeatPoint m_repeatStartSec;
    RepeatPoint m_repeatEndSec;
};

} // namespace hearvex::repeat_view
