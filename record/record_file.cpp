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

enum class Opening { Ready, Damaged, Unwritable, Newer };

struct Opened {
    Opening result = Opening::Unwritable;
    std::unique_ptr<PracticeRecord::Database> db;
    QString reason;
};

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

// Nothing is changed until the file is known to be a sound record of ours.
Opening configure(sqlite3* db, bool writing, QString* reason) {
    sqlite3_busy_timeout(db, 5000);
    switch (inspectSchema(db)) {
    case SchemaStatus::Failed:
        return notReady(db);
    case SchemaStatus::Foreign:
        return Opening::Damaged;
    case SchemaStatus::Newer:
        *reason = RecordText::tr("the record was written by a newer version of Hearvex");
        return Opening::Newer;
    default:
        break;
    }
    if (!passesQuickCheck(db))
        return sqlite3_errcode(db) == SQLITE_OK ? Opening::Damaged : notReady(db);
    if (writing && (!journalIsWal(db) || sqlite3_db_readonly(db, "main") == 1)) {
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

Opened openDatabase(const QString& path, bool create) {
    Opened opened;
    opened.db = std::make_unique<PracticeRecord::Database>();
    opened.db->path = path;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3*& handle = opened.db->handle;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, flags, nullptr) !=
        SQLITE_OK) {
        opened.reason = errorText(handle);
        opened.result = isDamage(sqlite3_errcode(handle)) ? Opening::Damaged : Opening::Unwritable;
        return opened;
    }
    opened.result = configure(handle, create, &opened.reason);
    if (opened.result != Opening::Ready && opened.reason.isEmpty())
        opened.reason = errorText(handle);
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
    if (opened.result == Opening::Ready) {
        opened.db->statements = std::make_unique<StatementCache>(opened.db->handle);
        return std::move(opened.db);
    }
    outcome->status = OpenOutcome::Status::Unwritable;
    outcome->reason = opened.reason;
    return nullptr;
}

} // namespace

std::unique_ptr<PracticeRecord> PracticeRecord::open(const QString& path, OpenOutcome* outcome,
                                                     bool createIfMissing) {
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
        return nullptr;
    }
    Opened opened = openDatabase(path, createIfMissing);
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
        opened = openDatabase(path, true);
        if (opened.result == Opening::Ready)
            outcome->status = OpenOutcome::Status::MovedAside;
    }
    std::unique_ptr<Database> db = readyOrNull(opened, outcome);
    return db ? std::unique_ptr<PracticeRecord>(new PracticeRecord(std::move(db))) : nullptr;
}

} // namespace hearvex::record
