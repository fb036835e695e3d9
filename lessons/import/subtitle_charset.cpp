#include "subtitle_charset.h"

#include <QStringDecoder>
#include <memory>
#include <uchardet.h>

namespace hearvex::lessons {

namespace {

bool startsWith(const QByteArray& bytes, const char* mark, int length) {
    return bytes.size() >= length && bytes.left(length) == QByteArray(mark, length);
}

QByteArray decodeToUtf8(QStringDecoder&& decoder, const QByteArray& bytes) {
    const QString text = decoder.decode(bytes);
    return text.toUtf8();
}

// Every byte above ASCII is the lead of a GBK pair, and nearly all pairs are
// GB2312 characters (the Chinese a subtitle holds): Western code pages put
// their accented letters between ASCII ones, which never pair up so.
bool pairsUpAsChinese(const QByteArray& bytes) {
    int pairs = 0;
    int common = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80)
            continue;
        if (lead == 0x80 || lead == 0xFF || i + 1 >= bytes.size())
            return false;
        const auto trail = uchar(bytes[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF)
            return false;
        ++pairs;
        common += (lead >= 0xA1 && lead <= 0xF7 && trail >= 0xA1) ? 1 : 0;
    }
    return pairs > 0 && common * 10 >= pairs * 9;
}

QByteArray uchardetGuess(const QByteArray& bytes) {
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(
        uchardet_new(), uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.constData(), size_t(bytes.size())))
        return {};
    uchardet_data_end(detector.get());
    return QByteArray(uchardet_get_charset(detector.get())).toUpper();
}

} // namespace

QByteArray legacyCodePage(const QByteArray& bytes) {
    const QByteArray gb18030("GB18030");
    if (pairsUpAsChinese(bytes))
        return gb18030;
    const QByteArray guess = uchardetGuess(bytes);
    if (guess.isEmpty() || guess == "ASCII" || guess.startsWith("UTF") || guess == "GB2312" ||
        guess == "HZ-GB-2312")
        return gb18030; // GB18030 holds GB2312 and GBK
    return QStringDecoder(guess.constData()).isValid() ? guess : gb18030;
}

QByteArray subtitleTextAsUtf8(const QByteArray& bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF", 3))
        return bytes.mid(3);
    if (startsWith(bytes, "\xFF\xFE\x00\x00", 4))
        return decodeToUtf8(QStringDecoder(QStringDecoder::Utf32LE), bytes.mid(4));
    if (startsWith(bytes, "\x00\x00\xFE\xFF", 4))
        return decodeToUtf8(QStringDecoder(QStringDecoder::Utf32BE), bytes.mid(4));
    if (startsWith(bytes, "\xFF\xFE", 2))
        return decodeToUtf8(QStringDecoder(QStringDecoder::Utf16LE), bytes.mid(2));
    if (startsWith(bytes, "\xFE\xFF", 2))
        return decodeToUtf8(QStringDecoder(QStringDecoder::Utf16BE), bytes.mid(2));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes); // decoding is lazy: keep the result
    if (!utf8.hasError())
        return bytes;
    QStringDecoder legacy(legacyCodePage(bytes).constData());
    if (!legacy.isValid())
        return bytes; // no converter: the parsers see the bytes and mend what they can
    return decodeToUtf8(std::move(legacy), bytes);
}

} // namespace hearvex::lessons
