// Bytes held in memory opened as an FFmpeg input, so a demuxer reads the
// UTF-8 the import made of a subtitle file rather than the file's own bytes.
#pragma once

#include "av_util.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace hearvex::lessons {

class MemoryInput {
public:
    // Opens bytes with the given demuxer, or with the one FFmpeg finds for
    // them (the name's extension helps) when format is null.
    static std::unique_ptr<MemoryInput> open(const QByteArray& bytes, const QString& name,
                                             const AVInputFormat* format, QString* error);
    ~MemoryInput();
    MemoryInput(const MemoryInput&) = delete;
    MemoryInput& operator=(const MemoryInput&) = delete;

    AVFormatContext* format() const { return m_format; }

private:
    MemoryInput() = default;
    static int read(void* opaque, uint8_t* buffer, int size);
    static int64_t seek(void* opaque, int64_t offset, int whence);

    QByteArray m_bytes;
    qint64 m_at = 0;
    AVIOContext* m_io = nullptr;
    AVFormatContext* m_format = nullptr;
};

} // namespace hearvex::lessons
