#include "synthetic_voice.h"

#include "speech_audio.h"

#include <espeak-ng/speak_lib.h>

namespace hearvex::testing {

namespace {

std::vector<float>* g_collected = nullptr;

int collect(short* samples, int count, espeak_EVENT*) {
    for (int i = 0; samples != nullptr && i < count; ++i)
        g_collected->push_back(float(samples[i]) / 32768.0f);
    return 0;
}

} // namespace

std::vector<float> speakSentence(const QString& sentence, const QString& voice,
                                 int wordsPerMinute) {
    static const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0 || espeak_SetVoiceByName(voice.toUtf8().constData()) != EE_OK)
        return {};
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
    espeak_SetSynthCallback(collect);
    std::vector<float> samples;
    g_collected = &samples;
    const QByteArray text = sentence.toUtf8();
    espeak_Synth(text.constData(), size_t(text.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                 nullptr, nullptr);
    espeak_Synchronize();
    g_collected = nullptr;
    return shadow::toSpeechRate(std::move(samples), rate);
}

} // namespace hearvex::testing
