#include "lesson_file.h"

#include "plain_text.h"
#include "text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

QByteArray textFileNameBytes(const QByteArray& listedName) {
    if (text::decodeUtf8(listedName)) // every byte of a UTF-8 sequence is 0x80 or above
        return QByteArray(listedName).replace("txt", "kvx");
    QByteArray name = listedName;
    const auto isTrail = [](unsigned char b) {
        return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
    };
    qsizetype i = 0;
    while (i < name.size()) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (byte >= 0x81 && byte <= 0xFE && i + 1 < name.size() &&
            isTrail(static_cast<unsigned char>(name[i + 1]))) {
            i += 2; // one GBK character
        } else if (name.mid(i, 3) == "txt") {
            name.replace(i, 3, "kvx");
            i += 3;
        } else {
            ++i;
        }
    }
    return name;
}

LessonText readLessonText(const QString& path) {
    return readLessonTextFile(QFile::encodeName(path));
}

LessonText readLessonTextFile(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {LessonTextStatus::Missing, {}};
    if (st.st_size > kMaxLessonTextBytes)
        return {LessonTextStatus::TooLarge, {}};
    // By its bytes: a name that is not UTF-8 has no QString that opens it.
    // O_NONBLOCK so that a file replaced by a FIFO since the look cannot hang us.
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {LessonTextStatus::Unreadable, {}};
    QFile file;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {LessonTextStatus::Unreadable, {}};
    }
    // One byte more than allowed tells a file that grew since it was measured.
    const QByteArray bytes = file.read(kMaxLessonTextBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {LessonTextStatus::Unreadable, {}};
    if (bytes.size() > kMaxLessonTextBytes)
        return {LessonTextStatus::TooLarge, {}};
    return {LessonTextStatus::Read, lessonTextFromBytes(bytes)};
}

} // namespace hearvex::lessons
