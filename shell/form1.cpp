#include "form1.h"

#include "guard.h"
#include "startup.h"
#include "window_drag.h"

#include <QCoreApplication>

namespace hearvex {

Form1::Form1(EngineApi& engine, QWidget* parent)
    : ui::Form1Design(parent)
    , m_engine(engine)
    , m_player(*this, engine)
    , m_repeat(*this, m_player, engine)
    , m_view(*this, m_player, engine)
    , m_exercise(*this)
    , m_keywordHint(*this, m_exercise)
    , m_toolbar(*this)
    , m_programDir(QCoreApplication::applicationDirPath()) {
    // The window draws its own title strip and is moved by it.
    setWindowFlag(Qt::FramelessWindowHint);
    new WindowDrag(this, [this] { dockLibrary(); });
    m_toolbar.setWindowPreparer([](QWidget* window) { new WindowDrag(window); });
}

void Form1::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    ui::runGuarded("Form1 load", [this] { m_player.Form_Load(); });
}

library::Form3& Form1::form3() {
    if (!m_form3) {
        m_form3 = new library::Form3(*this, m_lessons, m_programDir, this);
        new WindowDrag(m_form3);
        m_form3->Form_Load();
    }
    return *m_form3;
}

void Form1::setExerciseText(const QString& text) {
    RichTextBox1[0]->setText(text);
}

void Form1::setTrackPath(const QString& path) {
    txtFile->setText(path);
}

void Form1::dockLibrary() {
    form3().move(dockedTopLeft(frameGeometry()));
}

} // namespace hearvex
