// The 练习记录 window with a long record: from the F10 press (the store
// already open) to the window painted, with 100,000 attempts recorded; and
// its parts: reading the summary, opening the store at start.
//
//   record_window_bench [ATTEMPTS [FILE]]   (QT_QPA_PLATFORM=offscreen, or under a display)
// FILE keeps the filled record for the next run, which then reads it as it is.
#include "bench_measure.h"
#include "record_fill.h"
#include "record_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

double msSince(std::int64_t startNs) {
    return double(bench::steadyNs() - startNs) / 1e6;
}

void report(const char* what, const std::vector<double>& ms) {
    std::printf("%-44s median %7.1f ms   max %7.1f ms   (%zu runs)\n", what,
                bench::percentile(ms, 0.5), bench::percentile(ms, 1.0), ms.size());
}

// As F10 opens it: the summary read, the window built and filled, shown and painted.
double openWindowMs(const hearvex::record::PracticeRecord& record, QWidget& owner,
                    std::vector<double>& cpuMs) {
    const double cpuStart = bench::processCpuSeconds();
    const std::int64_t start = bench::steadyNs();
    const QDateTime now = QDateTime::currentDateTime();
    auto* window = new hearvex::record::RecordWindow(&owner);
    window->showSummary(record.summary(now), now);
    window->show();
    window->repaint();
    QCoreApplication::processEvents();
    const double ms = msSince(start);
    cpuMs.push_back((bench::processCpuSeconds() - cpuStart) * 1000);
    window->close(); // deletes it
    QCoreApplication::processEvents();
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int attempts = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                  : dir.filePath(QStringLiteral("practice.sqlite3"));
    const bool filled = QFileInfo::exists(path);

    hearvex::record::OpenOutcome outcome;
    auto record = hearvex::record::PracticeRecord::open(path, &outcome);
    hearvex::record::FillPlan plan;
    plan.attempts = attempts;
    plan.end = QDateTime::currentDateTime();
    const std::int64_t fillStart = bench::steadyNs();
    if (!record || (!filled && !hearvex::record::fillRecord(*record, plan))) {
        std::fprintf(stderr, "record_window_bench: could not fill the record\n");
        return 1;
    }
    if (!filled)
        std::printf("record: %d attempts written in %.1f s\n", attempts, msSince(fillStart) / 1000);
    std::printf("record: %zu attempts\n", record->attempts().size());
    record.reset();

    std::vector<double> opening, summary, window, windowCpu;
    QWidget owner;
    for (int run = 0; run < 7; ++run) {
        std::int64_t start = bench::steadyNs();
        record = hearvex::record::PracticeRecord::open(path, &outcome);
        opening.push_back(msSince(start));
        start = bench::steadyNs();
        const auto figures = record->summary(QDateTime::currentDateTime());
        summary.push_back(msSince(start));
        window.push_back(openWindowMs(*record, owner, windowCpu));
        record.reset();
    }
    report("opening the store (at start)", opening);
    report("reading the summary", summary);
    report("F10: window read, built and painted", window);
    report("  the same in CPU time (on a busy machine)", windowCpu);
    std::printf("target: the window in under 300 ms\n");
    return 0;
}
