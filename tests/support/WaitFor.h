#pragma once

#include <QTest>
#include <gtest/gtest.h>

// Waits, processing events, until a condition holds; running out of time fails the test.
// (Qt Test's QTRY_* macros only record a Qt Test failure, which GoogleTest never sees.)
#define WAIT_UNTIL(condition, timeoutMs)                                                                     \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, timeoutMs))                                 \
        << "timed out waiting for " #condition

#define WAIT_EQ(actual, expected, timeoutMs)                                                                 \
    do {                                                                                                     \
        (void)QTest::qWaitFor([&] { return (actual) == (expected); }, timeoutMs);                            \
        ASSERT_EQ(actual, expected) << "timed out waiting for " #actual;                                     \
    } while (false)
