#include "word_times.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hearvex::lessons {

namespace {

// Far beyond any recording (over 100 days), and far from overflowing qint64 ms.
constexpr double kLatestSeconds = 1e7;

QByteArray secondsText(qint64 ms) {
    return QByteArray::number(double(std::max<qint64>(ms, 0)) / 1000.0, 'f', 3);
}

QByteArray wordText(const QString& text) {
    QString word = text;
    for (QChar& c : word)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    return word.toUtf8();
}

bool secondsOf(const QByteArray& field, qint64* ms) {
    bool ok = false;
    const double seconds = field.toDouble(&ok);
    if (!ok || !std::isfinite(seconds) || seconds < 0 || seconds > kLatestSeconds)
        return false;
    *ms = std::llround(seconds * 1000.0);
    return true;
}

bool parseLine(const QByteArray& line, TimedWord* word) {
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() < 4)
        return false;
    bool ok = false;
    const double confidence = fields[2].toDouble(&ok);
    if (!ok || !(confidence >= 0 && confidence <= 1))
        return false;
    // A word never holds a tab as written; were one there, it stays part of the word.
    const QString text =
        QString::fromUtf8(line.mid(fields[0].size() + fields[1].size() + fields[2].size() + 3))
            .trimmed();
    if (text.isEmpty() || !secondsOf(fields[0], &word->startMs) ||
        !secondsOf(fields[1], &word->endMs) || word->endMs < word->startMs)
        return false;
    word->confidence = confidence;
    word->text = text;
    return true;
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

} // namespace

QByteArray wordTimesFileName(const QByteArray& recording) {
    const qsizetype slash = recording.lastIndexOf('/');
    const qsizetype dot = recording.lastIndexOf('.');
    return (dot > slash + 1 ? recording.left(dot) : recording) + ".words";
}

QByteArray formatWordTimes(const WordTimes& words) {
    QByteArray bytes;
    for (const TimedWord& word : words) {
        const double confidence =
            std::isfinite(word.confidence) ? std::clamp(word.confidence, 0.0, 1.0) : 0.0;
        bytes += secondsText(word.startMs) + '\t' +
                 secondsText(std::max(word.endMs, word.startMs)) + '\t' +
                 QByteArray::number(confidence, 'f', 2) + '\t' + wordText(word.text) + '\n';
    }
    return bytes;
}

WordTimesParse parseWordTimes(const QByteArray& bytes) {
    WordTimesParse parse;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        TimedWord word;
        if (parseLine(line, &word))
            parse.words.push_back(std::move(word));
        else
            parse.skippedLines.push_back(int(i + 1));
    }
    return parse;
}

WordTimesFile readWordTimes(const QByteArray& path) {
    WordTimesFile read;
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return read;
    read.status = WordTimesStatus::Unreadable;
    if (st.st_size > kMaxWordTimesBytes)
        return read;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return read;
    QFile file;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return read;
    }
    const QByteArray bytes = file.read(kMaxWordTimesBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxWordTimesBytes)
        return read;
    WordTimesParse parse = parseWordTimes(bytes);
    read.status = WordTimesStatus::Read;
    read.words = std::move(parse.words);
    read.skippedLines = std::move(parse.skippedLines);
    return read;
}

bool writeWordTimes(const QByteArray& path, const WordTimes& words, QString* error) {
    QByteArray temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        *error = systemError();
        return false;
    }
    const mode_t mask = umask(0);
    umask(mask);
    bool ok =
        fchmod(fd, 0666 & ~mask) == 0 && writeAll(fd, formatWordTimes(words)) && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && std::rename(temporary.constData(), path.constData()) == 0;
    if (!ok) {
        *error = systemError();
        ::unlink(temporary.constData());
    }
    return ok;
}

double meanConfidence(const WordTimes& words) {
    if (words.empty())
        return 0;
    double sum = 0;
    for (const TimedWord& word : words)
        sum += word.confidence;
    return sum / double(words.size());
}

bool alignmentUncertain(const WordTimes& words) {
    return !words.empty() && meanConfidence(words) < kConfidentAlignment;
}

} // namespace hearvex::lessons
