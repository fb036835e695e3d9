// The 跟读 window recording through SDL's disk driver, which reads the
// "microphone" from a file of raw samples, as a learner's voice would come in.
#include "shadow_window.h"
#include "support/wait_for.h"
#include "test_signals.h"

#include <QFile>
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
        m_window = new ShadowWindow(nullptr, m_dir.filePath("no-such-tool"),
                                    TakeStore(m_dir.filePath("takes")));
        m_window->setAttemptRecorder([this](const ShadowAttempt&) { ++m_attempts; });
        m_window->setLesson({"/no/such/lesson.txt", "lesson.txt", "Good morning."});
        m_window->show();
    }
    void TearDown() override { delete m_window; }

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
    ShadowWindow* m_window = nullptr;
    int m_attempts = 0;
};

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
