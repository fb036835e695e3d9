// Any media's first audio stream as the aligner hears it (16 kHz mono 16-bit),
// handed on in pieces as it is decoded, so an hour of it never sits in memory
// whole; and a window over the pieces that keeps only what is still needed.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <span>
#include <vector>

namespace hearvex::lessons {

inline constexpr int kStreamSpeechRate = 16000;

// The next samples, in order from the media's start; false stops the stream.
using SpeechSink = std::function<bool(std::span<const qint16> samples)>;

// Decodes path (the bytes of its name) to the end, or until sink returns
// false (then true). *lengthMs: the container's idea of the length, 0 when
// unknown. False with a message when it cannot be read.
bool streamSpeech(const QByteArray& path, const SpeechSink& sink, qint64* lengthMs, QString* error);

// The stretch of the stream from firstSample on; samples before it are gone.
class SpeechWindow {
public:
    void append(std::span<const qint16> samples);
    // Forgets the samples before this one (never ones not yet appended).
    void dropBefore(qint64 sample);
    qint64 firstSample() const { return m_first; }
    qint64 endSample() const { return m_first + qint64(m_samples.size()); }
    // Samples [from, to) as far as the window holds them.
    std::span<const qint16> span(qint64 from, qint64 to) const;

private:
    qint64 m_first = 0;
    std::vector<qint16> m_samples;
};

} // namespace hearvex::lessons
