// The wave and spectrum view on the main window: one frame per TimeView tick
// into picWave, in the display mode a click on picWave steps through. The view
// owns its display mode (the load handler starts it at 2) and the falling
// levels of the spectrum, for the life of the window.
#pragma once

#include "bar_frame.h"
#include "engine_api.h"
#include "view_controls.h"
#include "wave_frame.h"

#include <optional>
#include <variant>
#include <vector>

namespace hearvex::view {

class WaveView {
public:
    // Sets the handlers of TimeView and picWave.
    WaveView(const ViewControls& controls, EngineApi& engine);

    // The view's part of the window's load handler: the first mode and the tick's rhythm.
    void Form_Load();

    // Runs or halts the frame tick (the player's transport calls this).
    void setRunning(bool running);
    // Before a track plays from its start: an empty picture, the centre line at its place.
    void startFresh();

    void picWave_Click();
    void TimeView_Timer();

    int viewMode() const { return m_viewMode; }
    const FallingLevels& levels() const { return m_levels; }

private:
    void drawWave();
    void drawSpectrum();
    int viewHeightTwips() const;
    // Whether frame differs from the one on screen (remembered when it does).
    bool changedFrame(std::variant<WavePolyline, std::vector<FramePixel>> frame);

    ViewControls m_controls;
    EngineApi& m_engine;
    FallingLevels m_levels;
    int m_viewMode = 0;
    // What the picture shows now, so an unchanged frame (silence, a pause
    // with the levels fallen) is not painted and sent to the screen again;
    // empty after the picture was cleared.
    std::optional<std::variant<WavePolyline, std::vector<FramePixel>>> m_shown;
};

} // namespace hearvex::view
