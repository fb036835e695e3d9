// Realistic practice for benchmarks and tests: sittings over many days on
// many sentences, each with a check and mostly a compare, some words missed.
#pragma once

#include "practice_record.h"

#include <QDateTime>
#include <vector>

namespace hearvex::record {

struct FillPlan {
    int attempts = 100000;
    int sentences = 2000;
    int days = 90;
    QDateTime end; // the last attempt's time; the days run up to it
    unsigned randomStart = 1;
};

// count attempts, oldest first, the same for the same plan.
std::vector<Attempt> realisticAttempts(const FillPlan& plan);

// Adds realisticAttempts(plan) to record in batches; false when a write failed.
bool fillRecord(PracticeRecord& record, const FillPlan& plan);

// A new file at copy holding record's lessons and checks and compares as the
// first version of the program kept them (version 1, no review schedule), to
// be migrated. The record must not be open for writing meanwhile.
bool writeFirstVersionCopy(const QString& record, const QString& copy, QString* error);

} // namespace hearvex::record
