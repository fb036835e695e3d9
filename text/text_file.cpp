#include "text_file.h"

#include "rtf_reader.h"

#include <QFile>
#include <QStringDecoder>

namespace hearvex::text {

QString decodeGbk(const QByteArray& bytes) {
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (gbk.isValid())
        return gbk.decode(bytes);
    // Without a GBK converter ASCII still reads; the rest cannot be told apart.
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text += static_cast<unsigned char>(byte) < 0x80 ? QChar(QLatin1Char(byte))
                                                        : QChar(QChar::ReplacementCharacter);
    return text;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes); // decodes only once it becomes a QString
    if (utf8.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QString decodeUtf8OrGbk(const QByteArray& bytes) {
    if (std::optional<QString> text = decodeUtf8(bytes))
        return *text;
    return decodeGbk(bytes);
}

std::optional<DocumentContent> readDocumentFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (isRtf(bytes))
        return DocumentContent{rtfToHtml(readRtf(bytes)), true};
    return DocumentContent{decodeUtf8OrGbk(bytes), false};
}

} // namespace hearvex::text
