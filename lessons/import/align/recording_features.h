// A recording's cepstra, read with FFmpeg from its first audio stream and
// mixed to mono as they stream past.
#pragma once

#include "mfcc.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <memory>

namespace hearvex::lessons {

class AudioDecoder;

class RecordingFeatures {
public:
    RecordingFeatures();
    ~RecordingFeatures();

    // Opens the media; false with a message when it cannot be read.
    bool open(const QByteArray& path, QString* error); // the bytes of the file name
    int sampleRate() const;
    qint64 durationMs() const;

    // Reads it all. Stops (returning false, *error empty) when stop is set.
    bool run(float topHz, const std::atomic<bool>& stop, QString* error);

    // How much has been read, in ms of the recording (safe from any thread).
    qint64 doneMs() const { return m_doneMs.load(std::memory_order_relaxed); }
    SpeechFeatures take() { return std::move(m_features); }

private:
    std::unique_ptr<AudioDecoder> m_decoder;
    std::atomic<qint64> m_doneMs{0};
    SpeechFeatures m_features;
};

} // namespace hearvex::lessons
