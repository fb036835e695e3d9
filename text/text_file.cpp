#include "text_file.h"

#include "rtf_reader.h"

#include <QFile>
#include <QStringDecoder>

namespace hearvex::text {

QString decodeGbk(const QByteArray& bytes) {
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (!gbk.isValid()) // no converter for it: keep what ASCII can say
        return QString::fromLatin1(bytes);
    return gbk.decode(bytes);
}

QString decodeUtf8OrGbk(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
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
