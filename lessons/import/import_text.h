// The import's messages, in the learner's language where the running program
// has installed a translation (the lesson tool does, from the locale).
#pragma once

#include <QCoreApplication>

namespace hearvex::lessons {

struct ImportText {
    Q_DECLARE_TR_FUNCTIONS(Import)
};

} // namespace hearvex::lessons
