#pragma once

#include <QTest>

#include <gtest/gtest.h>

// Waits that fail the GoogleTest test. Qt's own QTRY_VERIFY and QVERIFY only return from the
// test body when they fail, so the test passes; these spin the event loop until the condition
// holds or the deadline passes, then check it and name what was waited for.
inline constexpr int kWaitMs = 5000;

#define EXPECT_SOON(condition)                                                                 \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, kWaitMs))                     \
        << "waited " << kWaitMs << " ms for: " #condition

#define ASSERT_SOON(condition)                                                                 \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, kWaitMs))                     \
        << "waited " << kWaitMs << " ms for: " #condition
