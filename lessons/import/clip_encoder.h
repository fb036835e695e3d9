// One lesson recording: planar float PCM encoded as MP3 (LAME through
// libavcodec) into a file the engine opens, with a Xing/LAME header so its
// exact length is known.
#pragma once

#include "av_util.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace hearvex::lessons {

struct ClipFormat {
    int sampleRate = 44100; // one of MP3's rates
    int channels = 2;       // 1 or 2
};

class ClipEncoder {
public:
    // nullptr with a message when the encoder or the file cannot be opened.
    static std::unique_ptr<ClipEncoder> create(const QByteArray& path, const ClipFormat& format,
                                               QString* error);
    ~ClipEncoder();
    ClipEncoder(const ClipEncoder&) = delete;
    ClipEncoder& operator=(const ClipEncoder&) = delete;

    bool write(const float* const* planes, int frameCount, QString* error);
    // Encodes what is left and completes the file.
    bool finish(QString* error);

private:
    ClipEncoder() = default;
    bool encodeFrames(int frameCount, QString* error);
    bool send(const AVFrame* frame, QString* error);

    AVFormatContext* m_output = nullptr;
    av::Codec m_encoder;
    av::Fifo m_fifo;
    av::Frame m_frame;
    av::Packet m_packet;
    int64_t m_framesSent = 0;
};

} // namespace hearvex::lessons
