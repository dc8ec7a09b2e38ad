#pragma once

#include <cstdint>
#include <functional>

#include <gtest/gtest.h>

#include "common/outlook/RaisedError.h"

namespace telvane::forms::test {

// Runs `action` and reports the number of the RaisedError it raised: 0 when it returned
// normally. Used as EXPECT_EQ(380, RaisedNumber(...)) so that a failure prints what was raised.
inline std::int32_t RaisedNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const RaisedError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace telvane::forms::test
