// The start-up sequence: the splash first; one second after it is up, the
// main window centred with the lesson library docked at its right edge, the
// first lesson selected, the splash gone.
#pragma once

#include "docked_pair.h"
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

    // Whether the platform lets the program place its windows (by default, as
    // the Qt platform's name says); where it does not, the main window and the
    // library come up held in one window. Tests set it before begin.
    void setPlacesWindows(bool places) { m_placesWindows = places; }

    // Shows the splash; the rest follows from its timer.
    void begin();

    Form4* splash() const { return m_splash; }     // null once closed
    Form1* form1() const { return m_form1.get(); } // null until the splash's tick
    // The window holding both, where the platform cannot place windows; else null.
    DockedPair* dockedPair() const { return m_pair.get(); }

private:
    void bringUpMainWindow();
    void placeWindows();

    EngineApi& m_engine;
    QString m_programDir;
    QString m_recordingToOpen;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<DockedPair> m_pair; // after the main window, so gone first
    bool m_placesWindows;
    QPointer<Form4> m_splash;
};

} // namespace hearvex
