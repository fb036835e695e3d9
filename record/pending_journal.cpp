#include "pending_journal.h"

#include "word_misses.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hearvex::record {

QString pendingJournalPath(const QString& recordPath) {
    return recordPath + QLatin1String(".pending");
}

QString fallbackJournalPath(const QString& recordPath) {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QLatin1String("/.local/state");
    // One file per record, named by its path.
    const QByteArray name =
        QCryptographicHash::hash(QFileInfo(recordPath).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    return state + QLatin1String("/hearvex/pending-") + QString::fromLatin1(name) +
           QLatin1String(".jsonl");
}

namespace {

QJsonValue timeValue(const QDateTime& time) {
    return QJsonArray{double(time.toMSecsSinceEpoch()), time.offsetFromUtc()};
}

QDateTime timeOf(const QJsonValue& value) {
    const QJsonArray pair = value.toArray();
    if (pair.size() != 2 || !pair[0].isDouble())
        return {};
    return QDateTime::fromMSecsSinceEpoch(qint64(pair[0].toDouble()), Qt::OffsetFromUTC,
                                          pair[1].toInt());
}

} // namespace

QByteArray attemptLine(const Attempt& a) {
    const QJsonObject object{{QStringLiteral("time"), timeValue(a.time)},
                             {QStringLiteral("started"), timeValue(a.lessonStarted)},
                             {QStringLiteral("recording"), a.lesson.recordingName},
                             {QStringLiteral("folder"), a.lesson.folder},
                             {QStringLiteral("sentence"), a.lesson.sentence},
                             {QStringLiteral("hash"), QString::fromLatin1(a.lesson.audioHash)},
                             {QStringLiteral("kind"), attemptKindName(a.kind)},
                             {QStringLiteral("right"), a.wordsRight},
                             {QStringLiteral("total"), a.wordsTotal},
                             {QStringLiteral("missed"), QJsonArray::fromStringList(a.missedWords)},
                             {QStringLiteral("typed"), a.typedText},
                             {QStringLiteral("speed"), a.speedPercent},
                             {QStringLiteral("seconds"), a.secondsSinceStart},
                             {QStringLiteral("replays"), a.replays}};
    QJsonObject line = object;
    line.insert(QStringLiteral("misses"), missesJson(a.misses));
    return QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<Attempt> attemptFromLine(const QByteArray& line) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject o = document.object();
    Attempt a;
    a.time = timeOf(o.value(QStringLiteral("time")));
    a.lessonStarted = timeOf(o.value(QStringLiteral("started")));
    const QString kind = o.value(QStringLiteral("kind")).toString();
    a.lesson.sentence = o.value(QStringLiteral("sentence")).toString();
    if (!a.time.isValid() || a.lesson.sentence.isEmpty() || !attemptKindNamed(kind))
        return std::nullopt;
    a.kind = *attemptKindNamed(kind);
    a.lesson.recordingName = o.value(QStringLiteral("recording")).toString();
    a.lesson.folder = o.value(QStringLiteral("folder")).toString();
    a.lesson.audioHash = o.value(QStringLiteral("hash")).toString().toLatin1();
    a.wordsRight = o.value(QStringLiteral("right")).toInt();
    a.wordsTotal = o.value(QStringLiteral("total")).toInt();
    for (const QJsonValue& word : o.value(QStringLiteral("missed")).toArray())
        a.missedWords << word.toString();
    a.misses = missesFromJson(o.value(QStringLiteral("misses")).toArray());
    a.typedText = o.value(QStringLiteral("typed")).toString();
    a.speedPercent = o.value(QStringLiteral("speed")).toInt(100);
    a.secondsSinceStart = o.value(QStringLiteral("seconds")).toInt();
    a.replays = o.value(QStringLiteral("replays")).toInt();
    if (!a.lessonStarted.isValid())
        a.lessonStarted = a.time;
    return a;
}

PendingJournal::PendingJournal(QString path)
    : m_path(std::move(path)) {}

PendingJournal::~PendingJournal() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::vector<Attempt> PendingJournal::load() const {
    QFile file(m_path);
    std::vector<Attempt> attempts;
    if (!file.open(QIODevice::ReadOnly))
        return attempts;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (std::optional<Attempt> attempt = attemptFromLine(line.trimmed()))
            attempts.push_back(std::move(*attempt));
    }
    return attempts;
}

bool PendingJournal::ensureOpen() {
    if (m_fd >= 0)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC,
                  0600);
    if (m_fd < 0)
        return false;
    // A line cut short by a crash is ended, so the next line stands on its own.
    char last = '\n';
    const off_t size = ::lseek(m_fd, 0, SEEK_END);
    if (size > 0 && ::pread(m_fd, &last, 1, size - 1) == 1 && last != '\n' &&
        ::write(m_fd, "\n", 1) != 1) {
        ::close(m_fd);
        m_fd = -1;
    }
    return m_fd >= 0;
}

bool PendingJournal::append(const Attempt& attempt) {
    if (!ensureOpen())
        return false;
    // A line goes in whole or is cut back: a half line would swallow the next.
    const QByteArray line = attemptLine(attempt);
    const off_t before = ::lseek(m_fd, 0, SEEK_END);
    const ssize_t written = ::write(m_fd, line.constData(), std::size_t(line.size()));
    if (written == ssize_t(line.size()))
        return true;
    if (before >= 0 && ::ftruncate(m_fd, before) != 0) {
        // Nothing more to do: the reader skips the broken line.
    }
    return false;
}

bool PendingJournal::sync() {
    return m_fd >= 0 && ::fdatasync(m_fd) == 0;
}

bool PendingJournal::lostItsFile() {
    struct stat status {};
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0 || status.st_nlink > 0)
        return false;
    ::close(m_fd);
    m_fd = -1;
    return true;
}

int PendingJournal::duplicateHandle() const {
    return m_fd >= 0 ? ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0) : -1;
}

bool PendingJournal::clear() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    // Removed rather than emptied: no stray file is left beside the record.
    return !QFileInfo::exists(m_path) || QFile::remove(m_path);
}

} // namespace hearvex::record
