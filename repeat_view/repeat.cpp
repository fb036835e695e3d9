#include "repeat.h"

#include "guard.h"

namespace hearvex::repeat_view {

Repeat::Repeat(ui::Form1Design& form, player::Player& player, EngineApi& engine)
    : m_form(form)
    , m_player(player)
    , m_engine(engine) {
    for (int i = 0; i < int(m_form.xpcmdbutton1.size()); ++i)
        m_form.xpcmdbutton1[i]->setClickHandler([this, i] { xpcmdbutton1_Click(i); });
    m_form.Timer1->setTickHandler([this] { Timer1_Timer(); });
    for (int i = 0; i < int(m_form.Image3.size()); ++i) {
        m_form.Image3[i]->setMouseDownHandler([this, i](int button, int shift, int x, int y) {
            Image3_MouseDown(i, button, shift, x, y);
        });
        m_form.Image3[i]->setMouseUpHandler([this, i](int button, int shift, int x, int y) {
            Image3_MouseUp(i, button, shift, x, y);
        });
    }
}

bool Repeat::repeatOn() const {
    return m_form.xpcmdbutton1[2]->caption() == ui::kRepeatOn;
}

int16_t Repeat::barPosition() const {
    // The bar's values are 16-bit by construction.
    return static_cast<int16_t>(m_form.scSeek->value());
}

void Repeat::setStart(int16_t start) {
    m_repeatStartSec = start;
    m_form.Label1[0]->setCaption(startCaption(start));
}

void Repeat::setEnd(int16_t end) {
    m_repeatEndSec = end;
    m_form.Label1[1]->setCaption(endCaption(end));
}

void Repeat::writeStartIntoBar() {
    // A set on a longer track may lie beyond the end of the one now open; the
    // bar refuses it and the loop simply goes on without the jump.
    ui::skipOnError([&] { m_form.scSeek->setValue(pointValue(m_repeatStartSec)); });
}

void Repeat::xpcmdbutton1_Click(int index) {
    // Every step runs; a failing one is skipped without a word.
    using ui::skipOnError;
    switch (index) {
    case 0:
        skipOnError([&] { setStart(barPosition()); });
        break;
    case 1:
        skipOnError([&] { setEnd(barPosition()); });
        break;
    case 2:
        if (m_form.xpcmdbutton1[2]->caption() == ui::kRepeatOff) {
            skipOnError([&] { m_form.xpcmdbutton1[2]->setCaption(ui::kRepeatOn); });
            writeStartIntoBar();
        } else {
            skipOnError([&] { m_form.xpcmdbutton1[2]->setCaption(ui::kRepeatOff); });
        }
        break;
    default:
        break;
    }
}

void Repeat::Timer1_Timer() {
    if (mustJumpBack(repeatOn(), m_form.scSeek->value(), m_repeatEndSec))
        writeStartIntoBar();
}

void Repeat::Image3_MouseDown(int index, int, int, int, int) {
    // The pressed look: one pixel to the right while the button is held.
    ui::PictureButton* image = m_form.Image3[index];
    image->setLeft(image->left() + 1);
}

void Repeat::Image3_MouseUp(int index, int, int, int, int) {
    ui::PictureButton* image = m_form.Image3[index];
    image->setLeft(image->left() - 1);
    switch (index) {
    case 0:
        repeatLastSeconds(10);
        break;
    case 1:
        repeatLastSeconds(20);
        break;
    case 2:
        m_player.playw();
        break;
    case 3:
        pauseOrResume();
        break;
    default:
        break;
    }
}

void Repeat::repeatLastSeconds(int seconds) {
    const RepeatSpan span = lastSecondsSpan(barPosition(), seconds);
    setEnd(span.end);
    setStart(span.start);
    m_form.xpcmdbutton1[2]->setCaption(ui::kRepeatOn);
    writeStartIntoBar();
}

void Repeat::pauseOrResume() {
    if (m_player.getState() == 2) {
        m_engine.restart();
        m_form.Timer->setEnabled(true);
        m_form.TimeView->setEnabled(true);
    } else {
        m_engine.pause();
        m_form.Timer->setEnabled(false);
        m_form.TimeView->setEnabled(false);
    }
    m_player.getState();
}

} // namespace hearvex::repeat_view
