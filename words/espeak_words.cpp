#include "pronunciation.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>

namespace hearvex::words {

namespace {

std::mutex& espeakLock() {
    static std::mutex lock;
    return lock;
}

// Started once for the life of the process, as the aligner does: eSpeak NG's
// terminate can hang waiting for a thread synchronous output never started.
// Its sample rate, or 0 when it cannot start.
int startEspeak() {
    static const int sampleRate = [] {
        const int rate =
            espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        if (rate <= 0)
            return 0;
        const bool voice =
            espeak_SetVoiceByName("en-us") == EE_OK || espeak_SetVoiceByName("en") == EE_OK;
        return voice ? rate : 0;
    }();
    return sampleRate;
}

std::vector<float>* g_speech = nullptr; // guarded by espeakLock()

int collectSpeech(short* samples, int count, espeak_EVENT*) {
    if (samples && g_speech)
        for (int i = 0; i < count; ++i)
            g_speech->push_back(float(samples[i]) / 32768.0f);
    return 0;
}

} // namespace

QString espeakIpa(const QString& word) {
    const QByteArray text = word.trimmed().toUtf8();
    if (text.isEmpty())
        return {};
    std::lock_guard<std::mutex> guard(espeakLock());
    if (startEspeak() <= 0)
        return {};
    QString ipa;
    const void* position = text.constData();
    // eSpeak reads one clause per call and moves the pointer past it.
    while (position) {
        const char* phonemes =
            espeak_TextToPhonemes(&position, espeakCHARS_UTF8, espeakPHONEMES_IPA);
        if (!phonemes)
            break;
        ipa += QString::fromUtf8(phonemes).trimmed();
    }
    return ipa;
}

SoundClip speakWord(const QString& word) {
    const QByteArray text = word.trimmed().toUtf8();
    if (text.isEmpty())
        return {};
    std::lock_guard<std::mutex> guard(espeakLock());
    const int rate = startEspeak();
    if (rate <= 0)
        return {};
    SoundClip clip{rate, 1, {}};
    g_speech = &clip.samples;
    espeak_SetSynthCallback(collectSpeech);
    espeak_Synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                 nullptr, nullptr);
    g_speech = nullptr;
    return clip;
}

} // namespace hearvex::words
