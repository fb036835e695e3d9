// The player on the real engine, through the dummy sound driver: open a
// recording the test writes, watch it play, seek, pause, resume and end.
#include "form1.h"
#include "real_form.h"
#include "support/wait_for.h"
#include "tone_file.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

int secondsOf(const QString& timeText) {
    const auto parts = timeText.split(QLatin1Char(':'));
    return parts.size() == 2 ? parts[0].toInt() * 60 + parts[1].toInt() : -1;
}

} // namespace

TEST(PlayerOnTheRealEngine, OpensPlaysSeeksPausesResumesAndEnds) {
    QTemporaryDir dir;
    // Lesson recordings carry a .txt name: the engine finds the format by content.
    const QString path = dir.filePath("lesson.txt");
    ASSERT_TRUE(hearvex::testing::writeTone(path, {.seconds = 20}));

    auto engine = hearvex::makeVbmp3Engine();
    {
        hearvex::Form1 form(*engine);
        std::vector<QString> messages;
        hearvex::testing::loadAndOpen(form, path, messages);
        ASSERT_TRUE(messages.empty()) << messages.front().toStdString();
        EXPECT_EQ(form.controls().lbTrackName->caption(), QStringLiteral("lesson.txt"));
        EXPECT_EQ(form.controls().lbTotalSec->caption(), QStringLiteral("00:20"));
        EXPECT_EQ(form.controls().scSeek->max(), 20);
        EXPECT_EQ(form.controls().scSeek->largeChange(), 2);
        EXPECT_TRUE(form.controls().Timer->enabled());

        // The status tick advances the time text and the bar.
        HEARVEX_WAIT_FOR_MS(form.controls().scSeek->value() >= 1, 5000);
        EXPECT_EQ(secondsOf(form.controls().lbPlayTime->caption()),
                  form.controls().scSeek->value());

        // A seek with the bar is reported at once.
        form.controls().scSeek->setValue(12);
        int32_t pos = -1;
        EXPECT_EQ(engine->getState(&pos), 1);
        EXPECT_GE(pos, 12);
        EXPECT_GE(form.controls().scSeek->value(), 12);

        // Pause holds the position; resume goes on from it.
        engine->pause();
        form.player().getState();
        const int held = form.controls().scSeek->value();
        QTest::qWait(1300);
        EXPECT_EQ(engine->getState(&pos), 2);
        EXPECT_EQ(pos, held);
        form.player().playOrResume(); // resumes a paused track
        EXPECT_EQ(engine->getState(&pos), 1);
        HEARVEX_WAIT_FOR_MS(form.controls().scSeek->value() > held, 5000);

        // Near the end, the track stops by itself and the status tick with it.
        form.controls().scSeek->setValue(18);
        HEARVEX_WAIT_FOR_MS(!form.controls().Timer->enabled(), 8000);
        EXPECT_EQ(engine->getState(&pos), 0);
        EXPECT_EQ(form.controls().scSeek->value(), 0);
        EXPECT_TRUE(form.controls().TimeView->enabled());
    }
    engine->stop();
    engine->stopCallback();
    engine->free();
}

TEST(PlayerOnTheRealEngine, ARefusedRecordingReportsTheEnginesErrorNumber) {
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("These are words, not sound.\n");
    f.close();

    auto engine = hearvex::makeVbmp3Engine();
    hearvex::Form1 form(*engine);
    std::vector<QString> messages;
    form.player().setMessageHandler([&](const QString& m) { messages.push_back(m); });
    form.load();
    form.player().openTrack(path);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("ErrNo : ")));
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(" Open Error")));
    EXPECT_NE(messages[0], QStringLiteral("ErrNo : 0 Open Error"));
    engine->free();
}
