#include "player.h"

#include "guard.h"
#include "plain_text.h"
#include "player_rules.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <algorithm>
#include <sys/stat.h>

namespace hearvex::player {

namespace {
void showOpenError(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
} // namespace

Player::Player(const PlayerControls& controls, EngineApi& engine, view::WaveView& view)
    : m_controls(controls)
    , m_engine(engine)
    , m_view(view)
    , m_showMessage(showOpenError) {
    m_controls.Timer->setTickHandler([this] { showPlaybackStatus(); });
    m_controls.scSeek->setChangeHandler([this] { scSeek_Change(); });
    m_controls.scLVol->setChangeHandler([this] { scLVol_Change(); });
    m_controls.scRVol->setChangeHandler([this] { scRVol_Change(); });
}

void Player::setTicking(bool statusTick, bool viewTick) {
    m_controls.Timer->setEnabled(statusTick);
    m_view.setRunning(viewTick);
}

void Player::Form_Load() {
    // Every step runs, a failing one skipped.
    using base::skipOnError;
    skipOnError([&] { m_engine.init(); });
    skipOnError([&] { getState(); });
    skipOnError([&] {
        if (m_engine.getWaveOutSupport() == 0) {
            m_controls.scLVol->setEnabled(false);
            m_controls.scRVol->setEnabled(false);
        }
    });
    int32_t left = 0, right = 0;
    skipOnError([&] { m_engine.getVolume(&left, &right); });
    // A volume the bar cannot take leaves the bar at its design value.
    skipOnError([&] { m_controls.scLVol->setValue(left); });
    skipOnError([&] { m_controls.scRVol->setValue(right); });
    m_notPlayedYet = true;
    skipOnError([&] { m_view.Form_Load(); });
    skipOnError([&] { m_engine.setEqualizer(0); });
    skipOnError([&] { m_engine.setKaraokeUse(1); });
    skipOnError([&] { m_engine.useAtMarkTag(1); });
    skipOnError([&] { m_engine.setLyricsNextAdjustTime(1000); });
}

int Player::getState() {
    int32_t pos = 0;
    const int state = m_engine.getState(&pos);
    notePaused(state == 2);
    if (state == 0)
        setTicking(false, true);
    if (m_trackOpen)
        m_controls.lbPlayTime->setCaption(timeText(pos));
    // While the learner holds the thumb the bar is theirs: it is read on release.
    if (m_controls.scSeek->isSliderDown())
        return state;
    // A position the bar cannot hold (a track longer than the bar's 16 bits, or a
    // report past the end) is shown at the bar's end while the time text counts on.
    // lastPosSec follows what the bar shows, so the seek handler sees progress.
    const int shown = std::clamp(pos, m_controls.scSeek->min(), m_controls.scSeek->max());
    m_lastPosSec = shown;
    writeBar(BarChangeSource::StatusRefresh, [&] { m_controls.scSeek->setValue(shown); });
    return state;
}

void Player::showOutput(bool playingSilently) {
    const QString text = outputText(playingSilently);
    if (m_controls.lbOutput->caption() != text)
        m_controls.lbOutput->setCaption(text);
}

void Player::notePaused(bool paused) {
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (m_pausedHandler)
        m_pausedHandler(paused);
}

void Player::writeBar(BarChangeSource source, const std::function<void()>& write) {
    // Restored on the way out: the change handler may run getState again inside.
    struct Restore {
        BarChangeSource& writer;
        BarChangeSource saved;
        ~Restore() { writer = saved; }
    } restore{m_barWriter, m_barWriter};
    m_barWriter = source;
    write();
}

void Player::showNothingOpen() {
    using base::skipOnError;
    skipOnError([&] { m_controls.lbTrackName->setCaption(QString()); });
    skipOnError([&] { m_controls.lbTotalSec->setCaption(QString()); });
    m_trackOpen = false;
    skipOnError([&] { m_controls.lbPlayTime->setCaption(QString()); });
    m_lastPosSec = 0;
    skipOnError([&] {
        writeBar(BarChangeSource::Reset, [&] {
            m_controls.scSeek->setMax(0); // takes the value down to 0 with it
            m_controls.scSeek->setLargeChange(1);
        });
    });
}

void Player::openTrack(const QString& path) {
    openTrackFile(path, QFile::encodeName(path));
}

void Player::openTrackFile(const QString& path, const QByteArray& file) {
    m_trackPath = path;
    m_trackFile = file;
    m_controls.txtFile->setText(path);
    openAndPlay();
}

void Player::openAndPlay() {
    const QByteArray file = m_trackFile;
    struct stat st {};
    if (::stat(file.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    m_engine.stop();
    setTicking(false, true);

    Vbmp3TrackInfo info{};
    if (m_engine.open(text::trimSpaces(file).constData(), &info) == 0) {
        const int errorNo = m_engine.getLastErrorNo();
        // The engine has closed the previous track: do not show it as open.
        showNothingOpen();
        m_showMessage(QStringLiteral("ErrNo : %1 Open Error").arg(errorNo));
        return;
    }
    m_controls.lbTrackName->setCaption(trackNameFromField(info.trackName, sizeof info.trackName));
    m_controls.lbTotalSec->setCaption(timeText(info.totalSec));
    // Open from here on: a refresh the bar's rescaling sets off shows the time.
    m_trackOpen = true;
    m_controls.scSeek->setMax(seekBarMax(info.totalSec));
    m_controls.scSeek->setLargeChange(seekBarLargeChange(info.totalSec));
    // The learner's speed holds across lessons.
    if (m_speedPercent != kNormalSpeed)
        sendSpeed(m_speedPercent);
    getState();
    playOrResume();
}

void Player::playOrResume() {
    if (m_freshPlay)
        m_freshPlay();
    m_notPlayedYet = false;
    if (getState() == 2) {
        m_engine.restart();
    } else {
        m_view.startFresh();
        const int left = m_controls.scLVol->value();
        const int right = m_controls.scRVol->value();
        m_engine.play();
        m_engine.setVolume(left, right);
    }
    getState();
    setTicking(true, true);
}

void Player::pauseOrResume() {
    if (getState() == 2) {
        m_engine.restart();
        setTicking(true, true);
    } else {
        m_engine.pause();
        setTicking(false, false);
    }
    getState();
}

void Player::pauseResumeOrReplay(int stepBackSec) {
    switch (getState()) {
    case 0:
        if (m_trackOpen) {
            playOrResume();
            noteReplay();
        }
        break;
    case 2: {
        int32_t pos = 0;
        m_engine.getState(&pos);
        // Moved while still paused, so nothing from the old place is heard.
        m_engine.seek(seekTarget(pos, -stepBackSec));
        m_engine.restart();
        setTicking(true, true);
        getState();
        if (stepBackSec > 0)
            noteReplay();
        break;
    }
    default:
        m_engine.pause();
        setTicking(false, false);
        getState();
        break;
    }
}

void Player::seekBy(int seconds) {
    int32_t pos = 0;
    if (m_engine.getState(&pos) == 0)
        return;
    m_engine.seek(seekTarget(pos, seconds));
    getState();
    if (seconds < 0)
        noteReplay();
}

void Player::playFromStart() {
    if (!m_trackOpen)
        return;
    // playOrResume would resume a paused track where it stands.
    if (getState() == 2)
        m_engine.stop();
    playOrResume();
    noteReplay();
}

void Player::changeSpeedBy(int steps) {
    sendSpeed(steppedSpeed(m_speedPercent, steps));
}

void Player::sendSpeed(int percent) {
    if (m_engine.setSpeed(percent) != 0)
        m_speedPercent = percent;
    m_controls.lbSpeed->setCaption(speedText(m_speedPercent));
}

void Player::showPlaybackStatus() {
    const int state = getState();
    // Asked on the tick only, so the refresh itself calls the engine as it always has.
    showOutput(state != 0 && m_engine.getOutputState() == VBMP3_OUTPUT_SILENT);
}

void Player::scSeek_Change() {
    const int v = m_controls.scSeek->value();
    BarChangeSource source = m_barWriter;
    if (source == BarChangeSource::Other && m_controls.scSeek->thumbReleased())
        source = BarChangeSource::Thumb;
    switch (decideBarChange(v, m_controls.scSeek->largeChange(), m_notPlayedYet, m_lastPosSec,
                            source)) {
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
    setTicking(true, true);
}

void Player::sendVolumes() {
    m_engine.setVolume(m_controls.scLVol->value(), m_controls.scRVol->value());
}

void Player::scLVol_Change() {
    sendVolumes();
}
void Player::scRVol_Change() {
    sendVolumes();
}

} // namespace hearvex::player
