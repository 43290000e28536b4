// A routine boundary catches std::exception once: a RuntimeError still reports its own number.
#include <gtest/gtest.h>

#include <new>

#include "platform/runtime_error.h"

TEST(Failure, ARuntimeErrorCaughtAsAnyExceptionKeepsItsNumberAndText) {
    try {
        tav::err::raise(tav::err::FileNotFound);
    } catch (const std::exception& e) {
        const tav::Failure f = tav::failureOf(e, 287);
        EXPECT_EQ(f.number, 53);
        EXPECT_EQ(f.description, QStringLiteral("ファイルが見つかりません。"));
    }
    const tav::Failure other = tav::failureOf(std::bad_alloc(), 287);
    EXPECT_EQ(other.number, 287);
    EXPECT_EQ(other.description, QStringLiteral("std::bad_alloc"));
}
