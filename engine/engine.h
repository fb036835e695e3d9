// The engine behind the C interface. Three threads meet here:
//  - the caller's thread runs the public methods (one at a time; vbmp3_api.cpp
//    serialises them) and never waits on decoding or on the device;
//  - the decoding thread carries out commands (new track, play or seek from
//    a frame, halt) and keeps the ring filled; it alone touches the Track
//    and opens, closes and watches the outputs;
//  - the output's thread (SDL's audio thread, or the null output's) runs
//    render(): it takes blocks of the current generation from the ring,
//    applies the volume and feeds the analysis tap.
// Every play, seek and stop starts a new generation; blocks of older ones are
// dropped unheard, except that after a seek while playing the sound heard
// goes on until the new position's first block is ready. Time inside is a signed 64-bit frame
// count.
#pragma once

#include "analysis_tap.h"
#include "block_ring.h"
#include "frequency_levels.h"
#include "null_output.h"
#include "sdl_output.h"
#include "stretcher.h"
#include "track.h"
#include "vbmp3.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace vbmp3 {

// The volume over one callback: from left/right, by step per frame.
struct Glide {
    float left;
    float right;
    float stepLeft;
    float stepRight;
};

struct AudioBlock {
    static constexpr int kFrames = 1024;
    std::uint32_t generation = 0;
    std::int32_t frameCount = 0;
    std::int64_t startFrame = 0;  // track frame of the first frame
    std::int32_t trackFrames = 0; // track frames the block covers
    bool endOfTrack = false;      // the last block of its generation
    float samples[2 * kFrames];   // interleaved stereo
};

// What the output side has done, for tests and benchmarks.
struct OutputCounters {
    std::int64_t framesOut = 0;        // frames handed to the device, silence included
    std::int64_t underruns = 0;        // callbacks short of audio while playing
    std::uint32_t generation = 0;      // the current generation
    std::uint32_t heardGeneration = 0; // the last generation whose audio reached the device
    std::int64_t heardAtNs = 0;        // steady-clock time its first frames did
    std::int64_t aheadFrames = 0;      // track frames decoded ahead of the position heard
    std::int64_t audioFramesOut = 0;   // frames of sound handed to the output (no silence)
};

// What the output is, as vbmp3_getOutputState reports it.
enum class OutputKind : std::int32_t { None = 0, Device = 1, Silent = 2 };

// Test hooks: a stand-in sound device and a clock the test drives.
struct OutputHooks {
    std::atomic<bool> fakeDevice{false}; // a NullOutput counts as the device
};

class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Each returns VBMP3_ERR_NONE or the reason it did nothing.
    // Closes the open track first, also when path or info is null.
    std::int32_t open(const char* path, Vbmp3TrackInfo* info);
    std::int32_t play();
    std::int32_t stop();
    std::int32_t pause();
    std::int32_t restart();
    std::int32_t seek(std::int32_t sec);
    std::int32_t stopCallback();

    std::int32_t state(std::int32_t& positionSec);
    // Fill 256 values each; false (and zeros) unless playing.
    bool wave(std::int32_t* left, std::int32_t* right);
    bool spectrum(std::int32_t* left, std::int32_t* right);

    // Speed in percent of normal, 50..200, pitch kept; positions stay in
    // track time. Heard from the position heard now, within a period or so.
    std::int32_t setSpeed(std::int32_t percent);
    std::int32_t speed() const { return m_speedPercent; }

    void setVolume(std::int32_t left, std::int32_t right);
    void volume(std::int32_t& left, std::int32_t& right) const;

    OutputCounters counters() const;
    OutputKind outputKind() const;

    // Test hooks (vbmp3_probe.h).
    void useFakeDevice(bool on) { m_hooks.fakeDevice.store(on, std::memory_order_relaxed); }
    NullOutput& fakeDevice() { return m_fakeDevice; }
    NullOutput& nullOutput() { return m_null; }
    // Manual clock: pulls frames from whichever output is open; 0 if none.
    int pull(float* out, int frameCount);

private:
    // Room for a second ahead at 96 kHz twice over: the stale blocks of the
    // last generation beside a full second of the new one.
    using Ring = BlockRing<AudioBlock, 256>;
    // Positions are published with the generation they belong to, so that a
    // callback finishing an old block cannot overwrite a fresh seek target.
    static constexpr int kFrameBits = 40;
    static constexpr std::uint32_t kGenerationMask = (1u << (64 - kFrameBits)) - 1;
    static constexpr std::uint32_t kNoGeneration = 0xFFFFFFFFu;
    static std::uint64_t packPosition(std::uint32_t generation, std::int64_t frame);
    static std::int64_t frameOf(std::uint64_t packed);
    static std::uint32_t generationOf(std::uint64_t packed);

    struct Commands {
        bool trackChange = false;
        std::unique_ptr<Track> track; // null: close the track
        bool position = false;
        bool decode = false; // false: halt at the position
        std::uint32_t generation = 0;
        std::int64_t frame = 0;
        std::int32_t speedPercent = 100;
        bool closeOutput = false;
        bool quit = false;
        bool any() const { return trackChange || position || closeOutput || quit; }
    };

    enum class State { Stopped, Playing, Paused };

    // Caller's side.
    // bridged: the sound heard may go on until the new generation's is ready.
    std::uint32_t beginGeneration(std::int64_t frame, bool bridged = false);
    void post(Commands&& commands);
    void noticeEnd();
    bool playingNow();

    // Decoding thread.
    void decodeLoop();
    // Waits for commands, or for the moment to top up the ring or to look
    // at the output again, and takes what is pending.
    Commands takeCommands();
    void startTrack(const Track* track); // null: no track
    void closeOutputOnRequest();
    // A play, seek or halt: the generation and frame decoding goes on from.
    void moveTo(const Commands& commands, Track* track);
    bool ensureOutput(std::int32_t sampleRate, bool tryDevice);
    void closeOutput();
    void watchOutput();
    void endGeneration();
    void fill(Track& track);
    void fillRing(Track& track);

    // SDL's audio thread.
    static void renderThunk(void* self, float* out, int frameCount);
    void render(float* out, int frameCount);
    bool bridges(const AudioBlock& block, std::uint32_t generation);
    // Plays the old sound of block into out from frame written; the frames played.
    int playBridge(AudioBlock& block, float* out, int written, int frameCount, const Glide& glide);
    void publishPosition(std::uint32_t generation, std::int64_t frame);

    // Caller's state.
    bool m_hasTrack = false;
    std::int32_t m_sampleRate = 0;
    std::int64_t m_frameCount = 0;
    State m_state = State::Stopped;
    std::int32_t m_speedPercent = 100;
    Spectrum m_spectrum;

    // Shared with the decoding thread.
    std::mutex m_commandMutex;
    std::condition_variable m_commandReady;
    Commands m_pending;
    std::atomic<bool> m_hasPending{false};
    std::condition_variable m_outputClosed;
    std::uint64_t m_closeRequests = 0;
    std::uint64_t m_closesDone = 0;
    std::atomic<bool> m_outputFailed{false};
    std::atomic<std::int32_t> m_outputKind{0};
    OutputHooks m_hooks;

    // Shared with the output callback.
    std::atomic<std::uint32_t> m_generation{0};
    std::atomic<bool> m_running{false};
    std::atomic<std::uint64_t> m_position{0};
    std::atomic<std::uint32_t> m_endedGeneration{kNoGeneration};
    std::atomic<std::int32_t> m_volumeLeft{100};
    std::atomic<std::int32_t> m_volumeRight{100};
    std::atomic<std::uint32_t> m_heardGeneration{kNoGeneration};
    std::atomic<std::uint32_t> m_bridgeInto{kNoGeneration}; // a seek's generation, while playing
    std::atomic<std::int32_t> m_bridgeLimitFrames{0};
    std::atomic<std::int64_t> m_heardAtNs{0};
    std::atomic<std::int64_t> m_framesOut{0};
    std::atomic<std::int64_t> m_underruns{0};
    std::atomic<std::int64_t> m_audioFramesOut{0};
    std::atomic<std::uint64_t> m_decoded{0}; // packed: generation and frame decoded up to
    Ring m_ring;
    AnalysisTap m_tap;

    // Decoding thread's own.
    std::uint32_t m_decodeGeneration = 0;
    std::int64_t m_decodeFrame = 0;     // track frame the next block starts at
    std::int64_t m_generationFrame = 0; // track frame the generation started at
    std::int64_t m_stretchedOut = 0;    // frames the stretcher gave since then
    std::int32_t m_decodeSpeed = 100;
    Stretcher m_stretcher;
    std::size_t m_generationStart = 0; // the ring's write index when it began
    std::size_t m_fillTarget = 8;      // blocks kept decoded ahead
    bool m_decoding = false;
    bool m_finished = false;
    bool m_unreachable = false; // the last seek failed

    // Output callback's own (also reset by the decoding thread while the
    // device is closed).
    int m_readOffset = 0;
    float m_gainLeft = 1.0f;
    float m_gainRight = 1.0f;
    std::uint32_t m_bridgedGeneration = kNoGeneration;
    std::int64_t m_bridgedFrames = 0; // old sound played since that generation began

    SdlOutput m_sdl;
    NullOutput m_fakeDevice;
    NullOutput m_null;
    Output* m_active = nullptr;   // the open output, if any
    bool m_firstBlockDue = false; // decoding thread: the next block starts a new position
    std::mutex m_outputMutex;     // m_active against a test's manual pull
    std::thread m_thread;         // last: starts after everything above exists
};

} // namespace vbmp3
