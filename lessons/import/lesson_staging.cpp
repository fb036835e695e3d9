#include "lesson_staging.h"

#include "lesson_file.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

namespace hearvex::lessons {

namespace {
const char* const kStagingPattern = ".import-XXXXXX";
const char* const kLockName = "lock";

// Staging folders of imports that were killed: no live process holds their
// lock. Those made in the last minute may still be getting their lock.
void removeAbandonedStaging(const QDir& folder) {
    const QFileInfoList dirs = folder.entryInfoList(
        {QStringLiteral(".import-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& dir : dirs) {
        if (dir.lastModified().secsTo(QDateTime::currentDateTime()) < 60)
            continue;
        QLockFile lock(QDir(dir.filePath()).filePath(QLatin1String(kLockName)));
        lock.setStaleLockTime(0); // stale only when its process is gone, however old
        if (lock.tryLock(0)) {
            lock.unlock();
            QDir(dir.filePath()).removeRecursively();
        }
    }
}
} // namespace

QStringList lessonFilesNamed(const QString& folder, const QString& name) {
    // The program finds a recording's text by turning every "txt" of its name
    // into "kvx"; a name holding "txt" has its texts under that other name.
    const QString textName = lessons::textFileName(name);
    const QRegularExpression pattern(
        QStringLiteral("^(?:%1-[0-9]+\\.txt|%1-[0-9]+\\.kvx|%2-[0-9]+\\.kvx)$")
            .arg(QRegularExpression::escape(name), QRegularExpression::escape(textName)));
    QStringList found;
    const QStringList entries = QDir(folder).entryList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive, QDir::Name);
    for (const QString& entry : entries)
        if (pattern.match(entry).hasMatch())
            found << entry;
    return found;
}

LessonStaging::~LessonStaging() {
    m_lock.reset();
    m_staging.reset();
    if (m_createdFolder && !m_committed)
        QDir().rmdir(m_folder);
}

bool LessonStaging::begin(const QString& folder, QString* error) {
    m_folder = folder;
    QDir dir(folder);
    if (!dir.exists()) {
        if (!QDir().mkpath(folder)) {
            *error = QStringLiteral("cannot create the folder %1").arg(folder);
            return false;
        }
        m_createdFolder = true;
    }
    removeAbandonedStaging(dir);
    m_staging = std::make_unique<QTemporaryDir>(dir.filePath(QLatin1String(kStagingPattern)));
    if (!m_staging->isValid()) {
        *error = QStringLiteral("cannot write in %1: %2").arg(folder, m_staging->errorString());
        return false;
    }
    m_lock = std::make_unique<QLockFile>(m_staging->filePath(QLatin1String(kLockName)));
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        *error = QStringLiteral("cannot write in %1").arg(folder);
        return false;
    }
    return true;
}

QString LessonStaging::stagedPath(const QString& fileName) const {
    return m_staging->filePath(fileName);
}

bool LessonStaging::commit(const std::vector<std::pair<QString, QString>>& files,
                           const QStringList& replaced, QString* error) {
    const QDir folder(m_folder);
    const QDir aside(m_staging->filePath(QStringLiteral("replaced")));
    std::vector<std::pair<QString, QString>> done; // (from, to), undone in reverse on failure
    const auto undo = [&] {
        for (auto it = done.rbegin(); it != done.rend(); ++it)
            QFile::rename(it->second, it->first);
    };
    const auto move = [&](const QString& from, const QString& to) {
        if (!QFile::rename(from, to)) {
            *error =
                QStringLiteral("cannot move %1 into %2").arg(QFileInfo(to).fileName(), m_folder);
            undo();
            return false;
        }
        done.emplace_back(from, to);
        return true;
    };
    if (!replaced.isEmpty() && !QDir().mkpath(aside.path())) {
        *error = QStringLiteral("cannot write in %1").arg(m_folder);
        return false;
    }
    for (const QString& old : replaced)
        if (!move(folder.filePath(old), aside.filePath(old)))
            return false;
    for (const auto& [staged, final] : files)
        if (!move(stagedPath(staged), folder.filePath(final)))
            return false;
    m_committed = true;
    return true;
}

} // namespace hearvex::lessons
