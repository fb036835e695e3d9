#include "engine.h"

#include "tag_text.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>

namespace vbmp3 {
namespace {

// Sound decoded ahead of what is heard. Only blocks of the current
// generation count: after a seek the stale ones still sit in the ring until
// the next callback drops them, and the new position must not wait for that.
constexpr double kAheadSeconds = 1.0;
constexpr std::size_t kMinAheadBlocks = 8;
constexpr std::size_t kMaxAheadBlocks = 120;
constexpr std::int64_t kMaxFrame = (std::int64_t{1} << 40) - 1;
// How long the sound from before a seek may go on while the new position is
// not decoded yet: far longer than a seek inside the part read takes, short
// enough that a seek far ahead (the decoder scanning to it) is not heard late.
constexpr std::int32_t kBridgeDivisor = 4; // a quarter of a second

// Frames first..first+n of a callback, scaled by the volume gliding over it.
void copyWithGain(const float* in, float* out, int first, int n, const Glide& glide) {
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<float>(first + i + 1);
        out[2 * i] = in[2 * i] * (glide.left + glide.stepLeft * k);
        out[2 * i + 1] = in[2 * i + 1] * (glide.right + glide.stepRight * k);
    }
}

std::int64_t steadyNowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int32_t toWave(float sample) {
    const float scaled = std::round(sample * 100.0f);
    return static_cast<std::int32_t>(std::clamp(scaled, -100.0f, 100.0f));
}

} // namespace

std::uint64_t Engine::packPosition(std::uint32_t generation, std::int64_t frame) {
    const auto clamped = static_cast<std::uint64_t>(std::clamp<std::int64_t>(frame, 0, kMaxFrame));
    return std::uint64_t{generation & kGenerationMask} << kFrameBits | clamped;
}

std::int64_t Engine::frameOf(std::uint64_t packed) {
    return static_cast<std::int64_t>(packed & static_cast<std::uint64_t>(kMaxFrame));
}

std::uint32_t Engine::generationOf(std::uint64_t packed) {
    return static_cast<std::uint32_t>(packed >> kFrameBits);
}

Engine::Engine()
    : m_sdl(&Engine::renderThunk, this)
    , m_fakeDevice(&Engine::renderThunk, this, true)
    , m_null(&Engine::renderThunk, this)
    , m_thread([this] { decodeLoop(); }) {}

Engine::~Engine() {
    Commands quit;
    quit.quit = true;
    post(std::move(quit));
    m_thread.join();
}

// ---- caller's side ---------------------------------------------------------

void Engine::post(Commands&& commands) {
    {
        std::lock_guard lock(m_commandMutex);
        if (commands.trackChange) {
            // A new track makes any positioning for the old one meaningless.
            m_pending.trackChange = true;
            m_pending.track = std::move(commands.track);
            m_pending.position = false;
        }
        if (commands.position) {
            m_pending.position = true;
            m_pending.decode = commands.decode;
            m_pending.generation = commands.generation;
            m_pending.frame = commands.frame;
            m_pending.speedPercent = commands.speedPercent;
        }
        if (commands.closeOutput) {
            m_pending.closeOutput = true;
            ++m_closeRequests;
        }
        m_pending.quit = m_pending.quit || commands.quit;
        m_hasPending.store(true, std::memory_order_relaxed);
    }
    m_commandReady.notify_one();
}

std::uint32_t Engine::beginGeneration(std::int64_t frame, bool bridged) {
    const std::uint32_t generation =
        (m_generation.load(std::memory_order_relaxed) + 1) & kGenerationMask;
    // Before the generation: a callback that sees it also sees whether it bridges.
    m_bridgeInto.store(bridged ? generation : kNoGeneration, std::memory_order_relaxed);
    m_generation.store(generation, std::memory_order_release);
    m_position.store(packPosition(generation, frame), std::memory_order_release);
    return generation;
}

// The callback marks the generation whose last block it handed out; the end
// of the track becomes the stopped state here, on the caller's side.
void Engine::noticeEnd() {
    if (m_state == State::Playing && m_endedGeneration.load(std::memory_order_acquire) ==
                                         m_generation.load(std::memory_order_relaxed)) {
        m_running.store(false, std::memory_order_release);
        m_state = State::Stopped;
        beginGeneration(0);
    }
}

bool Engine::playingNow() {
    noticeEnd();
    return m_hasTrack && m_state == State::Playing;
}

std::int32_t Engine::open(const char* path, Vbmp3TrackInfo* info) {
    std::int32_t error = VBMP3_ERR_BAD_ARGUMENT;
    std::unique_ptr<Track> track;
    if (path && info)
        track = Track::open(path, error);

    // Whatever happens, the old track is gone and nothing plays.
    m_running.store(false, std::memory_order_release);
    m_state = State::Stopped;
    Commands change;
    change.trackChange = true;
    change.position = true;
    change.decode = false;
    change.generation = beginGeneration(0);
    if (!track) {
        m_hasTrack = false;
        post(std::move(change));
        return error;
    }

    const TrackFacts& facts = track->facts();
    m_hasTrack = true;
    m_sampleRate = facts.sampleRate;
    m_frameCount = facts.frameCount;
    m_bridgeLimitFrames.store(facts.sampleRate / kBridgeDivisor, std::memory_order_relaxed);
    std::memset(info, 0, sizeof *info);
    fillTextField(info->trackName, sizeof info->trackName, facts.title);
    fillTextField(info->secondName, sizeof info->secondName, facts.artist);
    info->channels = facts.channels;
    info->sampleRate = facts.sampleRate;
    info->bitRate = facts.bitRateKbps;
    info->totalSec = static_cast<std::int32_t>(
        std::min<std::int64_t>(facts.frameCount / facts.sampleRate, INT32_MAX));

    // The new track tries the outputs afresh: an earlier failure must not
    // refuse a play that comes before the decoding thread has tried.
    m_outputFailed.store(false, std::memory_order_release);
    change.track = std::move(track);
    post(std::move(change));
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::play() {
    if (!m_hasTrack)
        return VBMP3_ERR_NO_TRACK;
    if (m_outputFailed.load(std::memory_order_acquire))
        return VBMP3_ERR_NO_OUTPUT;
    Commands start;
    start.position = true;
    start.decode = true;
    start.frame = 0;
    start.speedPercent = m_speedPercent;
    start.generation = beginGeneration(0);
    m_state = State::Playing;
    m_running.store(true, std::memory_order_release);
    post(std::move(start));
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::stop() {
    m_running.store(false, std::memory_order_release);
    m_state = State::Stopped;
    Commands halt;
    halt.position = true;
    halt.decode = false;
    halt.generation = beginGeneration(0);
    post(std::move(halt));
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::pause() {
    if (!m_hasTrack)
        return VBMP3_ERR_NO_TRACK;
    noticeEnd();
    if (m_state == State::Paused)
        return VBMP3_ERR_NONE;
    if (m_state != State::Playing)
        return VBMP3_ERR_WRONG_STATE;
    // Whatever was sought before the pause starts afresh on the restart.
    m_bridgeInto.store(kNoGeneration, std::memory_order_relaxed);
    m_running.store(false, std::memory_order_release);
    m_state = State::Paused;
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::restart() {
    if (!m_hasTrack)
        return VBMP3_ERR_NO_TRACK;
    noticeEnd();
    if (m_state == State::Playing)
        return VBMP3_ERR_NONE;
    if (m_state != State::Paused)
        return VBMP3_ERR_WRONG_STATE;
    m_state = State::Playing;
    m_running.store(true, std::memory_order_release);
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::seek(std::int32_t sec) {
    if (!m_hasTrack)
        return VBMP3_ERR_NO_TRACK;
    noticeEnd();
    if (m_state == State::Stopped)
        return VBMP3_ERR_WRONG_STATE;
    const std::int64_t frame = std::int64_t{std::max(sec, 0)} * m_sampleRate;
    if (frame >= m_frameCount)
        return stop();
    Commands start;
    start.position = true;
    start.decode = true;
    start.frame = frame;
    start.speedPercent = m_speedPercent;
    // While paused nothing from the old place may be heard after the restart.
    start.generation = beginGeneration(frame, m_state == State::Playing);
    post(std::move(start));
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::setSpeed(std::int32_t percent) {
    if (percent < 50 || percent > 200)
        return VBMP3_ERR_BAD_ARGUMENT;
    if (percent == m_speedPercent)
        return VBMP3_ERR_NONE;
    m_speedPercent = percent;
    noticeEnd();
    if (!m_hasTrack || m_state == State::Stopped)
        return VBMP3_ERR_NONE; // the next play starts at this speed
    // The sound decoded ahead is at the old speed: refill from the frame
    // heard now, so the change is heard at once and the track goes on from
    // where it was.
    const std::int64_t frame = frameOf(m_position.load(std::memory_order_acquire));
    Commands change;
    change.position = true;
    change.decode = true;
    change.frame = frame;
    change.speedPercent = percent;
    change.generation = beginGeneration(frame);
    post(std::move(change));
    return VBMP3_ERR_NONE;
}

std::int32_t Engine::stopCallback() {
    stop();
    Commands close;
    close.closeOutput = true;
    post(std::move(close));
    // Shutting the device takes at most a callback period or so; the caller
    // is about to exit and relies on no callback running afterwards.
    std::unique_lock lock(m_commandMutex);
    const std::uint64_t wanted = m_closeRequests;
    m_outputClosed.wait_for(lock, std::chrono::seconds(5), [&] { return m_closesDone >= wanted; });
    return m_closesDone >= wanted ? VBMP3_ERR_NONE : VBMP3_ERR_TIMEOUT;
}

std::int32_t Engine::state(std::int32_t& positionSec) {
    noticeEnd();
    positionSec = 0;
    if (!m_hasTrack || m_state == State::Stopped)
        return VBMP3_STOPPED;
    const std::int64_t frame = frameOf(m_position.load(std::memory_order_acquire));
    positionSec =
        static_cast<std::int32_t>(std::min<std::int64_t>(frame / m_sampleRate, INT32_MAX));
    return m_state == State::Playing ? VBMP3_PLAYING : VBMP3_PAUSED;
}

bool Engine::wave(std::int32_t* left, std::int32_t* right) {
    constexpr std::size_t kFrames = 256;
    std::array<float, kFrames> l{};
    std::array<float, kFrames> r{};
    const bool playing = playingNow() && m_tap.readLatest(l.data(), r.data(), kFrames);
    if (!playing) {
        l.fill(0.0f);
        r.fill(0.0f);
    }
    for (std::size_t i = 0; i < kFrames; ++i) {
        left[i] = toWave(l[i]);
        right[i] = toWave(r[i]);
    }
    return playing;
}

bool Engine::spectrum(std::int32_t* left, std::int32_t* right) {
    std::array<float, Spectrum::kFftFrames> l{};
    std::array<float, Spectrum::kFftFrames> r{};
    if (!playingNow() || !m_tap.readLatest(l.data(), r.data(), l.size())) {
        std::fill_n(left, Spectrum::kBins, 0);
        std::fill_n(right, Spectrum::kBins, 0);
        return false;
    }
    m_spectrum.levels(l.data(), left);
    m_spectrum.levels(r.data(), right);
    return true;
}

void Engine::setVolume(std::int32_t left, std::int32_t right) {
    m_volumeLeft.store(std::clamp(left, 0, 100), std::memory_order_relaxed);
    m_volumeRight.store(std::clamp(right, 0, 100), std::memory_order_relaxed);
}

void Engine::volume(std::int32_t& left, std::int32_t& right) const {
    left = m_volumeLeft.load(std::memory_order_relaxed);
    right = m_volumeRight.load(std::memory_order_relaxed);
}

OutputCounters Engine::counters() const {
    OutputCounters c;
    c.framesOut = m_framesOut.load(std::memory_order_relaxed);
    c.underruns = m_underruns.load(std::memory_order_relaxed);
    c.generation = m_generation.load(std::memory_order_acquire);
    c.heardGeneration = m_heardGeneration.load(std::memory_order_acquire);
    c.heardAtNs = m_heardAtNs.load(std::memory_order_relaxed);
    c.audioFramesOut = m_audioFramesOut.load(std::memory_order_relaxed);
    const std::uint64_t decoded = m_decoded.load(std::memory_order_acquire);
    const std::uint64_t heard = m_position.load(std::memory_order_acquire);
    if (generationOf(decoded) == generationOf(heard) && generationOf(heard) == c.generation)
        c.aheadFrames = std::max<std::int64_t>(0, frameOf(decoded) - frameOf(heard));
    return c;
}

// ---- decoding thread -------------------------------------------------------

OutputKind Engine::outputKind() const {
    return static_cast<OutputKind>(m_outputKind.load(std::memory_order_acquire));
}

int Engine::pull(float* out, int frameCount) {
    std::lock_guard lock(m_outputMutex);
    if (m_active == &m_null)
        return m_null.pull(out, frameCount);
    if (m_active == &m_fakeDevice)
        return m_fakeDevice.pull(out, frameCount);
    return 0;
}

void Engine::closeOutput() {
    std::lock_guard lock(m_outputMutex);
    if (m_active)
        m_active->close();
    m_active = nullptr;
    m_outputKind.store(static_cast<std::int32_t>(OutputKind::None), std::memory_order_release);
    // The callback is not running: the ring and its reader can start afresh.
    m_ring.reset();
    m_readOffset = 0;
    m_generationStart = 0;
}

bool Engine::ensureOutput(std::int32_t sampleRate, bool tryDevice) {
    if (m_active && m_active->isOpen() && m_active->sampleRate() == sampleRate &&
        (m_active->audible() || !tryDevice))
        return true;
    closeOutput();
    Output* device = m_hooks.fakeDevice.load(std::memory_order_relaxed)
                         ? static_cast<Output*>(&m_fakeDevice)
                         : static_cast<Output*>(&m_sdl);
    Output* chosen = nullptr;
    if (device->open(sampleRate))
        chosen = device;
    else if (m_null.open(sampleRate)) // no sound device: play silently in real time
        chosen = &m_null;
    {
        std::lock_guard lock(m_outputMutex);
        m_active = chosen;
    }
    const OutputKind kind = !chosen             ? OutputKind::None
                            : chosen->audible() ? OutputKind::Device
                                                : OutputKind::Silent;
    m_outputKind.store(static_cast<std::int32_t>(kind), std::memory_order_release);
    m_outputFailed.store(!chosen, std::memory_order_release);
    return chosen != nullptr;
}

// A device that went away while open: the null output takes over at the same
// point, with the ring and the position as they stand, so the track neither
// stops nor moves.
void Engine::watchOutput() {
    if (!m_active || !m_active->lost())
        return;
    const std::int32_t sampleRate = m_active->sampleRate();
    {
        std::lock_guard lock(m_outputMutex);
        m_active->close();
        m_active = m_null.open(sampleRate) ? &m_null : nullptr;
    }
    m_outputKind.store(static_cast<std::int32_t>(m_active ? OutputKind::Silent : OutputKind::None),
                       std::memory_order_release);
    if (!m_active) {
        closeOutput();
        endGeneration();
    }
}

// The current generation can produce no sound (no output at all): it ends
// as a track does, so the caller sees it stop instead of playing forever at 0.
void Engine::endGeneration() {
    if (!m_decoding)
        return;
    m_decoding = false;
    m_endedGeneration.store(m_decodeGeneration, std::memory_order_release);
}

// The ring topped up; a new position's first sound, once there, is said to be
// ready, so a silent output hands it out without waiting for its period.
void Engine::fill(Track& track) {
    fillRing(track);
    if (m_firstBlockDue && m_ring.writeIndex() != m_generationStart) {
        m_firstBlockDue = false;
        if (m_active)
            m_active->soundReady();
    }
}

void Engine::fillRing(Track& track) {
    const bool stretched = m_decodeSpeed != 100;
    while (!m_hasPending.load(std::memory_order_relaxed)) {
        const std::size_t written = m_ring.writeIndex();
        const std::size_t ahead = written - std::max(m_ring.readIndex(), m_generationStart);
        if (ahead >= m_fillTarget)
            return;
        AudioBlock* block = m_ring.writeSlot();
        if (!block)
            return;
        std::int64_t got = 0;
        std::int64_t trackFrames = 0;
        if (m_unreachable) {
        } else if (!stretched) {
            got = trackFrames = track.read(block->samples, AudioBlock::kFrames);
        } else {
            // Track time of stretched sound: the frames out so far at the
            // generation's speed. The stretcher flushes a little more than
            // the track's rest after its last input; that is cut, so the
            // track lasts exactly 100 / speed times as long.
            const std::int64_t rest = track.facts().frameCount - m_generationFrame;
            const std::int64_t outLeft =
                (rest * 100 + m_decodeSpeed - 1) / m_decodeSpeed - m_stretchedOut;
            got = m_stretcher.produce(
                block->samples, std::clamp<std::int64_t>(outLeft, 0, AudioBlock::kFrames), track);
            m_stretchedOut += got;
            const std::int64_t reached = std::min(
                m_generationFrame + m_stretchedOut * m_decodeSpeed / 100, track.facts().frameCount);
            trackFrames = std::max<std::int64_t>(0, reached - m_decodeFrame);
        }
        block->generation = m_decodeGeneration;
        block->startFrame = m_decodeFrame;
        block->frameCount = static_cast<std::int32_t>(got);
        block->trackFrames = static_cast<std::int32_t>(trackFrames);
        block->endOfTrack = got < AudioBlock::kFrames;
        m_decodeFrame += trackFrames;
        m_ring.publish();
        m_decoded.store(packPosition(m_decodeGeneration, m_decodeFrame), std::memory_order_release);
        if (block->endOfTrack) {
            m_finished = true;
            return;
        }
    }
}

void Engine::decodeLoop() {
    std::unique_ptr<Track> track;
    for (;;) {
        Commands commands = takeCommands();
        if (commands.trackChange) {
            track = std::move(commands.track);
            startTrack(track.get());
        }
        if (commands.closeOutput)
            closeOutputOnRequest();
        if (commands.position)
            moveTo(commands, track.get());
        if (commands.quit)
            break;
        watchOutput();
        if (m_decoding && !m_finished && track && m_active)
            fill(*track);
    }
    closeOutput();
    m_sdl.shutdown();
    track.reset();
}

Engine::Commands Engine::takeCommands() {
    std::unique_lock lock(m_commandMutex);
    if (!m_pending.any()) {
        if (m_decoding && !m_finished) {
            // Top up a fifth of the second decoded ahead at a time: it never
            // runs low, even at double speed, and a playing track wakes this
            // thread five times a second, not twenty-five. Commands wake it
            // at once.
            m_commandReady.wait_for(lock, std::chrono::milliseconds(200),
                                    [&] { return m_pending.any(); });
        } else if (m_active) {
            // Idle with an output open: keep watching it.
            m_commandReady.wait_for(lock, std::chrono::milliseconds(100),
                                    [&] { return m_pending.any(); });
        } else {
            m_commandReady.wait(lock, [&] { return m_pending.any(); });
        }
    }
    Commands commands = std::move(m_pending);
    m_pending = Commands{};
    m_hasPending.store(false, std::memory_order_relaxed);
    return commands;
}

void Engine::startTrack(const Track* track) {
    m_decoding = false;
    if (!track)
        return;
    const std::int32_t rate = track->facts().sampleRate;
    m_fillTarget = std::clamp<std::size_t>(
        static_cast<std::size_t>(kAheadSeconds * rate / AudioBlock::kFrames) + 1, kMinAheadBlocks,
        kMaxAheadBlocks);
    // A new track looks for a sound device again, even after a fallback to
    // silent play.
    ensureOutput(rate, true);
}

// The caller waits on m_outputClosed until its request is counted done.
void Engine::closeOutputOnRequest() {
    closeOutput();
    {
        std::lock_guard lock(m_commandMutex);
        ++m_closesDone;
    }
    m_outputClosed.notify_all();
}

void Engine::moveTo(const Commands& commands, Track* track) {
    m_decodeGeneration = commands.generation;
    m_decodeFrame = commands.frame;
    m_decoding = commands.decode && track;
    m_finished = false;
    m_unreachable = false;
    if (m_decoding) {
        if (ensureOutput(track->facts().sampleRate, false)) {
            // A position the decoder cannot reach ends the track (fill()
            // hands out an empty last block) rather than playing the
            // wrong part.
            m_unreachable = !track->seek(commands.frame);
            m_decodeSpeed = commands.speedPercent;
            m_generationFrame = commands.frame;
            m_stretchedOut = 0;
            if (m_decodeSpeed != 100 && !m_unreachable)
                m_stretcher.start(track->facts().sampleRate, track->facts().channels == 1 ? 1 : 2,
                                  m_decodeSpeed);
        } else {
            endGeneration();
        }
    }
    m_generationStart = m_ring.writeIndex();
    m_firstBlockDue = m_decoding;
    m_decoded.store(packPosition(m_decodeGeneration, m_decodeFrame), std::memory_order_release);
}

// ---- output callback -------------------------------------------------------

void Engine::renderThunk(void* self, float* out, int frameCount) {
    static_cast<Engine*>(self)->render(out, frameCount);
}

void Engine::publishPosition(std::uint32_t generation, std::int64_t frame) {
    std::uint64_t current = m_position.load(std::memory_order_relaxed);
    if (generationOf(current) == generation)
        m_position.compare_exchange_strong(current, packPosition(generation, frame),
                                           std::memory_order_release, std::memory_order_relaxed);
}

// After a seek while playing, the sound heard so far goes on until the first
// block of the new position is ready, for at most m_bridgeLimitFrames: a
// decoder a moment late delays the jump by a little instead of leaving a
// silence in what is heard.
bool Engine::bridges(const AudioBlock& block, std::uint32_t generation) {
    if (m_bridgeInto.load(std::memory_order_relaxed) != generation ||
        block.generation != m_heardGeneration.load(std::memory_order_relaxed))
        return false;
    if (m_bridgedGeneration != generation) {
        m_bridgedGeneration = generation;
        m_bridgedFrames = 0;
    }
    if (m_bridgedFrames >= m_bridgeLimitFrames.load(std::memory_order_relaxed))
        return false;
    const AudioBlock* newest = m_ring.newest();
    return newest && newest->generation != generation;
}

int Engine::playBridge(AudioBlock& block, float* out, int written, int frameCount,
                       const Glide& glide) {
    const auto room = static_cast<int>(std::min<std::int64_t>(
        m_bridgeLimitFrames.load(std::memory_order_relaxed) - m_bridgedFrames,
        frameCount - written));
    const int n = std::min(room, block.frameCount - m_readOffset);
    copyWithGain(block.samples + 2 * m_readOffset, out + 2 * written, written, n, glide);
    m_bridgedFrames += n;
    m_readOffset += n;
    m_audioFramesOut.fetch_add(n, std::memory_order_relaxed);
    if (m_readOffset >= block.frameCount) {
        m_ring.release();
        m_readOffset = 0;
    }
    return n;
}

void Engine::render(float* out, int frameCount) {
    // Running first: play() publishes the new generation before setting it,
    // so a callback that sees it running also sees the generation it is for.
    const bool running = m_running.load(std::memory_order_acquire);
    const std::uint32_t generation = m_generation.load(std::memory_order_acquire);
    const float targetLeft =
        static_cast<float>(m_volumeLeft.load(std::memory_order_relaxed)) / 100.0f;
    const float targetRight =
        static_cast<float>(m_volumeRight.load(std::memory_order_relaxed)) / 100.0f;
    // Volume changes glide over one callback instead of clicking.
    Glide glide{m_gainLeft, m_gainRight, (targetLeft - m_gainLeft) / static_cast<float>(frameCount),
                (targetRight - m_gainRight) / static_cast<float>(frameCount)};

    int written = 0;
    bool ended = false;
    while (written < frameCount) {
        AudioBlock* block = m_ring.readSlot();
        if (!block)
            break;
        if (block->generation != generation) {
            if (!running || !bridges(*block, generation)) {
                m_ring.release(); // stale: from before the last play, seek or stop
                m_readOffset = 0;
                continue;
            }
            written += playBridge(*block, out, written, frameCount, glide);
            continue;
        }
        if (!running)
            break;
        if (m_heardGeneration.load(std::memory_order_relaxed) != generation) {
            m_heardAtNs.store(steadyNowNs(), std::memory_order_relaxed);
            m_heardGeneration.store(generation, std::memory_order_release);
            // A fresh start begins at the volume set now, without a glide.
            glide = Glide{targetLeft, targetRight, 0.0f, 0.0f};
        }
        const int n = std::min(frameCount - written, block->frameCount - m_readOffset);
        copyWithGain(block->samples + 2 * m_readOffset, out + 2 * written, written, n, glide);
        m_readOffset += n;
        written += n;
        m_audioFramesOut.fetch_add(n, std::memory_order_relaxed);
        // Track time, also when the block was stretched to more or fewer frames.
        publishPosition(generation, block->startFrame + std::int64_t{m_readOffset} *
                                                            block->trackFrames /
                                                            std::max(block->frameCount, 1));
        if (m_readOffset >= block->frameCount) {
            const bool last = block->endOfTrack;
            m_ring.release();
            m_readOffset = 0;
            if (last) {
                m_endedGeneration.store(generation, std::memory_order_release);
                ended = true;
                break;
            }
        }
    }
    std::fill(out + 2 * written, out + 2 * frameCount, 0.0f);
    m_gainLeft = targetLeft;
    m_gainRight = targetRight;

    if (running && written < frameCount && !ended &&
        m_heardGeneration.load(std::memory_order_relaxed) == generation &&
        m_endedGeneration.load(std::memory_order_relaxed) != generation)
        m_underruns.fetch_add(1, std::memory_order_relaxed);
    m_tap.write(out, static_cast<std::size_t>(frameCount));
    m_framesOut.fetch_add(frameCount, std::memory_order_relaxed);
}

} // namespace vbmp3
