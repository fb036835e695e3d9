// What the window's thread meets on a large record kept by the RecordKeeper,
// and the lesson tool's memory for record --csv; for record_bench.
#pragma once

#include <QString>

namespace bench {

// From the start of the keeper until the window's thread could take input
// (the longest it went without running its event loop, and how long its own
// calls took) while the keeper opens, checks and writes; then the same with
// the record locked by another connection.
void measureKeeperOnWindowThread(const QString& recordPath);

// Peak resident memory of `tool record --csv --db recordPath`, its output
// thrown away.
void measureCsvMemory(const QString& tool, const QString& recordPath);

} // namespace bench
