// The start-up sequence: the splash first; one second after it is up, the
// main window centred with the lesson library docked at its right edge, the
// first lesson selected, the splash gone.
#pragma once

#include "engine_api.h"
#include "form1.h"
#include "form4.h"
#include "placement.h"

#include <QPointer>
#include <memory>

namespace hearvex {

class Startup {
public:
    // The windows read the program's files from programDir.
    Startup(EngineApi& engine, const QString& programDir);
    ~Startup();

    // A recording to open and play once the main window is up (from the command line).
    void setRecordingToOpen(const QString& path) { m_recordingToOpen = path; }

    // Shows the splash; the rest follows from its timer.
    void begin();

    Form4* splash() const { return m_splash; }     // null once closed
    Form1* form1() const { return m_form1.get(); } // null until the splash's tick

private:
    void bringUpMainWindow();

    EngineApi& m_engine;
    QString m_programDir;
    QString m_recordingToOpen;
    std::unique_ptr<Form1> m_form1;
    QPointer<Form4> m_splash;
};

} // namespace hearvex
