#include "wave_view.h"

#include "frame_painter.h"
#include "guard.h"
#include "twips.h"
#include "view_mode.h"

namespace hearvex::view {

WaveView::WaveView(const ViewControls& controls, EngineApi& engine)
    : m_controls(controls)
    , m_engine(engine) {
    m_controls.TimeView->setTickHandler([this] { TimeView_Timer(); });
    m_controls.picWave->setClickHandler([this] { picWave_Click(); });
}

void WaveView::Form_Load() {
    m_viewMode = 2;
    base::skipOnError([&] {
        m_controls.TimeView->setInterval(0);
        m_controls.TimeView->setInterval(100);
    });
}

void WaveView::setRunning(bool running) {
    m_controls.TimeView->setEnabled(running);
}

void WaveView::startFresh() {
    controls::DrawingBox* picture = m_controls.picWave;
    picture->move(0, picture->y());
    picture->clear();
    m_shown.reset();
    controls::LineControl* line = m_controls.lineCenter;
    line->setEnds(-120, line->y1(), 1560, line->y2());
}

int WaveView::viewHeightTwips() const {
    return m_controls.picWave->height() * base::kTwipsPerPixel;
}

void WaveView::picWave_Click() {
    const std::optional<ViewModeStep> step = viewModeAfterClick(m_viewMode);
    if (!step)
        return;
    m_viewMode = step->next;
    m_controls.picWave->clear();
    m_shown.reset();
    if (step->centerLineVisible)
        m_controls.lineCenter->setVisible(*step->centerLineVisible);
    if (step->backColor)
        m_controls.picWave->setBackColor(QColor::fromRgb(*step->backColor));
}

void WaveView::TimeView_Timer() {
    if (m_viewMode == kWaveMode)
        drawWave();
    else
        drawSpectrum();
}

void WaveView::drawWave() {
    // Fresh zeros each tick: an engine that leaves the buffers alone shows silence.
    EngineBuffer first{}, second{};
    m_engine.getWave(first.data(), second.data());
    const std::optional<WavePolyline> points =
        wavePolyline(first, second, m_controls.picWaveFrmScaleWidth, viewHeightTwips());
    if (!points || !changedFrame(*points))
        return;
    m_controls.picWave->clear();
    paintWave(m_controls.picWave->image(), *points);
    m_controls.picWave->update();
}

void WaveView::drawSpectrum() {
    EngineBuffer first{}, second{};
    m_engine.getSpectrum(first.data(), second.data());
    const QImage& image = m_controls.picWave->image();
    const std::optional<std::vector<FramePixel>> pixels = spectrumFrame(
        m_viewMode, first, second, viewHeightTwips(), {image.width(), image.height()}, m_levels);
    if (!pixels || !changedFrame(*pixels))
        return;
    m_controls.picWave->clear();
    paintPixels(m_controls.picWave->image(), *pixels);
    m_controls.picWave->update();
}

bool WaveView::changedFrame(std::variant<WavePolyline, std::vector<FramePixel>> frame) {
    if (m_shown && *m_shown == frame)
        return false;
    m_shown = std::move(frame);
    return true;
}

} // namespace hearvex::view
