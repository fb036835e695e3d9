#include "subtitle_charset.h"

#include <QStringDecoder>

namespace hearvex::lessons {

namespace {
bool startsWith(const QByteArray& bytes, const char* mark, int length) {
    return bytes.size() >= length && bytes.left(length) == QByteArray(mark, length);
}

QByteArray decodeToUtf8(QStringDecoder&& decoder, const QByteArray& bytes) {
    const QString text = decoder.decode(bytes);
    return text.toUtf8();
}
} // namespace

QByteArray subtitleTextAsUtf8(const QByteArray& bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF", 3))
        return bytes.mid(3);
    if (startsWith(bytes, "\xFF\xFE", 2))
        return decodeToUtf8(QStringDecoder(QStringDecoder::Utf16LE), bytes.mid(2));
    if (startsWith(bytes, "\xFE\xFF", 2))
        return decodeToUtf8(QStringDecoder(QStringDecoder::Utf16BE), bytes.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes); // decoding is lazy: keep the result
    if (!utf8.hasError())
        return bytes;
    QStringDecoder gb18030("GB18030");
    if (!gb18030.isValid())
        return bytes; // no converter: FFmpeg sees the bytes and mends what it can
    return decodeToUtf8(std::move(gb18030), bytes);
}

} // namespace hearvex::lessons
