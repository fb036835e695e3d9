#include "speech_pcm.h"

#include "speech_stream.h"

#include <algorithm>

namespace hearvex::lessons {

// Collected from the stream, so there is one way from any media to the
// aligner's samples.
bool readSpeechPcm(const QByteArray& path, std::vector<qint16>* pcm, QString* error,
                   const PcmProgress& progress) {
    pcm->clear();
    error->clear();
    qint64 lengthMs = 0; // known once the media is open, before the first samples
    bool cancelled = false;
    const bool read = streamSpeech(
        path,
        [&](std::span<const qint16> samples) {
            const double expected = double(lengthMs) * kStreamSpeechRate / 1000.0;
            if (pcm->empty() && expected > 0)
                pcm->reserve(size_t(expected) + 16);
            pcm->insert(pcm->end(), samples.begin(), samples.end());
            if (progress && expected > 0 &&
                !progress(std::min(1.0, double(pcm->size()) / expected)))
                cancelled = true;
            return !cancelled;
        },
        &lengthMs, error);
    if (cancelled) {
        error->clear();
        return false;
    }
    return read;
}

} // namespace hearvex::lessons
