// The practice record's messages, in the learner's language where the running program
// has installed a translation (the lesson tool does, from the locale).
#pragma once

#include <QCoreApplication>

namespace hearvex::record {

struct RecordText {
    Q_DECLARE_TR_FUNCTIONS(Record)
};

} // namespace hearvex::record
