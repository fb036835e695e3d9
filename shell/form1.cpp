#include "form1.h"

#include "guard.h"

namespace hearvex {

Form1::Form1(EngineApi& engine, QWidget* parent)
    : ui::Form1Design(parent), m_engine(engine), m_player(*this, engine)
    , m_repeat(*this, m_player, engine), m_view(*this, m_player, engine) {}

void Form1::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    ui::runGuarded("Form1 load", [this] { m_player.Form_Load(); });
}

} // namespace hearvex
