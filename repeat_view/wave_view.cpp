#include "wave_view.h"

#include "frame_painter.h"
#include "twips.h"
#include "view_mode.h"

namespace hearvex::repeat_view {

WaveView::WaveView(ui::Form1Design& form, player::Player& player, EngineApi& engine)
    : m_form(form)
    , m_player(player)
    , m_engine(engine) {
    m_form.TimeView->setTickHandler([this] { TimeView_Timer(); });
    m_form.picWave->setClickHandler([this] { picWave_Click(); });
}

int WaveView::viewHeightTwips() const {
    return m_form.picWave->height() * ui::kTwipsPerPixel;
}

void WaveView::picWave_Click() {
    const std::optional<ViewModeStep> step = viewModeAfterClick(m_player.viewMode());
    if (!step)
        return;
    m_player.setViewMode(step->next);
    m_form.picWave->clear();
    if (step->centerLineVisible)
        m_form.lineCenter->setVisible(*step->centerLineVisible);
    if (step->backColor)
        m_form.picWave->setBackColor(QColor::fromRgb(*step->backColor));
}

void WaveView::TimeView_Timer() {
    if (m_player.viewMode() == kWaveMode)
        drawWave();
    else
        drawSpectrum();
}

void WaveView::drawWave() {
    // Fresh zeros each tick: an engine that leaves the buffers alone shows silence.
    EngineBuffer first{}, second{};
    m_engine.getWave(first.data(), second.data());
    const std::optional<WavePolyline> points =
        wavePolyline(first, second, m_form.picWaveFrmScaleWidth(), viewHeightTwips());
    if (!points)
        return;
    m_form.picWave->clear();
    paintWave(m_form.picWave->image(), *points);
    m_form.picWave->update();
}

void WaveView::drawSpectrum() {
    EngineBuffer first{}, second{};
    m_engine.getSpectrum(first.data(), second.data());
    const QImage& image = m_form.picWave->image();
    const std::optional<std::vector<FramePixel>> pixels =
        spectrumFrame(m_player.viewMode(), first, second, viewHeightTwips(),
                      {image.width(), image.height()}, m_levels);
    if (!pixels)
        return;
    m_form.picWave->clear();
    paintPixels(m_form.picWave->image(), *pixels);
    m_form.picWave->update();
}

} // namespace hearvex::repeat_view
