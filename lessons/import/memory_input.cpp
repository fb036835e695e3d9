#include "memory_input.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace hearvex::lessons {

std::unique_ptr<MemoryInput> MemoryInput::open(const QByteArray& bytes, const QString& name,
                                               const AVInputFormat* format, QString* error) {
    std::unique_ptr<MemoryInput> input(new MemoryInput);
    input->m_bytes = bytes;
    constexpr int kBufferSize = 4096;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    input->m_io = buffer ? avio_alloc_context(buffer, kBufferSize, 0, input.get(),
                                              &MemoryInput::read, nullptr, &MemoryInput::seek)
                         : nullptr;
    AVFormatContext* context = input->m_io ? avformat_alloc_context() : nullptr;
    if (!context) {
        if (!input->m_io)
            av_free(buffer);
        *error = QStringLiteral("out of memory");
        return {};
    }
    context->pb = input->m_io;
    context->flags |= AVFMT_FLAG_CUSTOM_IO;
    // On failure FFmpeg frees the context, but never an I/O context of ours.
    if (const int rc =
            avformat_open_input(&context, QFile::encodeName(name).constData(), format, nullptr);
        rc < 0) {
        *error = av::errorText(rc);
        return {};
    }
    input->m_format = context;
    return input;
}

MemoryInput::~MemoryInput() {
    avformat_close_input(&m_format);
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}

int MemoryInput::read(void* opaque, uint8_t* buffer, int size) {
    auto* self = static_cast<MemoryInput*>(opaque);
    const qint64 n = std::min<qint64>(size, self->m_bytes.size() - self->m_at);
    if (n <= 0)
        return AVERROR_EOF;
    std::memcpy(buffer, self->m_bytes.constData() + self->m_at, static_cast<size_t>(n));
    self->m_at += n;
    return static_cast<int>(n);
}

int64_t MemoryInput::seek(void* opaque, int64_t offset, int whence) {
    auto* self = static_cast<MemoryInput*>(opaque);
    const qint64 size = self->m_bytes.size();
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE:
        return size;
    case SEEK_SET:
        break;
    case SEEK_CUR:
        offset += self->m_at;
        break;
    case SEEK_END:
        offset += size;
        break;
    default:
        return AVERROR(EINVAL);
    }
    if (offset < 0 || offset > size)
        return AVERROR(EINVAL);
    return self->m_at = offset;
}

} // namespace hearvex::lessons
