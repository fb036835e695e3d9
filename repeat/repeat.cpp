#include "repeat.h"

#include "guard.h"

namespace hearvex::repeat {

Repeat::Repeat(const RepeatControls& controls, player::Player& player)
    : m_controls(controls)
    , m_player(player) {
    for (int i = 0; i < int(m_controls.xpcmdbutton1.size()); ++i)
        m_controls.xpcmdbutton1[i]->setClickHandler([this, i] { xpcmdbutton1_Click(i); });
    m_controls.Timer1->setTickHandler([this] { Timer1_Timer(); });
    // The loop check does nothing while repeat is off: its twenty ticks a
    // second would be most of the window thread's wake-ups while playing.
    m_controls.Timer1->setResting(!repeatOn());
    for (int i = 0; i < int(m_controls.Image3.size()); ++i) {
        // The pressed look: one pixel to the right while the button is held.
        m_controls.Image3[i]->setPressShift(QPoint(1, 0));
        m_controls.Image3[i]->setMouseUpHandler([this, i](int button, int shift, int x, int y) {
            Image3_MouseUp(i, button, shift, x, y);
        });
    }
}

bool Repeat::repeatOn() const {
    return m_controls.xpcmdbutton1[2]->caption() == kRepeatOn;
}

void Repeat::setSwitchCaption(const QString& caption) {
    m_controls.xpcmdbutton1[2]->setCaption(caption);
    m_controls.Timer1->setResting(!repeatOn());
}

void Repeat::switchOff() {
    setSwitchCaption(kRepeatOff);
}

void Repeat::showPaused(bool paused) {
    m_controls.Image3[3]->setBorderStyle(paused ? 1 : 0);
}

int16_t Repeat::barPosition() const {
    // The bar's values are 16-bit by construction.
    return static_cast<int16_t>(m_player.barValue());
}

void Repeat::setStart(int16_t start) {
    m_repeatStartSec = start;
    m_controls.pointLabels[0]->setCaption(startCaption(start));
}

void Repeat::setEnd(int16_t end) {
    m_repeatEndSec = end;
    m_controls.pointLabels[1]->setCaption(endCaption(end));
}

void Repeat::writeStartIntoBar() {
    // The loop's start (A, or B when it was set earlier and lies before A).
    // A point set on a longer track may lie beyond the end of the one now
    // open; the bar refuses it and the loop simply goes on without the jump.
    const RepeatSpan span = loopSpan(m_repeatStartSec, m_repeatEndSec);
    base::skipOnError([&] { m_player.moveBarTo(span.start); });
    if (m_replayed)
        m_replayed();
}

void Repeat::xpcmdbutton1_Click(int index) {
    // Every step runs; a failing one is skipped without a word.
    using base::skipOnError;
    switch (index) {
    case 0:
        skipOnError([&] { setStart(barPosition()); });
        break;
    case 1:
        skipOnError([&] { setEnd(barPosition()); });
        break;
    case 2:
        if (m_controls.xpcmdbutton1[2]->caption() == kRepeatOff) {
            skipOnError([&] { setSwitchCaption(kRepeatOn); });
            writeStartIntoBar();
        } else {
            skipOnError([&] { switchOff(); });
        }
        break;
    default:
        break;
    }
}

void Repeat::Timer1_Timer() {
    const RepeatSpan span = loopSpan(m_repeatStartSec, m_repeatEndSec);
    if (mustJumpBack(repeatOn(), m_player.barValue(), span.end))
        writeStartIntoBar();
}

void Repeat::Image3_MouseUp(int index, int, int, int, int) {
    switch (index) {
    case 0:
        repeatLastSeconds(10);
        break;
    case 1:
        repeatLastSeconds(20);
        break;
    case 2:
        m_player.playOrResume();
        break;
    case 3:
        m_player.pauseOrResume();
        break;
    default:
        break;
    }
}

void Repeat::repeatLastSeconds(int seconds) {
    const RepeatSpan span = lastSecondsSpan(barPosition(), seconds);
    setEnd(span.end);
    setStart(span.start);
    setSwitchCaption(kRepeatOn);
    writeStartIntoBar();
}

} // namespace hearvex::repeat
