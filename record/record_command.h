// hearvex-lesson record: the practice record as a list or as CSV.
//
//   hearvex-lesson record [--db FILE] [--csv]       every attempt, oldest first
//   hearvex-lesson record due [--db FILE] [--csv]   the sentences due now
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::record {

// args: what follows "record". Returns the exit status.
int runRecordCommand(const QList<QByteArray>& args);

} // namespace hearvex::record
