#include "shadow_window.h"

#include "colors.h"
#include "fonts.h"
#include "speech_audio.h"
#include "tool_window_artwork.h"
#include "tool_window_label.h"
#include "word_times.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QSettings>
#include <QShowEvent>

namespace hearvex::shadow {

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 480;
constexpr int kTitleHeight = 26;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& tip, QRect place) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    button->setFont(controls::interfaceFont(13));
    button->setToolTip(tip);
    return button;
}

const QString kListenFirstKey = QStringLiteral("shadow/listenFirst");

} // namespace

ShadowWindow::ShadowWindow(QWidget* owner, QString tool, TakeStore store)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , m_tool(std::move(tool))
    , m_store(std::move(store)) {
    setObjectName(QStringLiteral("ShadowWindow"));
    setWindowTitle(QStringLiteral("跟读"));
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("closesOnEscape", true); // Esc is the window's own, not the player's
    setFixedSize(kWidth, kHeight);
    buildControls();
    buildButtons();
    m_tick.setInterval(30);
    connect(&m_tick, &QTimer::timeout, this, &ShadowWindow::captureTick);
    connect(&m_analysis, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus) { analysisFinished(exitCode); });
    connect(&m_analysis, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        showStatus(QStringLiteral("无法启动分析程序 %1").arg(m_tool));
        deleteIfClosed();
    });
}

ShadowWindow::~ShadowWindow() {
    endForQuit(); // the main window going takes this one with it: its take is kept all the same
}

void ShadowWindow::buildControls() {
    m_controls.Image1 = new controls::PictureButton(this);
    m_controls.Image1->setObjectName(QStringLiteral("Image1"));
    m_controls.Image1->setGeometry(kWidth - 18, 0, 13, 13);
    m_controls.Image1->setPicture(controls::artwork::closePicture(m_controls.Image1->width()));
    m_controls.Image1->setToolTip(QStringLiteral("关闭（Esc）"));
    m_controls.Image1->setAccessibleName(QStringLiteral("关闭"));
    m_controls.Image1->setClickHandler([this] { close(); });

    m_controls.lbSentence =
        controls::toolWindowLabel(this, "lbSentence", QRect(10, 32, kWidth - 20, 22), 15);
    m_controls.lbSentence->setFont(controls::timesNewRoman(17));
    m_controls.viewTakes = new TakeView(this);
    m_controls.viewTakes->setObjectName(QStringLiteral("viewTakes"));
    m_controls.viewTakes->setAccessibleName(QStringLiteral("原声和跟读的波形、音高和单词"));
    m_controls.viewTakes->setGeometry(10, 58, kWidth - 20, 300);

    m_controls.meterLevel = new QProgressBar(this);
    m_controls.meterLevel->setObjectName(QStringLiteral("meterLevel"));
    m_controls.meterLevel->setGeometry(10, 364, 200, 16);
    m_controls.meterLevel->setRange(0, 60); // -60 dBFS .. 0
    m_controls.meterLevel->setTextVisible(false);
    m_controls.meterLevel->setAccessibleName(QStringLiteral("录音音量"));
    m_controls.meterLevel->hide();
    // Three lines: what was missed, and the timing marks.
    m_controls.lbStatus =
        controls::toolWindowLabel(this, "lbStatus", QRect(220, 362, kWidth - 230, 50), 12);
    m_controls.lbStatus->setWordWrap(true);
    m_controls.lbStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_controls.lbScore = controls::toolWindowLabel(this, "lbScore", QRect(10, 384, 200, 24), 16);
    m_controls.lbScore->setAccessibleName(QStringLiteral("得分"));
}

void ShadowWindow::buildButtons() {
    m_controls.cmdRecord =
        makeButton(this, "cmdRecord", QStringLiteral("录音"),
                   QStringLiteral("录音：跟读这一句，再按一下停止（R）"), QRect(10, 414, 80, 28));
    m_controls.cmdPlayModel =
        makeButton(this, "cmdPlayModel", QStringLiteral("听原声"),
                   QStringLiteral("播放原声的这一句（1）"), QRect(96, 414, 80, 28));
    m_controls.cmdPlayTake =
        makeButton(this, "cmdPlayTake", QStringLiteral("听跟读"),
                   QStringLiteral("播放你的录音（2）"), QRect(182, 414, 80, 28));
    m_controls.cmdPlayBoth =
        makeButton(this, "cmdPlayBoth", QStringLiteral("轮流听"),
                   QStringLiteral("先播放原声，再播放你的录音（3）"), QRect(268, 414, 80, 28));
    m_controls.cboTakes = new QComboBox(this);
    m_controls.cboTakes->setObjectName(QStringLiteral("cboTakes"));
    m_controls.cboTakes->setGeometry(360, 414, 200, 28);
    m_controls.cboTakes->setFont(controls::interfaceFont(12));
    m_controls.cboTakes->setToolTip(QStringLiteral("打开这一句以前的录音（O）"));
    m_controls.cboTakes->setAccessibleName(QStringLiteral("以前的录音"));
    m_controls.chkListenFirst = new QCheckBox(QStringLiteral("先听原句再录音"), this);
    m_controls.chkListenFirst->setObjectName(QStringLiteral("chkListenFirst"));
    m_controls.chkListenFirst->setGeometry(570, 414, 140, 28);
    m_controls.chkListenFirst->setFont(controls::interfaceFont(12));
    m_controls.chkListenFirst->setToolTip(
        QStringLiteral("开：按录音键后先播放原句，播完再开始录音；关：立即开始录音"));
    m_controls.chkListenFirst->setChecked(QSettings().value(kListenFirstKey, false).toBool());
    connect(m_controls.chkListenFirst, &QCheckBox::toggled, this,
            [](bool on) { QSettings().setValue(kListenFirstKey, on); });
    connect(m_controls.cmdRecord, &QPushButton::clicked, this, &ShadowWindow::toggleRecording);
    connect(m_controls.cmdPlayModel, &QPushButton::clicked, this, &ShadowWindow::playModel);
    connect(m_controls.cmdPlayTake, &QPushButton::clicked, this, &ShadowWindow::playTake);
    connect(m_controls.cmdPlayBoth, &QPushButton::clicked, this, &ShadowWindow::playBoth);
    connect(m_controls.cboTakes, &QComboBox::activated, this, &ShadowWindow::openPastTake);
    auto* help = controls::toolWindowLabel(this, "lbKeys", QRect(10, 450, kWidth - 20, 22), 12);
    help->setText(QStringLiteral("R 录音/停止　1 听原声　2 听跟读　3 轮流听　O 以前的录音　Esc "
                                 "关闭　　录音在停顿1.5秒后自动停止"));
}

void ShadowWindow::setLesson(const ShadowLesson& lesson) {
    if (isRecording())
        toggleRecording();
    m_lesson = lesson;
    m_controls.lbSentence->setText(lesson.sentence);
    m_take.clear();
    m_controls.lbScore->clear();
    loadModel();
    fillPastTakes();
}

void ShadowWindow::loadModel() {
    const lessons::WordTimesFile sidecar =
        lessons::readWordTimes(lessons::wordTimesFileName(m_lesson.recording));
    m_modelWords =
        sidecar.status == lessons::WordTimesStatus::Read ? sidecar.words : lessons::WordTimes{};
    int rate = 0;
    QString error;
    // Read first: the rate is known only once the file has been read.
    std::vector<float> clip = readSoundFile(QFile::decodeName(m_lesson.recording), &rate, &error);
    m_clip = toSpeechRate(std::move(clip), rate);
    if (m_clip.empty())
        showStatus(QStringLiteral("无法显示原声的波形（%1）").arg(error));
    m_controls.viewTakes->setLanes(modelLane(m_clip, m_modelWords, {}), takeLane({}, {}));
}

void ShadowWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), controls::kBackColor);
    if (m_title.isNull())
        m_title = controls::artwork::toolWindowTitle(
            width(), kTitleHeight, 12, QStringLiteral("Shadowing"), QStringLiteral("跟读"));
    p.drawPixmap(0, 0, m_title);
}

void ShadowWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_R:
        toggleRecording();
        return;
    case Qt::Key_1:
        playModel();
        return;
    case Qt::Key_2:
        playTake();
        return;
    case Qt::Key_3:
        playBoth();
        return;
    case Qt::Key_O:
        m_controls.cboTakes->setFocus();
        m_controls.cboTakes->showPopup();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ShadowWindow::closeEvent(QCloseEvent* event) {
    m_player.stop();
    if (m_waitingForModel)
        toggleRecording(); // nothing recorded yet
    if (m_capture.recording())
        finishTake(drainCapture(), TakeEnd::Closing);
    // Its attempt still goes into the record: deleted once the analysis is in.
    if (isAnalysing() && testAttribute(Qt::WA_DeleteOnClose)) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        m_deleteWhenAnalysed = true;
    }
    event->accept();
}

void ShadowWindow::showEvent(QShowEvent* event) {
    if (m_deleteWhenAnalysed) { // opened again before its analysis was in
        m_deleteWhenAnalysed = false;
        setAttribute(Qt::WA_DeleteOnClose, true);
    }
    QWidget::showEvent(event);
}

void ShadowWindow::deleteIfClosed() {
    if (m_deleteWhenAnalysed && !isVisible())
        deleteLater();
}

void ShadowWindow::endForQuit() {
    m_player.stop();
    m_waitingForModel = false;
    if (m_capture.recording())
        finishTake(drainCapture(), TakeEnd::Quitting);
    m_tick.stop();
    m_analysis.disconnect(this);
    m_analysis.kill();
    m_analysis.waitForFinished(1000);
}

void ShadowWindow::showStatus(const QString& text) {
    m_controls.lbStatus->setText(text);
}

// Out of line: inlined into a caller, GCC 12 takes std::function's swap for a
// null dereference.
void ShadowWindow::setAttemptRecorder(std::function<void(const ShadowAttempt&)> record) {
    m_recordAttempt = std::move(record);
}

} // namespace hearvex::shadow
