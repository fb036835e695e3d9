#include "stretcher.h"

#include "track.h"

#include <algorithm>
#include <rubberband/RubberBandStretcher.h>

namespace vbmp3 {
namespace {

constexpr int kChunk = 1024;

// The finer (R3) engine, as mpv uses it: the clearest speech; formants and
// pitch kept, channels stretched together so a voice stays in its place.
constexpr RubberBand::RubberBandStretcher::Options kOptions =
    RubberBand::RubberBandStretcher::OptionProcessRealTime |
    RubberBand::RubberBandStretcher::OptionEngineFiner |
    RubberBand::RubberBandStretcher::OptionFormantPreserved |
    RubberBand::RubberBandStretcher::OptionPitchHighConsistency |
    RubberBand::RubberBandStretcher::OptionChannelsTogether;

} // namespace

Stretcher::Stretcher()
    : m_interleaved(2 * kChunk) {
    for (int c = 0; c < 2; ++c) {
        m_in[c].assign(kChunk, 0.0f);
        m_out[c].assign(kChunk, 0.0f);
    }
}

Stretcher::~Stretcher() = default;

void Stretcher::start(std::int32_t sampleRate, int channels, std::int32_t speedPercent) {
    channels = channels == 1 ? 1 : 2;
    const double timeRatio = 100.0 / speedPercent;
    if (!m_stretcher || m_sampleRate != sampleRate || m_channels != channels) {
        m_stretcher = std::make_unique<RubberBand::RubberBandStretcher>(
            static_cast<std::size_t>(sampleRate), static_cast<std::size_t>(channels), kOptions,
            timeRatio, 1.0);
        m_stretcher->setMaxProcessSize(kChunk);
        m_sampleRate = sampleRate;
        m_channels = channels;
    } else {
        m_stretcher->reset();
        m_stretcher->setTimeRatio(timeRatio);
    }
    std::fill(m_in[0].begin(), m_in[0].end(), 0.0f);
    std::fill(m_in[1].begin(), m_in[1].end(), 0.0f);
    const float* in[2] = {m_in[0].data(), m_in[1].data()};
    for (auto pad = static_cast<std::int64_t>(m_stretcher->getPreferredStartPad()); pad > 0;
         pad -= kChunk)
        m_stretcher->process(in, static_cast<std::size_t>(std::min<std::int64_t>(pad, kChunk)),
                             false);
    m_toDrop = static_cast<std::int64_t>(m_stretcher->getStartDelay());
    m_inputDone = false;
}

void Stretcher::feed(Track& track) {
    const std::int64_t got = track.read(m_interleaved.data(), kChunk);
    for (std::int64_t i = 0; i < got; ++i) {
        m_in[0][static_cast<std::size_t>(i)] = m_interleaved[static_cast<std::size_t>(2 * i)];
        m_in[1][static_cast<std::size_t>(i)] = m_interleaved[static_cast<std::size_t>(2 * i + 1)];
    }
    m_inputDone = got < kChunk;
    const float* in[2] = {m_in[0].data(), m_in[1].data()};
    m_stretcher->process(in, static_cast<std::size_t>(got), m_inputDone);
}

std::int64_t Stretcher::produce(float* stereo, std::int64_t frameCount, Track& track) {
    std::int64_t done = 0;
    int idle = 0; // rounds without output after the last input
    while (done < frameCount) {
        const int available = m_stretcher->available();
        if (available < 0)
            break; // everything is out
        if (available == 0) {
            if (m_inputDone && ++idle > 8)
                break;
            if (!m_inputDone)
                feed(track);
            else
                feed(track); // reads nothing more: tells it again that input ended
            continue;
        }
        float* out[2] = {m_out[0].data(), m_out[1].data()};
        const auto want = static_cast<std::size_t>(
            std::min<std::int64_t>({available, frameCount - done, kChunk}));
        const auto got = static_cast<std::int64_t>(m_stretcher->retrieve(out, want));
        const std::int64_t skip = std::min(m_toDrop, got);
        m_toDrop -= skip;
        const std::vector<float>& right = m_out[m_channels == 1 ? 0 : 1];
        for (std::int64_t i = skip; i < got; ++i, ++done) {
            stereo[2 * done] = m_out[0][static_cast<std::size_t>(i)];
            stereo[2 * done + 1] = right[static_cast<std::size_t>(i)];
        }
    }
    return done;
}

} // namespace vbmp3
