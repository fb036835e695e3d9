#include "rtf_code_page.h"

#include <QStringDecoder>
#include <map>

namespace hearvex::text {

int codePageForCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252; // ANSI
    case 2:
        return 1252; // symbol fonts: their bytes are read as Western text
    case 77:
        return 10000; // Mac Roman
    case 128:
        return 932; // Shift-JIS
    case 129:
        return 949; // Hangul
    case 134:
        return 936; // GB2312 / GBK
    case 136:
        return 950; // Big5
    case 161:
        return 1253; // Greek
    case 162:
        return 1254; // Turkish
    case 163:
        return 1258; // Vietnamese
    case 177:
        return 1255; // Hebrew
    case 178:
        return 1256; // Arabic
    case 186:
        return 1257; // Baltic
    case 204:
        return 1251; // Cyrillic
    case 222:
        return 874; // Thai
    case 238:
        return 1250; // Central European
    case 255:
        return 437; // OEM
    default:
        return 0; // DEFAULT_CHARSET and unknown values
    }
}

namespace {

QByteArray decoderName(int codePage) {
    switch (codePage) {
    case 936:
        return "GBK";
    case 950:
        return "Big5";
    case 932:
        return "Shift_JIS";
    case 949:
        return "windows-949";
    case 874:
        return "windows-874";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 866:
        return "IBM866";
    case 10000:
        return "macintosh";
    case 65001:
        return "UTF-8";
    default:
        if (codePage >= 1250 && codePage <= 1258)
            return "windows-" + QByteArray::number(codePage);
        return "windows-1252";
    }
}

} // namespace

QString decodeCodePage(const QByteArray& bytes, int codePage) {
    // Decoders are costly to look up and a document switches between a few
    // code pages many times, so each one is made once per thread.
    thread_local std::map<int, QStringDecoder> decoders;
    auto it = decoders.find(codePage);
    if (it == decoders.end())
        it = decoders
                 .emplace(codePage, QStringDecoder(decoderName(codePage).constData(),
                                                   QStringDecoder::Flag::Stateless))
                 .first;
    if (!it->second.isValid())
        return QString::fromLatin1(bytes);
    // A lead byte cut off at the end would vanish without a trace; a line feed
    // after it makes the decoder report it as a replacement character.
    QString text = it->second.decode(bytes + '\n');
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

} // namespace hearvex::text
