// hearvex-lesson record words [--db FILE] [--csv]: the word book (生词本) of
// the practice record, each word with its glosses, how often it was missed,
// the kinds of those misses and the sentences it was kept from.
#pragma once

#include <QByteArray>
#include <QList>

namespace hearvex::tool {

// The arguments after "record words". Returns the exit status.
int runWordBookCommand(const QList<QByteArray>& args);

} // namespace hearvex::tool
