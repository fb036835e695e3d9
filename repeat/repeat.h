// A-B repeat on the main window: the three repeat buttons, the two labels that
// show A and B, the loop check of Timer1 and the strip of image buttons
// (repeat the last 10 / 20 seconds, play, pause or resume).
//
// Repeat is on exactly while the switch xpcmdbutton1(2) reads "停止复读"; it
// has no variable of its own. The loop runs between the two points whichever
// was set first. Every jump back is an assignment to the player's position
// bar, whose change handler decides whether that is a seek.
#pragma once

#include "player.h"
#include "repeat_controls.h"
#include "repeat_points.h"

#include <functional>

namespace hearvex::repeat {

class Repeat {
public:
    // Sets the handlers of xpcmdbutton1, Timer1 and Image3.
    Repeat(const RepeatControls& controls, player::Player& player);

    void xpcmdbutton1_Click(int index);
    void Timer1_Timer();
    void Image3_MouseUp(int index, int button, int shift, int x, int y);

    // Told of every pass heard again: each jump back to the loop's start, and
    // the 10 / 20 second buttons.
    void setReplayHandler(std::function<void()> handler) { m_replayed = std::move(handler); }

    // Turns repeat off (the switch reads "开始复读" again).
    void switchOff();

    // The pause button held down (bordered) while the player is paused.
    void showPaused(bool paused);

    RepeatPoint repeatStartSec() const { return m_repeatStartSec; }
    RepeatPoint repeatEndSec() const { return m_repeatEndSec; }
    bool repeatOn() const;

private:
    void setStart(int16_t start);
    void setEnd(int16_t end);
    void setSwitchCaption(const QString& caption);
    void writeStartIntoBar();
    void repeatLastSeconds(int seconds);
    int16_t barPosition() const;

    RepeatControls m_controls;
    player::Player& m_player;
    RepeatPoint m_repeatStartSec;
    RepeatPoint m_repeatEndSec;
    std::function<void()> m_replayed;
};

} // namespace hearvex::repeat
