// The start-up sequence: the splash first; one second after it is up, the
// main window centred with the lesson library docked at its right edge, the
// first lesson selected, the splash gone.
#pragma once

#include "engine_api.h"
#include "form1.h"
#include "form4.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <memory>

namespace hearvex {

// The main window's top left: an 800 x 480 pixel area (the main window and
// the library beside it) centred on a screen, halves to even. A screen
// narrower than 800 gives a negative left; nothing corrects it.
QPoint centredTopLeft(const QSize& screenPixels);

// The lesson library's top left: against the main window's right edge (its
// left plus its outer width, frame included) and level with its top.
QPoint dockedTopLeft(const QRect& mainFrameGeometry);

class Startup {
public:
    // The windows read the program's files from programDir.
    Startup(EngineApi& engine, const QString& programDir);
    ~Startup();

    // Shows the splash; the rest follows from its timer.
    void begin();

    Form4* splash() const { return m_splash; }     // null once closed
    Form1* form1() const { return m_form1.get(); } // null until the splash's tick

private:
    void Timer1_Timer();

    EngineApi& m_engine;
    QString m_programDir;
    std::unique_ptr<Form1> m_form1;
    QPointer<Form4> m_splash;
};

} // namespace hearvex
