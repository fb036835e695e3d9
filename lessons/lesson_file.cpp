#include "lesson_file.h"

#include "plain_text.h"
#include "text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace hearvex::lessons {

namespace {
constexpr int kKeyLength = sizeof kLessonKey - 1;

} // namespace

QByteArray xorWithKey(const QByteArray& bytes) {
    QByteArray out = bytes;
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = static_cast<char>(out[i] ^ kLessonKey[i % kKeyLength]);
    return out;
}

QString lessonTextFromBytes(const QByteArray& enciphered) {
    QString text = text::decodeGbk(xorWithKey(enciphered));
    text.remove(QLatin1String(kLessonKey), Qt::CaseSensitive);
    return text::trimSpaces(text);
}

qsizetype firstUnencodable(const QString& plain) {
    QStringEncoder gbk("GBK", QStringEncoder::Flag::Stateless);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (plain.at(i).unicode() < 0x80)
            continue;
        // A surrogate pair is one character; GBK holds none of them.
        if (plain.at(i).isSurrogate() || !gbk.isValid())
            return i;
        // The encoder is lazy: only converting its result encodes, and sets the error.
        const QByteArray encoded = gbk.encode(QStringView(plain).mid(i, 1));
        if (gbk.hasError())
            return i;
    }
    return -1;
}

QByteArray encipherLessonText(const QString& plain) {
    if (firstUnencodable(plain) >= 0)
        return {};
    QStringEncoder gbk("GBK", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = gbk.isValid() ? QByteArray(gbk.encode(plain)) : plain.toLatin1();
    return xorWithKey(bytes);
}

QString textFileName(const QString& listedName) {
    QString name = listedName;
    return name.replace(QLatin1String("txt"), QLatin1String("kvx"), Qt::CaseSensitive);
}

LessonText readLessonText(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return {LessonTextStatus::Missing, {}};
    if (info.size() > kMaxLessonTextBytes)
        return {LessonTextStatus::TooLarge, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {LessonTextStatus::Unreadable, {}};
    // One byte more than allowed tells a file that grew since it was measured.
    const QByteArray bytes = file.read(kMaxLessonTextBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {LessonTextStatus::Unreadable, {}};
    if (bytes.size() > kMaxLessonTextBytes)
        return {LessonTextStatus::TooLarge, {}};
    return {LessonTextStatus::Read, lessonTextFromBytes(bytes)};
}

} // namespace hearvex::lessons
