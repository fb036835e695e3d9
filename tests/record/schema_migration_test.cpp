// A first-version record brought up to date in batches: stopped after any
// number of commits, killed inside one, or taken up by another copy of the
// program, it ends up the same, row for row, as one migrated in a single go.
#include "practice_record.h"
#include "record_fill.h"
#include "record_schema.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace hearvex::record;

constexpr int kAttempts = 1200;

sqlite3* openFile(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

void run(const QString& path, const char* sql) {
    sqlite3* db = openFile(path);
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

void appendRows(sqlite3* db, const std::string& sql, std::string* out) {
    sqlite3_stmt* rows = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &rows, nullptr), SQLITE_OK) << sql;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(rows); ++c) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(rows, c));
            *out += text ? text : "NULL";
            *out += '|';
        }
        *out += '\n';
    }
    sqlite3_finalize(rows);
}

// The version, the schema's text (not where its pages lie) and every
// table's rows in order.
std::string contents(const QString& path) {
    sqlite3* db = openFile(path);
    std::string out;
    appendRows(db, "PRAGMA user_version", &out);
    appendRows(db, "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name", &out);
    std::vector<std::string> tables;
    sqlite3_stmt* names = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1,
                       &names, nullptr);
    while (sqlite3_step(names) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(names, 0)));
    sqlite3_finalize(names);
    for (const std::string& table : tables) {
        out += table + ":\n";
        appendRows(db, "SELECT * FROM \"" + table + "\" ORDER BY rowid", &out);
    }
    sqlite3_close(db);
    return out;
}

// Where two dumps part, rather than the whole of both.
std::string firstDifference(const std::string& got, const std::string& expected) {
    std::size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at])
        ++at;
    if (at == got.size() && at == expected.size())
        return {};
    const std::size_t line =
        expected.rfind('\n', at) == std::string::npos ? 0 : expected.rfind('\n', at) + 1;
    return "got: " + got.substr(line, got.find('\n', at) - line) +
           "\nexpected: " + expected.substr(line, expected.find('\n', at) - line);
}

// The end of a process killed in the middle of a transaction.
int killAfterSteps(void* steps) {
    if (--*static_cast<int*>(steps) == 0)
        ::raise(SIGKILL);
    return 0;
}

struct Plan {
    const char* name;
    bool tiedTimes; // many attempts at the same millisecond
    int batch;
    std::vector<int> stopsAfter; // commits of each run before it stops
    int killAfter = 0;           // SQLite's progress calls (of 1000 steps) before a kill
    int batchesBeforeKill = 0;   // committed by then: none, or some
};

// The first column of sql's first row; -1 when it cannot be read.
std::int64_t integerOf(const QString& path, const char* sql) {
    sqlite3* db = openFile(path);
    sqlite3_stmt* row = nullptr;
    std::int64_t value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &row, nullptr) == SQLITE_OK &&
        sqlite3_step(row) == SQLITE_ROW)
        value = sqlite3_column_int64(row, 0);
    sqlite3_finalize(row);
    sqlite3_close(db);
    return value;
}

class SchemaMigrationTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new QTemporaryDir;
        FillPlan plan;
        plan.attempts = kAttempts;
        plan.sentences = 40;
        plan.days = 20;
        plan.end = QDateTime::fromString(QStringLiteral("2026-03-01T21:00:00+08:00"), Qt::ISODate);
        const QString filled = s_dir->filePath(QStringLiteral("filled.sqlite3"));
        {
            auto record = PracticeRecord::open(filled, nullptr);
            ASSERT_TRUE(record);
            ASSERT_TRUE(fillRecord(*record, plan));
        }
        QString error;
        ASSERT_TRUE(writeFirstVersionCopy(filled, first(false), &error)) << error.toStdString();
        ASSERT_TRUE(writeFirstVersionCopy(filled, first(true), &error)) << error.toStdString();
        // Whole quarter hours: a batch may end between attempts of one moment.
        run(first(true), "UPDATE attempts SET time_ms = time_ms - time_ms % 900000");
    }
    static void TearDownTestSuite() { delete s_dir; }

    static QString first(bool tiedTimes) {
        return s_dir->filePath(tiedTimes ? QStringLiteral("tied-v1.sqlite3")
                                         : QStringLiteral("v1.sqlite3"));
    }
    static QString copyOf(bool tiedTimes, const QString& name) {
        const QString path = s_dir->filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(QFile::copy(first(tiedTimes), path));
        return path;
    }
    static SchemaStatus migrate(const QString& path, MigrationBatches batches) {
        sqlite3* db = openFile(path);
        QString error;
        const SchemaStatus status = migrateSchema(db, &error, batches);
        EXPECT_NE(status, SchemaStatus::Failed) << error.toStdString();
        sqlite3_close(db);
        return status;
    }
    static QTemporaryDir* s_dir;
};

QTemporaryDir* SchemaMigrationTest::s_dir = nullptr;

TEST_F(SchemaMigrationTest, StoppedOrKilledAndTakenUpAgainItEndsAsOneMigratedInAGo) {
    const Plan plans[] = {
        {"stopped once the tables are made, before any replay", false, 100, {1}},
        {"stopped twice, batches not dividing the attempts", false, 97, {4, 3}},
        {"stopped after the last full batch", false, kAttempts / 4, {5}},
        {"batches ending between attempts of one moment", true, 7, {10, 30, 50}},
        {"killed while the tables are made", false, 100, {}, 20, 0},
        {"killed in the middle of the replay", false, 50, {}, 150, 1},
    };
    for (const bool tied : {false, true}) {
        const QString whole = copyOf(tied, QStringLiteral("whole.sqlite3"));
        ASSERT_EQ(migrate(whole, {}), SchemaStatus::Migrated);
        const std::string expected = contents(whole);
        ASSERT_EQ(expected.find("replay_progress"), std::string::npos)
            << "the replay's progress is dropped once it is done";
        for (const Plan& plan : plans) {
            if (plan.tiedTimes != tied)
                continue;
            SCOPED_TRACE(plan.name);
            const QString path = copyOf(tied, QStringLiteral("stopped.sqlite3"));
            for (const int stop : plan.stopsAfter) {
                ASSERT_EQ(migrate(path, {plan.batch, stop}), SchemaStatus::Older);
                // Half way, the file is still of the first version to every reader.
                sqlite3* db = openFile(path);
                EXPECT_EQ(schemaVersion(db), 1);
                sqlite3_close(db);
                EXPECT_FALSE(PracticeRecord::openReader(path));
            }
            if (plan.killAfter > 0) {
                const pid_t child = fork();
                ASSERT_GE(child, 0);
                if (child == 0) {
                    sqlite3* db = openFile(path);
                    int steps = plan.killAfter;
                    sqlite3_progress_handler(db, 1000, killAfterSteps, &steps);
                    QString error;
                    migrateSchema(db, &error, {plan.batch, 0});
                    _exit(0);
                }
                int status = 0;
                ASSERT_EQ(waitpid(child, &status, 0), child);
                ASSERT_TRUE(WIFSIGNALED(status)) << "the migration ended before the kill";
                EXPECT_EQ(integerOf(path, "PRAGMA user_version"), 1);
                const std::int64_t replayed = integerOf(path, "SELECT count(*) FROM missed_words");
                EXPECT_EQ(replayed > 0, plan.batchesBeforeKill > 0) << replayed;
            }
            // Taken up by two copies of the program by turns, a batch each.
            sqlite3* one = openFile(path);
            sqlite3* other = openFile(path);
            QString error;
            SchemaStatus status = SchemaStatus::Older;
            for (int turn = 0; status == SchemaStatus::Older && turn < 1000; ++turn)
                status = migrateSchema(turn % 2 ? other : one, &error, {plan.batch, 1});
            sqlite3_close(one);
            sqlite3_close(other);
            EXPECT_EQ(status, SchemaStatus::Migrated) << error.toStdString();
            EXPECT_EQ(firstDifference(contents(path), expected), "");
        }
    }
}

} // namespace
