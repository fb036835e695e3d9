// The 跟读 window recording through SDL's disk driver, which reads the
// "microphone" from a file of raw samples, as a learner's voice would come in.
#include "shadow_window.h"
#include "support/wait_for.h"
#include "test_signals.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace hearvex::shadow;
using hearvex::testing::makeSignal;
using hearvex::testing::Piece;

class ShadowWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_dir.filePath("played.raw")));
        qputenv("SDL_DISKAUDIODELAY", "32");
        openWindow();
    }
    void TearDown() override { delete m_alive.data(); }

    // The analysis tool is m_tool, which is not there unless a test writes it.
    void openWindow() {
        m_window = new ShadowWindow(nullptr, m_tool, TakeStore(m_dir.filePath("takes")));
        m_alive = m_window;
        m_window->setAttemptRecorder([this](const ShadowAttempt&) { ++m_attempts; });
        m_window->setLesson({"/no/such/lesson.txt", "lesson.txt", "Good morning."});
        m_window->show();
    }

    // An analysis tool answering every take with this report.
    void analysisAnswers(const ShadowReport& report) {
        const QString reportPath = m_dir.filePath("report.tsv");
        QFile out(reportPath);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(formatReport(report, true));
        out.close();
        QFile tool(m_tool);
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\nexec cat '" + QFile::encodeName(reportPath) + "'\n");
        tool.close();
        tool.setPermissions(tool.permissions() | QFile::ExeOwner);
    }

    // What the microphone will hear: float samples, as the capture asks for them.
    void microphoneHears(const std::vector<float>& samples) {
        const QString path = m_dir.filePath("microphone.raw");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(samples.data()),
                   qint64(samples.size() * sizeof(float)));
        file.close();
        qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(path));
    }

    QStringList takes() const {
        return TakeStore(m_dir.filePath("takes")).takesOf({"lesson.txt", "Good morning."});
    }

    QTemporaryDir m_dir;
    QString m_tool = m_dir.filePath("hearvex-lesson");
    ShadowWindow* m_window = nullptr;
    QPointer<ShadowWindow> m_alive; // null once the window has deleted itself
    int m_attempts = 0;
};

// "Good" said slowly, a pause, then "morning." said fast.
ShadowReport timedReport() {
    ShadowReport report;
    report.analysis.words = {{"Good", Verdict::Said, 0.9, 300, 1300, Pace::Slow, false},
                             {"morning.", Verdict::Said, 0.9, 1900, 2100, Pace::Fast, true}};
    report.analysis.thisSentence = true;
    report.analysis.score = 70;
    report.model = {{300, 700, 1, "Good"}, {720, 1200, 1, "morning."}};
    return report;
}

TEST_F(ShadowWindowTest, TheKeyRecordsUntilTheLearnerStopsSpeaking) {
    microphoneHears(makeSignal({{Piece::Silence, 0.3}, {Piece::Voice, 1.5, -15, 160}}));
    QTest::keyClick(m_window, Qt::Key_R);
    ASSERT_TRUE(m_window->isRecording());
    EXPECT_TRUE(m_window->controls().meterLevel->isVisible());
    HEARVEX_WAIT_FOR_MS(!m_window->isRecording(), 15000);
    EXPECT_FALSE(m_window->controls().meterLevel->isVisible());

    const QStringList saved = takes();
    ASSERT_EQ(saved.size(), 1);
    int rate = 0;
    QString error;
    const std::vector<float> take = readSoundFile(saved.front(), &rate, &error);
    // The speech and the 1.5 s of silence that ended it, give or take a block.
    EXPECT_NEAR(double(take.size()) / rate, 0.3 + 1.5 + 1.5, 0.2);
    EXPECT_EQ(m_window->controls().viewTakes->takeLane().samples.size(), take.size());
    EXPECT_EQ(m_window->controls().cboTakes->count(), 1);
    // The analysis cannot run here (no tool): it says so, and nothing is recorded.
    HEARVEX_WAIT_FOR(!m_window->isAnalysing());
    EXPECT_TRUE(m_window->controls().lbStatus->text().contains("分析"));
    EXPECT_EQ(m_attempts, 0);
}

TEST_F(ShadowWindowTest, TheSameKeyStopsTheTake) {
    microphoneHears(makeSignal({{Piece::Voice, 20.0, -15, 160}}));
    m_window->toggleRecording();
    QTest::qWait(800);
    QTest::keyClick(m_window, Qt::Key_R);
    EXPECT_FALSE(m_window->isRecording());
    ASSERT_EQ(takes().size(), 1);
    EXPECT_EQ(m_window->controls().cmdRecord->text(), "录音");
}

TEST_F(ShadowWindowTest, AMutedMicrophoneIsToldAndKeepsNothing) {
    microphoneHears(std::vector<float>(16000 * 4, 0.0f));
    m_window->toggleRecording();
    HEARVEX_WAIT_FOR_MS(!m_window->isRecording(), 10000);
    EXPECT_TRUE(m_window->controls().lbStatus->text().contains("麦克风"))
        << m_window->controls().lbStatus->text().toStdString();
    EXPECT_TRUE(takes().isEmpty());
}

TEST_F(ShadowWindowTest, PaceAndPausesAreToldInWordsAsWellAsColour) {
    analysisAnswers(timedReport());
    microphoneHears(makeSignal({{Piece::Voice, 20.0, -15, 160}}));
    m_window->toggleRecording();
    QTest::qWait(600);
    m_window->toggleRecording();
    HEARVEX_WAIT_FOR(!m_window->isAnalysing());
    ASSERT_EQ(m_window->controls().lbScore->text(), "得分：70");
    // On the status line, and to a screen reader from the drawing itself.
    for (const QString& told : {m_window->controls().lbStatus->text(),
                                m_window->controls().viewTakes->accessibleDescription()}) {
        for (const char* mark : {"慢：Good", "快：morning.", "多停顿：在 morning. 前"})
            EXPECT_TRUE(told.contains(QString::fromUtf8(mark))) << told.toStdString();
    }
}

// A take cut short by the window closing is kept as if stopped by the key and
// its attempt recorded (the window lives on, hidden, until then); one with
// nothing said is dropped. When the program ends the take is kept unanalysed.
TEST_F(ShadowWindowTest, ATakeCutShortIsKeptWhenSomethingWasSaid) {
    struct Case {
        const char* what;
        Piece heard;
        bool quitting;
        int takesKept, attempts;
    };
    const Case cases[] = {
        {"closed while speaking", {Piece::Voice, 20.0, -15, 160}, false, 1, 1},
        {"closed before a word", {Piece::Noise, 20.0, -55}, false, 0, 0},
        {"program ends while speaking", {Piece::Voice, 20.0, -15, 160}, true, 1, 0},
    };
    analysisAnswers(timedReport());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        delete m_alive.data();
        ASSERT_TRUE(QDir(m_dir.filePath("takes")).removeRecursively());
        m_attempts = 0;
        openWindow();
        microphoneHears(makeSignal({{Piece::Silence, 0.3}, c.heard}));
        m_window->toggleRecording();
        QTest::qWait(1300);
        if (c.quitting) {
            m_window->endForQuit();
            EXPECT_FALSE(m_window->isRecording());
            EXPECT_FALSE(m_window->isAnalysing());
        } else {
            QTest::keyClick(m_window, Qt::Key_Escape);
            HEARVEX_WAIT_FOR(m_alive.isNull()); // once its analysis is in
        }
        EXPECT_EQ(takes().size(), c.takesKept);
        EXPECT_EQ(m_attempts, c.attempts);
    }
}

TEST_F(ShadowWindowTest, EscapeClosesTheWindow) {
    QTest::keyClick(m_window, Qt::Key_Escape);
    EXPECT_FALSE(m_window->isVisible());
}

} // namespace

namespace {

TEST(ShadowWindowModel, TheLessonsRecordingIsDrawnAtTheTakesRate) {
    // A lesson recorded at 22.05 kHz, as eSpeak-made and many MP3 lessons are.
    QTemporaryDir dir;
    const std::vector<float> clip = makeSignal({{Piece::Voice, 2.0, -12, 180}}, 22050);
    QString error;
    ASSERT_TRUE(writeFlac(dir.filePath("lesson.txt"), clip, 22050, &error));
    ShadowWindow window(nullptr, dir.filePath("no-such-tool"), TakeStore(dir.filePath("takes")));
    window.setLesson({QFile::encodeName(dir.filePath("lesson.txt")), "lesson.txt", "Hello."});
    EXPECT_NEAR(double(window.controls().viewTakes->modelLane().samples.size()), 2.0 * kTakeRate,
                kTakeRate * 0.01);
}

} // namespace
