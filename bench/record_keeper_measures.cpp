#include "record_keeper_measures.h"

#include "bench_measure.h"
#include "record_keeper.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hearvex::record;

namespace bench {

namespace {

double msBetween(std::int64_t fromNs, std::int64_t toNs) {
    return double(toNs - fromNs) / 1e6;
}

Attempt checkNow(int n) {
    Attempt attempt;
    attempt.time = QDateTime::currentDateTime();
    attempt.lessonStarted = attempt.time.addSecs(-30);
    attempt.lesson = {QStringLiteral("bench.txt"), QStringLiteral("/bench"),
                      QStringLiteral("A sentence for the bench number %1.").arg(n), "bench"};
    attempt.wordsRight = 5;
    attempt.wordsTotal = 7;
    return attempt;
}

// Runs the event loop with a 5 ms timer until done() holds: the longest gap
// between two ticks is the longest the window would have ignored input.
template <typename Done> double longestGapUntil(Done done, int limitMs) {
    QTimer tick;
    std::int64_t last = steadyNs();
    double longest = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const std::int64_t now = steadyNs();
        longest = std::max(longest, msBetween(last, now));
        last = now;
    });
    tick.start(5);
    const std::int64_t start = steadyNs();
    while (!done() && msBetween(start, steadyNs()) < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return longest;
}

// VmHWM of this process.
double peakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

} // namespace

void measureKeeperOnWindowThread(const QString& recordPath) {
    int argc = 1;
    char name[] = "record_bench";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QObject context;
    RecordKeeper::Status status;
    const std::int64_t start = steadyNs();
    RecordKeeper keeper(recordPath, &context, [&](const RecordKeeper::Status& s) { status = s; });
    keeper.start();
    const double startMs = msBetween(start, steadyNs());
    // Checks made while the record is being opened, every 100 ms.
    std::vector<double> addMs;
    QTimer checks;
    int made = 0;
    QObject::connect(&checks, &QTimer::timeout, [&] {
        const std::int64_t before = steadyNs();
        keeper.add(checkNow(made++));
        addMs.push_back(msBetween(before, steadyNs()));
    });
    checks.start(100);
    const double gap =
        longestGapUntil([&] { return status.state != RecordKeeper::State::Opening; }, 120000);
    const double openedMs = msBetween(start, steadyNs());
    checks.stop();
    std::printf("keeper on the window's thread: start() %.2f ms; record opened and checked after"
                " %.1f s; longest the window went without its event loop meanwhile %.1f ms;"
                " %d checks made meanwhile, each %.2f ms at most\n",
                startMs, openedMs / 1000, gap, made, percentile(addMs, 1.0));
    // What the window reads itself: F12's due sentences, a lesson's tooltip.
    std::int64_t mark = steadyNs();
    const auto reader = PracticeRecord::openReader(recordPath);
    const double openMs = msBetween(mark, steadyNs());
    if (reader) {
        mark = steadyNs();
        const std::size_t due = reader->due(QDateTime::currentDateTime(), 20).size();
        const double dueMs = msBetween(mark, steadyNs());
        mark = steadyNs();
        reader->standing(checkNow(0).lesson);
        std::printf("the window's own look-ups: reader opened %.1f ms; F12's due(now, 20) (%zu)"
                    " %.1f ms; a lesson's standing %.1f ms\n",
                    openMs, due, dueMs, msBetween(mark, steadyNs()));
    }

    // Another program holds the record's lock: checks go on, kept.
    sqlite3* other = nullptr;
    sqlite3_open(QFile::encodeName(recordPath).constData(), &other);
    sqlite3_busy_timeout(other, 10000);
    if (sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        std::printf("the record could not be locked: %s\n", sqlite3_errmsg(other));
    addMs.clear();
    for (int n = 0; n < 20; ++n) {
        const std::int64_t before = steadyNs();
        keeper.add(checkNow(made++));
        addMs.push_back(msBetween(before, steadyNs()));
        longestGapUntil([] { return false; }, 50);
    }
    const double lockedGap = longestGapUntil([] { return false; }, 1000);
    std::printf("record locked: 20 checks, each %.2f ms at most on the window's thread; longest"
                " gap of its event loop %.1f ms; %d waiting\n",
                percentile(addMs, 1.0), lockedGap, keeper.status().waiting);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    const std::int64_t unlocked = steadyNs();
    longestGapUntil([&] { return keeper.status().waiting == 0; }, 30000);
    std::printf("lock let go: all written %.0f ms later\n", msBetween(unlocked, steadyNs()));

    // The window's export, written by the keeper beside the record.
    const QString csv = recordPath + QStringLiteral(".export.csv");
    const double peakBefore = peakMegabytes();
    bool exported = false;
    const std::int64_t exportStart = steadyNs();
    keeper.exportCsv(csv, true, [&](const QString&) { exported = true; });
    const double exportGap = longestGapUntil([&] { return exported; }, 300000);
    std::printf("the window's CSV export: %.1f s, longest gap of the event loop %.1f ms;"
                " peak memory %.1f MB before, %.1f MB after\n",
                msBetween(exportStart, steadyNs()) / 1000, exportGap, peakBefore, peakMegabytes());
    QFile::remove(csv);
}

void measureCsvMemory(const QString& tool, const QString& recordPath) {
    const std::int64_t start = steadyNs();
    const pid_t child = fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(null, 1);
        const QByteArray program = QFile::encodeName(tool);
        const QByteArray db = QFile::encodeName(recordPath);
        execl(program.constData(), program.constData(), "record", "--csv", "--db", db.constData(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("hearvex-lesson record --csv: exit %d, %.1f s, peak memory %.1f MB\n",
                WIFEXITED(status) ? WEXITSTATUS(status) : -1, msBetween(start, steadyNs()) / 1000,
                double(usage.ru_maxrss) / 1024);
}

} // namespace bench
