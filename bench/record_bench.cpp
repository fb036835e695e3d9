// The practice record with 100,000 attempts (2,000 sentences over 90 days):
// the write of one attempt (each its own transaction, on the disk before it
// returns), the file's size per attempt, and the reads the program makes.
// With --keeper, on a record of a million attempts instead: how soon the
// window's thread is free while the record is opened on its own, what a check
// costs it with the record locked, and the lesson tool's memory for --csv.
// With --migrate, how long opening that record as the first version kept it
// takes, bringing it up to date, each of the migration's transactions, and
// the open that takes up a migration stopped half way.
//
//   record_bench [--attempts N] [--writes N]
//   record_bench --keeper [--attempts N]     (default 1,000,000; the filled
//                                              record is kept and reused)
//   record_bench --migrate [--attempts N]    (the same record, default 1,000,000)
// The record is written under $HEARVEX_BENCH_DIR (default /tmp/hearvex-bench).
#include "bench_measure.h"
#include "practice_record.h"
#include "record_fill.h"
#include "record_keeper_measures.h"
#include "record_schema.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>
#include <unistd.h>

using namespace hearvex::record;

namespace {

double msSince(std::int64_t startNs) {
    return double(bench::steadyNs() - startNs) / 1e6;
}

QString benchFolder() {
    const QByteArray dir = qgetenv("HEARVEX_BENCH_DIR");
    return dir.isEmpty() ? QStringLiteral("/tmp/hearvex-bench") : QString::fromLocal8Bit(dir);
}

void removeRecord(const QString& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path + QLatin1String(suffix));
}

std::unique_ptr<PracticeRecord> openOrDie(const QString& path) {
    OpenOutcome outcome;
    auto record = PracticeRecord::open(path, &outcome);
    if (!record) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(outcome.reason));
        std::exit(1);
    }
    return record;
}

// One more sitting's check, as the program writes it at the moment of the check.
Attempt oneMore(const Attempt& like, int n) {
    Attempt attempt = like;
    attempt.time = QDateTime::currentDateTime();
    attempt.lessonStarted = attempt.time.addSecs(-30 - n);
    return attempt;
}

void measureWrites(PracticeRecord& record, const Attempt& like, int writes) {
    std::vector<double> times;
    const double cpuBefore = bench::processCpuSeconds();
    for (int n = 0; n < writes; ++n) {
        const std::int64_t start = bench::steadyNs();
        if (!record.add(oneMore(like, n))) {
            std::fprintf(stderr, "write failed: %s\n", qPrintable(record.lastError()));
            std::exit(1);
        }
        times.push_back(msSince(start));
    }
    const double cpuMs = (bench::processCpuSeconds() - cpuBefore) * 1000 / writes;
    std::printf("write one attempt: median %.2f ms, 90%% %.2f ms, worst %.2f ms (%d writes);"
                " CPU %.2f ms a write\n",
                bench::percentile(times, 0.5), bench::percentile(times, 0.9),
                bench::percentile(times, 1.0), writes, cpuMs);
    std::printf("(each write waits for one fsync of the log; time it below)\n");
}

// What the disk itself asks: a 4 KB write and its fsync, as one commit makes.
void measureFsync(const QString& scratch, int count) {
    QFile file(scratch);
    if (!file.open(QIODevice::WriteOnly))
        return;
    std::vector<double> times;
    const QByteArray page(4096, 'x');
    for (int n = 0; n < count; ++n) {
        file.write(page);
        file.flush();
        const std::int64_t start = bench::steadyNs();
        ::fsync(file.handle());
        times.push_back(msSince(start));
    }
    file.remove();
    std::printf("fsync of 4 KB on this disk: median %.2f ms, worst %.2f ms\n",
                bench::percentile(times, 0.5), bench::percentile(times, 1.0));
}

template <typename Read> void measureRead(const char* what, Read read) {
    std::vector<double> times;
    std::vector<double> cpu;
    for (int n = 0; n < 5; ++n) {
        const std::int64_t start = bench::steadyNs();
        const double cpuBefore = bench::processCpuSeconds();
        read();
        times.push_back(msSince(start));
        cpu.push_back((bench::processCpuSeconds() - cpuBefore) * 1000);
    }
    // On a shared machine the wall time waits for the processor; the CPU time does not.
    std::printf("%s: median %.1f ms, worst %.1f ms; CPU median %.1f ms\n", what,
                bench::percentile(times, 0.5), bench::percentile(times, 1.0),
                bench::percentile(cpu, 0.5));
}

} // namespace

// A record of plan.attempts kept between runs: filling a million takes minutes.
QString keptRecord(FillPlan plan) {
    QDir().mkpath(benchFolder());
    const QString path =
        benchFolder() + QStringLiteral("/practice-keeper-%1.sqlite3").arg(plan.attempts);
    if (!QFileInfo::exists(path)) {
        plan.end = QDateTime::currentDateTime();
        plan.sentences = plan.attempts / 50;
        const std::int64_t start = bench::steadyNs();
        auto record = openOrDie(path);
        if (!fillRecord(*record, plan))
            std::exit(1);
        std::printf("filled %d attempts in %.1f s\n", plan.attempts, msSince(start) / 1000);
    }
    return path;
}

int keeperBench(const FillPlan& plan) {
    const QString path = keptRecord(plan);
    const qint64 bytes = QFileInfo(path).size() + QFileInfo(path + QLatin1String("-wal")).size();
    std::printf("record of %d attempts: %.1f MB\n", plan.attempts, double(bytes) / 1e6);
    bench::measureCsvMemory(QStringLiteral(HEARVEX_LESSON_TOOL), path);
    bench::measureKeeperOnWindowThread(path);
    return 0;
}

// A fresh copy of the first version's file to migrate.
QString firstVersionCopy(const FillPlan& plan) {
    const QString kept =
        benchFolder() + QStringLiteral("/practice-v1-%1.sqlite3").arg(plan.attempts);
    QString error;
    if (!QFileInfo::exists(kept) && !writeFirstVersionCopy(keptRecord(plan), kept, &error)) {
        std::fprintf(stderr, "cannot write the first version's record: %s\n", qPrintable(error));
        std::exit(1);
    }
    const QString path = benchFolder() + QStringLiteral("/practice-migrating.sqlite3");
    removeRecord(path);
    if (!QFile::copy(kept, path))
        std::exit(1);
    return path;
}

// The migration one transaction at a time, as a kill would leave it between
// any two: each commit's time; the longest is what a kill can throw away.
int commitByCommit(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        std::exit(1);
    std::vector<double> times;
    QString error;
    SchemaStatus status = SchemaStatus::Older;
    while (status == SchemaStatus::Older) {
        const std::int64_t start = bench::steadyNs();
        status = migrateSchema(db, &error, {20000, 1});
        times.push_back(msSince(start));
    }
    sqlite3_close(db);
    if (status != SchemaStatus::Migrated) {
        std::fprintf(stderr, "migration failed: %s\n", qPrintable(error));
        std::exit(1);
    }
    double total = 0;
    for (const double time : times)
        total += time;
    std::printf("transaction by transaction: %zu commits, %.1f s in all; the tables %.1f s, the "
                "longest batch of 20,000 %.1f s, median %.1f s\n",
                times.size(), total / 1000, times.front() / 1000,
                bench::percentile(std::vector<double>(times.begin() + 1, times.end()), 1.0) / 1000,
                bench::percentile(std::vector<double>(times.begin() + 1, times.end()), 0.5) / 1000);
    return int(times.size());
}

// Opening a record of the first version, which brings it to this one; then
// the same migration stopped half way (as by a kill) and taken up again.
int migrateBench(const FillPlan& plan) {
    QString path = firstVersionCopy(plan);
    std::int64_t start = bench::steadyNs();
    double cpuBefore = bench::processCpuSeconds();
    auto record = openOrDie(path);
    std::printf("open of a first-version record of %d attempts, migrating it: %.1f s, %.1f s CPU\n",
                plan.attempts, msSince(start) / 1000, bench::processCpuSeconds() - cpuBefore);
    record.reset();
    start = bench::steadyNs();
    record = openOrDie(path);
    std::printf("open of the same record once migrated: %.1f s\n", msSince(start) / 1000);
    record.reset();

    const int commits = commitByCommit(firstVersionCopy(plan));
    path = firstVersionCopy(plan);
    sqlite3* db = nullptr;
    QString error;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK ||
        migrateSchema(db, &error, {20000, commits / 2}) != SchemaStatus::Older)
        std::exit(1);
    sqlite3_close(db);
    start = bench::steadyNs();
    record = openOrDie(path);
    std::printf("open after a stop at commit %d of %d, going on from there: %.1f s\n", commits / 2,
                commits, msSince(start) / 1000);
    return 0;
}

int main(int argc, char** argv) {
    FillPlan plan;
    int writes = 200;
    bool keeper = false;
    bool migrate = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keeper") == 0 || std::strcmp(argv[i], "--migrate") == 0) {
            keeper = std::strcmp(argv[i], "--keeper") == 0;
            migrate = !keeper;
            plan.attempts = 1000000;
        } else if (i + 1 < argc && std::strcmp(argv[i], "--attempts") == 0) {
            plan.attempts = std::atoi(argv[++i]);
        } else if (i + 1 < argc && std::strcmp(argv[i], "--writes") == 0) {
            writes = std::atoi(argv[++i]);
        }
    }
    if (keeper)
        return keeperBench(plan);
    if (migrate)
        return migrateBench(plan);
    QDir().mkpath(benchFolder());
    const QString path = benchFolder() + QStringLiteral("/practice-bench.sqlite3");
    removeRecord(path);
    plan.end = QDateTime::currentDateTime();
    const std::int64_t start = bench::steadyNs();
    const double cpuBefore = bench::processCpuSeconds();
    {
        auto record = openOrDie(path);
        if (!fillRecord(*record, plan))
            return 1;
    }
    std::printf("filled %d attempts (%d sentences over %d days) in %.1f s, %.1f s CPU\n",
                plan.attempts, plan.sentences, plan.days, msSince(start) / 1000,
                bench::processCpuSeconds() - cpuBefore);
    const qint64 bytes = QFileInfo(path).size() + QFileInfo(path + QLatin1String("-wal")).size();
    std::printf("file: %.1f MB, %.0f bytes per attempt\n", double(bytes) / 1e6,
                double(bytes) / plan.attempts);

    std::unique_ptr<PracticeRecord> record;
    measureRead("open (with its integrity check)", [&] {
        record.reset();
        record = openOrDie(path);
    });
    const QDateTime now = QDateTime::currentDateTime();
    measureRead("summary(now), all the record window reads", [&] { (void)record->summary(now); });
    measureRead("due(now)", [&] { (void)record->due(now); });
    const Attempt like = record->attempts().back();
    measureRead("standing of one lesson", [&] { (void)record->standing(like.lesson); });
    measureRead("attempts(), all of them", [&] { (void)record->attempts(); });
    measureRead("writeCsv", [&] {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        record->writeCsv(out);
    });
    measureWrites(*record, like, writes);
    measureFsync(path + QStringLiteral(".fsync"), writes);
    return 0;
}
