// Finding, opening and, when it is damaged, setting aside the record's file.
#include "practice_record.h"

#include "record_database.h"
#include "record_schema.h"
#include "record_text.h"
#include "sqlite_statement.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace hearvex::record {

QString defaultRecordPath() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || !QDir::isAbsolutePath(data))
        data = QDir::homePath() + QLatin1String("/.local/share");
    return data + QLatin1String("/hearvex/practice.sqlite3");
}

QByteArray hashRecording(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

namespace {

enum class Opening { Ready, ReadOnly, Damaged, Unwritable, Newer };

struct Opened {
    Opening result = Opening::Unwritable;
    std::unique_ptr<PracticeRecord::Database> db;
    QString reason;
    RecordFault fault = RecordFault::None;
};

// How the file is opened: the program creates it, the lesson tool only
// opens what is there, and a record that cannot be written is read.
enum class Access { Create, Existing, ReadOnly };

bool identify(const QString& path, std::uint64_t* device, std::uint64_t* inode) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return false;
    *device = std::uint64_t(status.st_dev);
    *inode = std::uint64_t(status.st_ino);
    return true;
}

// Why a folder of the record's path cannot be made: a file in its way, or
// a place that cannot be written.
RecordFault folderFault(const QString& folder) {
    QFileInfo up(folder);
    while (!up.exists() && up.absoluteFilePath() != up.absolutePath())
        up = QFileInfo(up.absolutePath());
    return up.isDir() ? RecordFault::ReadOnly : RecordFault::NotAFile;
}

bool isDamage(int code) {
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

// Reads every page's structure once: a damaged file shows here, not in the
// middle of a practice.
bool passesQuickCheck(sqlite3* db) {
    Statement check(db, "PRAGMA quick_check(1)");
    return check.next() && check.text(0) == QLatin1String("ok");
}

bool journalIsWal(sqlite3* db) {
    Statement mode(db, "PRAGMA journal_mode = WAL");
    return mode.next() && mode.text(0) == QLatin1String("wal");
}

Opening notReady(sqlite3* db) {
    return isDamage(sqlite3_errcode(db)) ? Opening::Damaged : Opening::Unwritable;
}

// A record that can be read but not written is shown as it stands, if its
// tables are those of this version (it cannot be brought up to date).
Opening readOnlyOpening(sqlite3* db, QString* reason) {
    if (inspectSchema(db) == SchemaStatus::Current)
        return Opening::ReadOnly;
    *reason = RecordText::tr("the record cannot be written, nor brought up to date");
    return Opening::Unwritable;
}

// Nothing is changed until the file is known to be a sound record of ours.
Opening configure(sqlite3* db, Access access, QString* reason) {
    sqlite3_busy_timeout(db, 5000);
    switch (inspectSchema(db)) {
    case SchemaStatus::Failed:
        return notReady(db);
    case SchemaStatus::Foreign:
        return Opening::Damaged;
    case SchemaStatus::Newer:
        *reason = RecordText::tr("the record was written by a newer version of Hearvex");
        return Opening::Newer;
    case SchemaStatus::Older:
        // An empty file (no tables, no version) is no record to a reader.
        if (access != Access::Create && schemaVersion(db) == 0)
            return Opening::Damaged;
        break;
    default:
        break;
    }
    if (!passesQuickCheck(db))
        return sqlite3_errcode(db) == SQLITE_OK ? Opening::Damaged : notReady(db);
    if (access == Access::ReadOnly || sqlite3_db_readonly(db, "main") == 1)
        return readOnlyOpening(db, reason);
    if (access == Access::Create && !journalIsWal(db)) {
        *reason = RecordText::tr("the record cannot be written");
        return Opening::Unwritable;
    }
    // FULL: a commit is on the disk before add() returns, power cut included.
    execute(db, "PRAGMA synchronous = FULL");
    execute(db, "PRAGMA foreign_keys = ON");
    switch (migrateSchema(db, reason)) {
    case SchemaStatus::Current:
    case SchemaStatus::Migrated:
        return Opening::Ready;
    default:
        break;
    }
    return notReady(db);
}

int openFlags(Access access) {
    switch (access) {
    case Access::Create:
        return SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    case Access::Existing:
        return SQLITE_OPEN_READWRITE;
    default:
        return SQLITE_OPEN_READONLY;
    }
}

int stopWhenCancelled(void* cancelled) {
    return static_cast<const std::atomic<bool>*>(cancelled)->load() ? 1 : 0;
}

Opened openDatabase(const QString& path, Access access, const std::atomic<bool>* cancelled) {
    Opened opened;
    opened.db = std::make_unique<PracticeRecord::Database>();
    opened.db->path = path;
    sqlite3*& handle = opened.db->handle;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, openFlags(access), nullptr) ==
        SQLITE_OK) {
        // The check and a migration read every page: let them be stopped.
        if (cancelled)
            sqlite3_progress_handler(handle, 10000, stopWhenCancelled,
                                     const_cast<std::atomic<bool>*>(cancelled));
        opened.result = configure(handle, access, &opened.reason);
        sqlite3_progress_handler(handle, 0, nullptr, nullptr);
    } else
        opened.result = isDamage(sqlite3_errcode(handle)) ? Opening::Damaged : Opening::Unwritable;
    if (opened.result != Opening::Ready && opened.reason.isEmpty())
        opened.reason = errorText(handle);
    if (opened.result == Opening::Unwritable)
        opened.fault = faultOf(handle, path);
    if (opened.result == Opening::Newer)
        opened.fault = RecordFault::Newer;
    opened.db->readOnly = opened.result == Opening::ReadOnly;
    if (opened.db->readOnly)
        opened.fault = RecordFault::ReadOnly;
    return opened;
}

// The damaged file is kept beside the new one, with its write-ahead log, so
// that nothing in it is lost; the shared-memory index is rebuilt from them.
// The log moves first: one left behind without its file could be replayed
// into the new record.
QString moveAside(const QString& path, QString* reason) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QLatin1String(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo::exists(aside + QLatin1String("-wal"));
         ++n)
        aside = path + QLatin1String(".broken-") + stamp + QLatin1Char('-') + QString::number(n);
    const QString wal = path + QLatin1String("-wal");
    const QString asideWal = aside + QLatin1String("-wal");
    const bool hasWal = QFileInfo::exists(wal);
    if ((hasWal && !QFile::rename(wal, asideWal)) || !QFile::rename(path, aside)) {
        if (hasWal && QFileInfo::exists(asideWal))
            QFile::rename(asideWal, wal);
        *reason = RecordText::tr("the damaged record %1 cannot be moved aside").arg(path);
        return {};
    }
    QFile::remove(path + QLatin1String("-shm"));
    return aside;
}

std::unique_ptr<PracticeRecord::Database> readyOrNull(Opened& opened, OpenOutcome* outcome) {
    const bool ready = opened.result == Opening::Ready || opened.result == Opening::ReadOnly;
    if (ready && identify(opened.db->path, &opened.db->device, &opened.db->inode)) {
        opened.db->statements = std::make_unique<StatementCache>(opened.db->handle);
        if (opened.result == Opening::ReadOnly) {
            outcome->status = OpenOutcome::Status::ReadOnly;
            outcome->reason = opened.reason;
            outcome->fault = RecordFault::ReadOnly;
        }
        return std::move(opened.db);
    }
    outcome->status = OpenOutcome::Status::Unwritable;
    outcome->reason = opened.reason;
    outcome->fault = opened.fault == RecordFault::None ? RecordFault::Other : opened.fault;
    return nullptr;
}

} // namespace

std::unique_ptr<PracticeRecord> PracticeRecord::open(const QString& path, OpenOutcome* outcome,
                                                     bool createIfMissing,
                                                     const std::atomic<bool>* cancelled) {
    OpenOutcome ignored;
    outcome = outcome ? outcome : &ignored;
    *outcome = {};
    const QFileInfo file(path);
    if (!file.exists() && !createIfMissing) {
        outcome->status = OpenOutcome::Status::Missing;
        outcome->reason = RecordText::tr("%1: no practice record").arg(path);
        return nullptr;
    }
    if (!QDir().mkpath(file.absolutePath())) {
        outcome->status = OpenOutcome::Status::Unwritable;
        outcome->reason = RecordText::tr("the folder %1 cannot be made").arg(file.absolutePath());
        outcome->fault = folderFault(file.absolutePath());
        return nullptr;
    }
    Opened opened =
        openDatabase(path, createIfMissing ? Access::Create : Access::Existing, cancelled);
    // A file that cannot be opened for writing may still be read.
    if (opened.result == Opening::Unwritable && QFileInfo(path).isFile()) {
        Opened reading = openDatabase(path, Access::ReadOnly, cancelled);
        if (reading.result == Opening::ReadOnly)
            opened = std::move(reading);
    }
    if (opened.result == Opening::Damaged && !createIfMissing) {
        outcome->status = OpenOutcome::Status::Damaged;
        outcome->reason = RecordText::tr("%1: not a readable practice record").arg(path);
        return nullptr;
    }
    if (opened.result == Opening::Damaged) {
        opened.db.reset();
        outcome->brokenPath = moveAside(path, &outcome->reason);
        if (outcome->brokenPath.isEmpty()) {
            outcome->status = OpenOutcome::Status::Unwritable;
            return nullptr;
        }
        opened = openDatabase(path, Access::Create, cancelled);
        if (opened.result == Opening::Ready)
            outcome->status = OpenOutcome::Status::MovedAside;
    }
    std::unique_ptr<Database> db = readyOrNull(opened, outcome);
    return db ? std::unique_ptr<PracticeRecord>(new PracticeRecord(std::move(db))) : nullptr;
}

std::unique_ptr<PracticeRecord> PracticeRecord::openReader(const QString& path, int busyMs) {
    auto db = std::make_unique<Database>();
    db->path = path;
    db->readOnly = true;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db->handle, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        return nullptr;
    sqlite3_busy_timeout(db->handle, busyMs);
    if (inspectSchema(db->handle) != SchemaStatus::Current ||
        !identify(path, &db->device, &db->inode))
        return nullptr;
    db->statements = std::make_unique<StatementCache>(db->handle);
    return std::unique_ptr<PracticeRecord>(new PracticeRecord(std::move(db)));
}

bool PracticeRecord::isStillAtItsPath() const {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    return identify(m_db->path, &device, &inode) && device == m_db->device && inode == m_db->inode;
}

namespace {
// A write error the disk gave without saying why: a disk with no room, or a
// file at the size limit a user (or a quota) set, reads as a full disk.
bool noRoomToGrow(const QString& path) {
    struct statvfs disk {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::statvfs(folder.constData(), &disk) == 0 &&
        std::uint64_t(disk.f_bavail) * disk.f_frsize < (1u << 20))
        return true;
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return false;
    return QFileInfo(path).size() >= qint64(limit.rlim_cur) ||
           QFileInfo(path + QLatin1String("-wal")).size() >= qint64(limit.rlim_cur);
}
} // namespace

RecordFault faultOf(sqlite3* db, const QString& path) {
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        return RecordFault::NotAFile;
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return RecordFault::Locked;
    case SQLITE_FULL:
        return RecordFault::DiskFull;
    case SQLITE_READONLY:
        return RecordFault::ReadOnly;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return RecordFault::Damaged;
    default:
        break;
    }
    switch (sqlite3_system_errno(db)) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return RecordFault::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return RecordFault::ReadOnly;
    case EISDIR:
        return RecordFault::NotAFile;
    default:
        return noRoomToGrow(path) ? RecordFault::DiskFull : RecordFault::Other;
    }
}

} // namespace hearvex::record
