// Waiting in a GoogleTest test for something the event loop brings about.
// Qt's QTRY_ macros report to a QTest run, which these tests are not: a
// failed wait there passes silently. These fail the test.
#pragma once

#include <QTest>
#include <gtest/gtest.h>

// Runs the event loop until expr holds, at most ms milliseconds.
#define HEARVEX_WAIT_FOR_MS(expr, ms)                                                              \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(expr); }, ms)) << "waited for: " #expr
#define HEARVEX_WAIT_FOR(expr) HEARVEX_WAIT_FOR_MS(expr, 5000)
