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
bool startEspeak() {
    static const bool started = [] {
        if (espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT) <=
            0)
            return false;
        return espeak_SetVoiceByName("en-us") == EE_OK || espeak_SetVoiceByName("en") == EE_OK;
    }();
    return started;
}

} // namespace

QString espeakIpa(const QString& word) {
    const QByteArray text = word.trimmed().toUtf8();
    if (text.isEmpty())
        return {};
    std::lock_guard<std::mutex> guard(espeakLock());
    if (!startEspeak())
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

} // namespace hearvex::words
