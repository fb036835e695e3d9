// What the learner is told about the record's trouble, in Chinese: a short
// line for the main window and a fuller note (the record's path, what went
// wrong, what to do) for its tooltip and the record window.
#pragma once

#include "record_keeper.h"

#include <QString>

namespace hearvex::record {

struct KeeperWords {
    QString line; // the main window's; empty while all is well
    QString note; // the record window's and the line's tooltip
};

KeeperWords keeperWords(const RecordKeeper::Status& status, const QString& recordPath);

} // namespace hearvex::record
