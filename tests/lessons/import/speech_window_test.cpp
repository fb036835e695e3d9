// The window over streamed speech: what it holds after appends and drops,
// and the spans it hands out.
#include "speech_stream.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace hearvex::lessons;

namespace {

// Samples numbered from `first`, so a span says where it came from.
std::vector<qint16> numbered(qint16 first, int count) {
    std::vector<qint16> samples(static_cast<size_t>(count));
    std::iota(samples.begin(), samples.end(), first);
    return samples;
}

} // namespace

TEST(SpeechWindow, KeepsWhatIsStillNeededAndHandsOutSpansOfIt) {
    SpeechWindow window;
    window.append(numbered(0, 10000));
    window.append(numbered(10000, 10000));
    EXPECT_EQ(window.firstSample(), 0);
    EXPECT_EQ(window.endSample(), 20000);

    window.dropBefore(500); // under a second: kept for now
    EXPECT_EQ(window.firstSample(), 0);
    window.dropBefore(17000);
    EXPECT_EQ(window.firstSample(), 17000);
    EXPECT_EQ(window.endSample(), 20000);
    window.dropBefore(99999); // never past what was appended
    EXPECT_EQ(window.firstSample(), 20000);
    window.append(numbered(20000, 100));

    const struct {
        qint64 from, to;
        qint64 first; // the first sample handed out, -1: none
        size_t count;
    } cases[] = {
        {20010, 20020, 20010, 10}, {19000, 20005, 20000, 5}, {20090, 30000, 20090, 10},
        {20050, 20040, -1, 0},     {30000, 40000, -1, 0},    {0, 10, -1, 0},
    };
    for (const auto& c : cases) {
        const std::span<const qint16> span = window.span(c.from, c.to);
        EXPECT_EQ(span.size(), c.count) << c.from << ".." << c.to;
        if (c.first >= 0 && !span.empty()) {
            EXPECT_EQ(span.front(), qint16(c.first)) << c.from << ".." << c.to;
        }
    }
}
