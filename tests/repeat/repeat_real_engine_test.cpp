// A-B repeat and the view on the real engine through the dummy sound driver:
// a learner marks a passage with the buttons and hears it loop.
#include "form1.h"
#include "real_form.h"
#include "support/wait_for.h"
#include "tone_file.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr float kToneHz = 430.66f; // the middle of spectrum bin 10 at this rate

} // namespace

TEST(RepeatOnTheRealEngine, AMarkedPassageLoopsBackToAAfterPassingB) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lesson.txt");
    // A quiet mono tone, the way a lesson recording comes: a WAV under a .txt name.
    ASSERT_TRUE(hearvex::testing::writeTone(path, {.seconds = 30,
                                                   .sampleRate = kRate,
                                                   .channels = 1,
                                                   .frequencyHz = kToneHz,
                                                   .amplitude = 0.1f}));

    auto engine = hearvex::makeVbmp3Engine();
    {
        hearvex::Form1 form(*engine);
        std::vector<QString> messages;
        hearvex::testing::loadAndOpen(form, path, messages);
        ASSERT_TRUE(messages.empty()) << messages.front().toStdString();
        ASSERT_EQ(form.controls().scSeek->max(), 30);

        // Every value the position bar takes, in order.
        std::vector<int> shown;
        QObject::connect(form.controls().scSeek, &QScrollBar::valueChanged,
                         [&](int value) { shown.push_back(value); });

        HEARVEX_WAIT_FOR_MS(form.controls().scSeek->value() >= 2, 10000);
        QTest::mouseClick(form.controls().xpcmdbutton1[0], Qt::LeftButton);
        const int a = *form.repeat().repeatStartSec();
        HEARVEX_WAIT_FOR_MS(form.controls().scSeek->value() >= a + 2, 10000);
        QTest::mouseClick(form.controls().xpcmdbutton1[1], Qt::LeftButton);
        const int b = *form.repeat().repeatEndSec();
        EXPECT_EQ(form.controls().Label1[0]->caption(), QStringLiteral("复读起始位置：%1").arg(a));
        EXPECT_EQ(form.controls().Label1[1]->caption(), QStringLiteral("复读结束位置：%1").arg(b));

        shown.clear();
        QTest::mouseClick(form.controls().xpcmdbutton1[2], Qt::LeftButton);
        ASSERT_EQ(form.controls().xpcmdbutton1[2]->caption(), QStringLiteral("停止复读"));
        EXPECT_EQ(form.controls().scSeek->value(), a); // the switch jumps back to A at once

        // Count the returns: the bar leaves B behind and comes back to A.
        const auto returns = [&] {
            int count = 0;
            for (size_t i = 1; i < shown.size(); ++i)
                count += shown[i - 1] > b && shown[i] == a;
            return count;
        };
        HEARVEX_WAIT_FOR_MS(returns() >= 2, 20000);
        int32_t pos = -1;
        EXPECT_EQ(engine->getState(&pos), 1);
        EXPECT_GE(pos, a);
        EXPECT_LE(pos, b + 1);

        // The view drew the tone while it looped: a bar in its bin.
        EXPECT_GT(form.waveView().levels().peakHeights[10], 0);

        // Switched off, playback runs on past B.
        QTest::mouseClick(form.controls().xpcmdbutton1[2], Qt::LeftButton);
        HEARVEX_WAIT_FOR_MS(form.controls().scSeek->value() > b + 1, 10000);

        engine->stop();
        engine->stopCallback();
    }
    engine->free();
}
