#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "common/outlook/RaisedError.h"

namespace telvane::memory::testing {

// Passes when `call` raises RaisedError `number`; otherwise says what happened instead.
template <class Call>
::testing::AssertionResult Raises(std::int32_t number, Call&& call) {
    try {
        call();
    } catch (const RaisedError& error) {
        if (error.Number() == number)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised " << error.Number() << " ("
                                             << error.Description() << "), expected " << number;
    }
    return ::testing::AssertionFailure() << "raised nothing, expected " << number;
}

}  // namespace telvane::memory::testing
