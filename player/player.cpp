#include "player.h"

#include "guard.h"
#include "player_rules.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

namespace hearvex::player {

namespace {
void showOpenError(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
} // namespace

Player::Player(ui::Form1Design& form, EngineApi& engine)
    : m_form(form), m_engine(engine), m_showMessage(showOpenError) {
    m_form.Timer->setTickHandler([this] { Timer_Timer(); });
    m_form.scSeek->setChangeHandler([this] { scSeek_Change(); });
    m_form.scLVol->setChangeHandler([this] { scLVol_Change(); });
    m_form.scRVol->setChangeHandler([this] { scRVol_Change(); });
}

void Player::Form_Load() {
    for (ui::RichTextBox* box : m_form.RichTextBox1)
        box->setSelColor(Qt::white);

    // From here every step runs, a failing one skipped.
    using ui::skipOnError;
    skipOnError([&] { m_engine.init(); });
    skipOnError([&] { getState(); });
    skipOnError([&] {
        if (m_engine.getWaveOutSupport() == 0) {
            m_form.scLVol->setEnabled(false);
            m_form.scRVol->setEnabled(false);
        }
    });
    int32_t left = 0, right = 0;
    skipOnError([&] { m_engine.getVolume(&left, &right); });
    // A volume the bar cannot take leaves the bar at its design value.
    skipOnError([&] { m_form.scLVol->setValue(left); });
    skipOnError([&] { m_form.scRVol->setValue(right); });
    m_notPlayedYet = true;
    m_viewMode = 2;
    skipOnError([&] { m_engine.setEqualizer(0); });
    skipOnError([&] {
        m_form.TimeView->setInterval(0);
        m_form.TimeView->setInterval(100);
    });
    skipOnError([&] { m_engine.setKaraokeUse(1); });
    skipOnError([&] { m_engine.useAtMarkTag(1); });
    skipOnError([&] { m_engine.setLyricsNextAdjustTime(1000); });
}

int Player::getState() {
    int32_t pos = 0;
    const int state = m_engine.getState(&pos);
    if (state == 0) {
        m_form.Timer->setEnabled(false);
        m_form.TimeView->setEnabled(true);
    }
    if (!m_form.lbTotalSec->caption().isEmpty())
        m_form.lbPlayTime->setCaption(timeText(pos));
    // A position the bar cannot hold (a track longer than the bar's 16 bits, or a
    // report past the end) is shown at the bar's end while the time text counts on.
    // lastPosSec follows what the bar shows, so the seek handler sees progress.
    const int shown = std::clamp(pos, m_form.scSeek->min(), m_form.scSeek->max());
    m_lastPosSec = shown;
    m_form.scSeek->setValue(shown);
    return state;
}

void Player::btOpen_Click() {
    const QString path = m_form.txtFile->text();
    if (!QFileInfo(path).isFile())
        return;
    m_engine.stop();
    m_form.Timer->setEnabled(false);
    m_form.TimeView->setEnabled(true);

    Vbmp3TrackInfo info{};
    if (m_engine.open(trimSpaces(path).toUtf8().constData(), &info) == 0) {
        const int errorNo = m_engine.getLastErrorNo();
        m_showMessage(QStringLiteral("ErrNo : %1 Open Error").arg(errorNo));
        return;
    }
    m_form.lbTrackName->setCaption(trackNameFromField(info.trackName, sizeof info.trackName));
    m_form.lbTotalSec->setCaption(timeText(info.totalSec));
    m_form.scSeek->setMax(seekBarMax(info.totalSec));
    m_form.scSeek->setLargeChange(seekBarLargeChange(info.totalSec));
    getState();
    playw();
}

void Player::playw() {
    m_form.xpcmdbutton1[2]->setCaption(ui::kRepeatOff);
    m_notPlayedYet = false;
    if (getState() == 2) {
        m_engine.restart();
    } else {
        m_form.picWave->move(0, m_form.picWave->y());
        m_form.picWave->clear();
        ui::LineControl* line = m_form.lineCenter;
        line->setEnds(-120, line->y1(), 1560, line->y2());
        const int left = m_form.scLVol->value();
        const int right = m_form.scRVol->value();
        m_engine.play();
        m_engine.setVolume(left, right);
    }
    getState();
    m_form.Timer->setEnabled(true);
    m_form.TimeView->setEnabled(true);
}

void Player::Timer_Timer() { getState(); }

void Player::scSeek_Change() {
    const int v = m_form.scSeek->value();
    switch (decideSeek(v, m_form.scSeek->largeChange(), m_notPlayedYet, m_lastPosSec)) {
    case SeekDecision::Ignore:
        return;
    case SeekDecision::Seek: {
        m_engine.seek(v);
        int32_t pos = 0;
        if (m_engine.getState(&pos) == 0)
            return;
        break;
    }
    case SeekDecision::Progress:
        break;
    }
    m_notPlayedYet = false;
    getState();
    m_form.Timer->setEnabled(true);
    m_form.TimeView->setEnabled(true);
}

void Player::sendVolumes() { m_engine.setVolume(m_form.scLVol->value(), m_form.scRVol->value()); }

void Player::scLVol_Change() { sendVolumes(); }
void Player::scRVol_Change() { sendVolumes(); }

} // namespace hearvex::player
