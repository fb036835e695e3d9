#include "speech_synthesizer.h"
#include "align_text.h"

#include <espeak-ng/speak_lib.h>

#include <cmath>
#include <cstdint>
#include <mutex>

namespace hearvex::lessons {

namespace {

// Silence around and between the sentences: long enough for the warp to
// match a real pause to it, short enough not to blur where a sentence ends.
constexpr double kGapSeconds = 0.4;
constexpr double kEdgeSeconds = 0.6;
constexpr float kSilentSample = 300.0f / 32768.0f; // eSpeak's fades below this are silence
constexpr int kRateWordsPerMinute = 175;

std::mutex& espeakLock() {
    static std::mutex lock;
    return lock;
}

std::vector<float>* g_collecting = nullptr; // guarded by espeakLock()

int collectSamples(short* samples, int count, espeak_EVENT*) {
    if (samples && g_collecting)
        for (int i = 0; i < count; ++i)
            g_collecting->push_back(samples[i] / 32768.0f);
    return 0;
}

// A faint, fixed noise where eSpeak is silent, so silence has a spectrum and
// every run gives the same features.
class QuietNoise {
public:
    void fill(std::vector<float>& out, size_t count) {
        out.resize(count);
        for (float& s : out) {
            m_state = m_state * 1664525u + 1013904223u;
            s = (static_cast<float>(m_state >> 8) / float(1u << 24) - 0.5f) * 2e-4f;
        }
    }

private:
    uint32_t m_state = 12345;
};

class Session {
public:
    explicit Session(QString* error)
        : m_guard(espeakLock()) {
        // Started once for the life of the process: eSpeak NG's terminate can
        // hang waiting for a thread synchronous output never started.
        static const int rate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        m_sampleRate = rate;
        if (m_sampleRate <= 0) {
            *error = AlignText::tr("cannot start the eSpeak NG speech synthesizer");
            return;
        }
        if (espeak_SetVoiceByName("en-us") != EE_OK && espeak_SetVoiceByName("en") != EE_OK) {
            *error = AlignText::tr("eSpeak NG has no English voice (install espeak-ng-data)");
            m_sampleRate = 0;
            return;
        }
        espeak_SetParameter(espeakRATE, kRateWordsPerMinute, 0);
        espeak_SetSynthCallback(collectSamples);
    }
    ~Session() { g_collecting = nullptr; }
    int sampleRate() const { return m_sampleRate; }

    std::vector<float> speak(const QString& sentence) {
        std::vector<float> samples;
        g_collecting = &samples;
        const QByteArray text = sentence.toUtf8();
        espeak_Synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, nullptr);
        g_collecting = nullptr;
        return samples;
    }

private:
    std::lock_guard<std::mutex> m_guard;
    int m_sampleRate = 0;
};

// The sounding part of a sentence eSpeak made: its lead-in and fade-out trimmed.
std::pair<size_t, size_t> soundingPart(const std::vector<float>& samples) {
    size_t first = 0, end = samples.size();
    while (first < end && std::fabs(samples[first]) < kSilentSample)
        ++first;
    while (end > first && std::fabs(samples[end - 1]) < kSilentSample)
        --end;
    return {first, end};
}

} // namespace

QString espeakPhonemes(const QString& word) {
    QString error;
    Session session(&error);
    if (session.sampleRate() <= 0)
        return {};
    const QByteArray text = word.toUtf8();
    const void* next = text.constData();
    QString phonemes;
    // Phoneme names apart, separated by '_' (bits 8-23 of the mode).
    constexpr int kSeparatedNames = int('_') << 8;
    while (next) {
        const char* part = espeak_TextToPhonemes(&next, espeakCHARS_UTF8, kSeparatedNames);
        if (part && *part)
            phonemes +=
                (phonemes.isEmpty() ? QString() : QStringLiteral("_")) +
                QString::fromUtf8(part).trimmed().replace(QLatin1Char(' '), QLatin1Char('_'));
    }
    return phonemes;
}

SyntheticSpeech synthesiseSentences(const QStringList& sentences, float topHz,
                                    const SynthesisProgress& progress, QString* error,
                                    bool* cancelled) {
    if (cancelled)
        *cancelled = false;
    Session session(error);
    if (session.sampleRate() <= 0)
        return {};
    const int rate = session.sampleRate();
    MfccExtractor extractor(rate, topHz);
    QuietNoise noise;
    std::vector<float> silence;
    size_t position = 0; // samples fed so far
    auto feedSilence = [&](double seconds) {
        noise.fill(silence, static_cast<size_t>(seconds * rate));
        extractor.feed(silence.data(), silence.size());
        position += silence.size();
    };
    SyntheticSpeech speech;
    feedSilence(kEdgeSeconds - kGapSeconds);
    for (qsizetype i = 0; i < sentences.size(); ++i) {
        feedSilence(kGapSeconds);
        std::vector<float> samples = session.speak(sentences.at(i));
        const auto [first, end] = soundingPart(samples);
        FrameSpan span;
        span.first = position * kFramesPerSecond / size_t(rate);
        extractor.feed(samples.data() + first, end - first);
        position += end - first;
        span.end = std::max(span.first + 1, position * kFramesPerSecond / size_t(rate));
        speech.sentences.push_back(span);
        if (progress && !progress(int(i + 1))) {
            if (cancelled)
                *cancelled = true;
            *error = QStringLiteral("cancelled");
            return {};
        }
    }
    feedSilence(kEdgeSeconds);
    speech.features = extractor.take();
    return speech;
}

} // namespace hearvex::lessons
