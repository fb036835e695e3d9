// The 跟读 window: the learner records the current sentence (R), the take is
// kept and analysed, and the model's and the take's waveforms, pitch curves
// and words show one above the other with the words missed or unclear marked
// and the score. 1, 2 and 3 play the model, the take, and both in turn; a
// past take of the sentence can be opened again. A tool window of the main
// window; Esc closes it. The analysis runs in the lesson tool (it holds the
// speech model), away from the window's thread. Closing the window never
// loses a take: one being recorded is stopped and kept as if by the key, and
// the window, hidden, lives until the analysis has gone into the record.
#pragma once

#include "picture_button.h"
#include "sample_player.h"
#include "shadow_report.h"
#include "speech_gate.h"
#include "take_store.h"
#include "take_view.h"
#include "voice_capture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

namespace hearvex::shadow {

struct ShadowLesson {
    QByteArray recording; // the lesson's recording, by the bytes of its path
    QString lessonName;   // its file name, as listed
    QString sentence;
};

// An analysed take, for the practice record.
struct ShadowAttempt {
    ShadowLesson lesson;
    QDateTime time;
    int score = 0;
    int wordsSaid = 0;
    int wordsTotal = 0;
    QStringList missedWords; // missed or unclear
    double seconds = 0;      // the take's length
};

// The window's controls, written by ShadowWindow alone.
struct ShadowWindowControls {
    controls::PictureButton* Image1 = nullptr; // close
    QLabel* lbSentence = nullptr;
    TakeView* viewTakes = nullptr;
    QProgressBar* meterLevel = nullptr; // shown while recording
    QLabel* lbStatus = nullptr;
    QLabel* lbScore = nullptr;
    QPushButton* cmdRecord = nullptr;
    QPushButton* cmdPlayModel = nullptr;
    QPushButton* cmdPlayTake = nullptr;
    QPushButton* cmdPlayBoth = nullptr;
    QComboBox* cboTakes = nullptr; // past takes of this sentence, newest first
    QCheckBox* chkListenFirst = nullptr;
};

class ShadowWindow : public QWidget {
    Q_OBJECT
public:
    // A tool window of owner, deleted when closed. tool: hearvex-lesson's path.
    ShadowWindow(QWidget* owner, QString tool, TakeStore store = TakeStore());
    ~ShadowWindow() override;

    void setLesson(const ShadowLesson& lesson);
    // Starts a take (after the model has played when 先听原句 is on), or stops it.
    void toggleRecording();
    void playModel();
    void playTake();
    void playBoth();
    // Opens the past take at row of cboTakes (0: the newest) and analyses it again.
    void openPastTake(int row);

    // Where each analysed new take goes (the practice record).
    void setAttemptRecorder(std::function<void(const ShadowAttempt&)> record);

    // The program is ending at once: a take being recorded is kept on disk
    // unanalysed (no one would be left to record its attempt), nothing plays
    // and no analysis is left running. The window does nothing more after it.
    void endForQuit();

    bool isRecording() const { return m_capture.recording() || m_waitingForModel; }
    bool isAnalysing() const { return m_analysis.state() != QProcess::NotRunning; }
    const ShadowWindowControls& controls() const { return m_controls; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void buildButtons();
    void loadModel();
    void startCapture();
    void captureTick();
    // How a take ends: by the key or the gate, by the window closing (kept
    // only when something was said) or by the program ending (not analysed).
    enum class TakeEnd { Stopped, Closing, Quitting };
    GateState drainCapture();
    void finishTake(GateState how, TakeEnd end = TakeEnd::Stopped);
    void analyse(const QString& takePath, bool isNew);
    void analysisFinished(int exitCode);
    void readAnalysis(int exitCode);
    void deleteIfClosed();
    void showReport(const ShadowReport& report);
    void fillPastTakes();
    void showStatus(const QString& text);
    void play(bool model, bool take);
    double recordingLimit() const;

    ShadowWindowControls m_controls;
    QString m_tool;
    TakeStore m_store;
    ShadowLesson m_lesson;
    std::vector<float> m_clip; // the lesson's recording, 16 kHz
    lessons::WordTimes m_modelWords;
    std::vector<float> m_take;
    std::unique_ptr<SpeechGate> m_gate;
    VoiceCapture m_capture;
    SamplePlayer m_player;
    QTimer m_tick;
    bool m_waitingForModel = false;
    QProcess m_analysis;
    QString m_analysedPath;
    bool m_analysedIsNew = false;
    ShadowLesson m_analysedLesson; // the lesson may change while its take is analysed
    double m_analysedSeconds = 0;
    bool m_deleteWhenAnalysed = false; // closed while analysing
    QDateTime m_takeTime;
    std::function<void(const ShadowAttempt&)> m_recordAttempt;
    QPixmap m_title;
};

} // namespace hearvex::shadow
