#include "guard.h"

#include <QtGlobal>

namespace hearvex::base {

void reportContainedFailure(const char* where, const char* what) {
    // Developers see it on the terminal; learners are never interrupted by it.
    qWarning("hearvex: failure in %s contained: %s", where, what);
}

} // namespace hearvex::base
