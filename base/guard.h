// Two ways a failure is contained.
//
// skipOnError runs one step of a procedure that goes on when a step fails; the
// failure is dropped without a word, as the procedures built that way expect.
//
// runGuarded is the event boundary: every handler and timer tick runs through it,
// so a failure inside one ends that event only and the program goes on.
#pragma once

#include <exception>
#include <utility>

namespace hearvex::base {

void reportContainedFailure(const char* where, const char* what);

template <typename Step> bool skipOnError(Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

template <typename Handler> void runGuarded(const char* where, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& e) {
        reportContainedFailure(where, e.what());
    } catch (...) {
        reportContainedFailure(where, "unknown failure");
    }
}

} // namespace hearvex::base
