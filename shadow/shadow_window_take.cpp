// The 跟读 window's takes: recording, keeping, analysing, playing.
#include "shadow_window.h"

#include "guard.h"
#include "speech_audio.h"

#include <QFileInfo>
#include <algorithm>

namespace hearvex::shadow {

namespace {

constexpr double kShortestLimit = 4; // seconds a take may always run
constexpr double kLongestLimit = 60; // whatever the sentence
constexpr double kGapBetween = 0.4;  // seconds of quiet between model and take

std::span<const float> spanOf(const Lane& lane) {
    return lane.samples;
}

} // namespace

double ShadowWindow::recordingLimit() const {
    const qint64 clipMs = qint64(m_clip.size()) * 1000 / kTakeRate;
    const Span span = sentenceSpan(m_modelWords, clipMs);
    const double sentence = double(span.endMs - span.startMs) / 1000.0;
    return std::clamp(2 * sentence, kShortestLimit, kLongestLimit);
}

void ShadowWindow::toggleRecording() {
    if (m_waitingForModel) {
        m_waitingForModel = false;
        m_player.stop();
        m_tick.stop();
        showStatus(QStringLiteral("没有录音。"));
        return;
    }
    if (m_capture.recording())
        return finishTake(m_gate ? m_gate->state() : GateState::Waiting);
    if (isAnalysing() || m_lesson.sentence.isEmpty())
        return;
    m_player.stop();
    if (m_controls.chkListenFirst->isChecked() &&
        !m_controls.viewTakes->modelLane().samples.empty()) {
        play(true, false);
        m_waitingForModel = true;
        m_controls.cmdRecord->setText(QStringLiteral("停止"));
        showStatus(QStringLiteral("先听原句，播完就开始录音……"));
        m_tick.start();
        return;
    }
    startCapture();
}

void ShadowWindow::startCapture() {
    m_waitingForModel = false;
    GateSettings settings;
    settings.maxSeconds = recordingLimit();
    QString error;
    if (!m_capture.start(settings.maxSeconds, &error)) {
        m_tick.stop();
        m_controls.cmdRecord->setText(QStringLiteral("录音"));
        showStatus(error);
        return;
    }
    m_gate = std::make_unique<SpeechGate>(settings);
    m_take.clear();
    m_takeTime = QDateTime::currentDateTime();
    m_controls.cmdRecord->setText(QStringLiteral("停止"));
    m_controls.meterLevel->setValue(0);
    m_controls.meterLevel->show();
    m_controls.lbScore->clear();
    showStatus(QStringLiteral("正在录音：请跟读这一句（R 停止）"));
    m_tick.start();
}

void ShadowWindow::captureTick() {
    base::runGuarded("shadow capture tick", [&] {
        if (m_waitingForModel) {
            if (!m_player.playing())
                startCapture();
            return;
        }
        if (!m_capture.recording())
            return m_tick.stop();
        const GateState state = drainCapture();
        if (m_gate->stopped())
            finishTake(state);
    });
}

GateState ShadowWindow::drainCapture() {
    const std::vector<float> block = m_capture.drain();
    m_take.insert(m_take.end(), block.begin(), block.end());
    const GateState state = m_gate->feed(block);
    if (!block.empty())
        m_controls.meterLevel->setValue(std::clamp(int(m_gate->levelDb()) + 60, 0, 60));
    return state;
}

void ShadowWindow::finishTake(GateState how, TakeEnd end) {
    m_tick.stop();
    m_capture.stop();
    m_controls.meterLevel->hide();
    m_controls.cmdRecord->setText(QStringLiteral("录音"));
    // What came in after the gate stopped is not part of the take.
    m_take.resize(std::min(m_take.size(), size_t(m_gate->seconds() * kTakeRate)));
    // Stopped by the key, a take is the learner's choice; ended otherwise, one
    // with nothing said in it is not worth keeping.
    if (end != TakeEnd::Stopped && how == GateState::Waiting)
        m_take.clear();
    if (how == GateState::Muted) {
        showStatus(
            QStringLiteral("没有听到任何声音：麦克风可能被静音或没有接好。请在系统的声音设置里"
                           "检查输入设备，再试一次。"));
        return;
    }
    if (m_take.empty()) {
        showStatus(QStringLiteral("没有录到声音。"));
        return;
    }
    QString error;
    const QString path =
        m_store.save({m_lesson.lessonName, m_lesson.sentence}, m_take, m_takeTime, &error);
    if (path.isEmpty()) {
        showStatus(QStringLiteral("录音无法保存：%1").arg(error));
        return;
    }
    fillPastTakes();
    if (end == TakeEnd::Quitting)
        return showStatus(QStringLiteral("录音已保存，还没有分析。"));
    analyse(path, true);
}

void ShadowWindow::analyse(const QString& takePath, bool isNew) {
    m_analysedPath = takePath;
    m_analysedIsNew = isNew;
    m_analysedLesson = m_lesson;
    m_analysedSeconds = double(m_take.size()) / kTakeRate;
    showStatus(QStringLiteral("正在分析录音……"));
    m_controls.viewTakes->setLanes(modelLane(m_clip, m_modelWords, {}), takeLane(m_take, {}));
    m_analysis.start(m_tool, {QStringLiteral("shadow"), QFile::decodeName(m_lesson.recording),
                              takePath, QStringLiteral("--sentence"), m_lesson.sentence,
                              QStringLiteral("--details")});
}

void ShadowWindow::analysisFinished(int exitCode) {
    base::runGuarded("shadow analysis finished", [&] { readAnalysis(exitCode); });
    deleteIfClosed();
}

void ShadowWindow::readAnalysis(int exitCode) {
    const QByteArray out = m_analysis.readAllStandardOutput();
    const QString err = QString::fromUtf8(m_analysis.readAllStandardError()).trimmed();
    if (exitCode == 3) {
        m_controls.lbScore->setText(QStringLiteral("得分：0"));
        showStatus(
            QStringLiteral("录音里听不出这一句（是别的句子、没有说话或只有杂音）。请再录一次。"));
        return;
    }
    const std::optional<ShadowReport> report = exitCode == 0 ? parseReport(out) : std::nullopt;
    if (!report) {
        showStatus(
            QStringLiteral("分析失败：%1").arg(err.isEmpty() ? QStringLiteral("没有结果") : err));
        return;
    }
    const TakeAnalysis& a = report->analysis;
    if (m_lesson.recording == m_analysedLesson.recording &&
        m_lesson.sentence == m_analysedLesson.sentence)
        showReport(*report);
    else
        showStatus(QStringLiteral("上一句的跟读得分：%1").arg(a.score));
    if (m_analysedIsNew && m_recordAttempt)
        m_recordAttempt({m_analysedLesson, m_takeTime, a.score, a.said(), int(a.words.size()),
                         a.missedWords(), m_analysedSeconds});
}

void ShadowWindow::showReport(const ShadowReport& report) {
    if (!report.model.empty())
        m_modelWords = report.model;
    const TakeAnalysis& a = report.analysis;
    m_controls.viewTakes->setLanes(modelLane(m_clip, m_modelWords, a), takeLane(m_take, a));
    m_controls.lbScore->setText(QStringLiteral("得分：%1").arg(a.score));
    const QStringList missed = a.missedWords();
    QString status = missed.isEmpty() ? QStringLiteral("%1 个词都读出来了。").arg(a.words.size())
                                      : QStringLiteral("读出 %1/%2 个词；没读出或不清楚：%3")
                                            .arg(a.said())
                                            .arg(a.words.size())
                                            .arg(missed.join(QStringLiteral("  ")));
    if (const QString timing = timingSummary(m_controls.viewTakes->takeLane()); !timing.isEmpty())
        status += QLatin1Char('\n') + timing;
    showStatus(status);
}

void ShadowWindow::fillPastTakes() {
    m_controls.cboTakes->clear();
    const QStringList takes = m_store.takesOf({m_lesson.lessonName, m_lesson.sentence});
    for (const QString& path : takes)
        m_controls.cboTakes->addItem(takeTime(path).toString(QStringLiteral("M月d日 HH:mm:ss")),
                                     path);
    if (takes.isEmpty())
        m_controls.cboTakes->addItem(QStringLiteral("（还没有录音）"));
}

void ShadowWindow::openPastTake(int row) {
    const QString path = m_controls.cboTakes->itemData(row).toString();
    if (path.isEmpty() || isRecording() || isAnalysing())
        return;
    int rate = 0;
    QString error;
    std::vector<float> take = readSoundFile(path, &rate, &error);
    m_take = toSpeechRate(std::move(take), rate);
    if (m_take.empty())
        return showStatus(QStringLiteral("无法打开这次录音：%1").arg(error));
    m_takeTime = takeTime(path);
    analyse(path, false);
}

void ShadowWindow::play(bool model, bool take) {
    m_player.stop();
    QString error;
    const Lane& modelSide = m_controls.viewTakes->modelLane();
    bool ok = !model || m_player.queue(spanOf(modelSide), &error);
    if (ok && model && take) {
        const std::vector<float> gap(size_t(kGapBetween * kTakeRate), 0.0f);
        ok = m_player.queue(gap, &error);
    }
    ok = ok && (!take || m_player.queue(m_take, &error));
    if (!ok)
        showStatus(error);
}

void ShadowWindow::playModel() {
    play(true, false);
}

void ShadowWindow::playTake() {
    play(false, true);
}

void ShadowWindow::playBoth() {
    play(true, true);
}

} // namespace hearvex::shadow
