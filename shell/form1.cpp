#include "form1.h"

#include "guard.h"
#include "placement.h"
#include "window_drag.h"

#include <QCoreApplication>

namespace hearvex {

Form1::Form1(EngineApi& engine, QWidget* parent)
    : Form1Design(parent)
    , m_engine(engine)
    , m_programDir(QCoreApplication::applicationDirPath())
    , m_view(viewControls(), engine)
    , m_player(playerControls(), engine, m_view)
    , m_repeat(repeatControls(), m_player)
    , m_exercise(exerciseControls())
    , m_keywordHint(exerciseControls(), m_exercise)
    , m_toolbar(
          toolbarControls(), *this, engine, m_exercise,
          [this]() -> lessons::Form3& { return form3(); }, m_programDir) {
    // The window draws its own title strip and is moved by it.
    setWindowFlag(Qt::FramelessWindowHint);
    new WindowDrag(this, [this] { dockLibrary(); });
    m_toolbar.setWindowPreparer([](QWidget* window) { new WindowDrag(window); });
    m_player.setFreshPlayHandler([this] { m_repeat.switchOff(); });
    m_keywordHint.setPointerReset([this] { unsetCursor(); });
}

void Form1::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    controls::runGuarded("Form1 load", [this] {
        m_exercise.Form_Load();
        m_player.Form_Load();
    });
}

void Form1::startLesson(const QString& text, const QString& recordingPath,
                        const QByteArray& recordingFile) {
    // The open may stop on a message box; no sentence (a full-text hint left
    // on, or words uncovered by a check) may stand readable behind it.
    controls::skipOnError([&] { m_exercise.showFullText(false); });
    controls::skipOnError([&] { m_player.openTrackFile(recordingPath, recordingFile); });
    controls::skipOnError([&] { m_exercise.selectkewen(text); });
}

lessons::Form3& Form1::form3() {
    if (!m_form3) {
        m_form3 = new lessons::Form3(*this, m_lessons, m_programDir, this);
        new WindowDrag(m_form3);
        m_form3->Form_Load();
    }
    return *m_form3;
}

void Form1::dockLibrary() {
    form3().move(dockedTopLeft(frameGeometry()));
}

} // namespace hearvex
