#pragma once
// The AppError a call raises, for tests that check its number and text.

#include "AppError.h"

#include <functional>
#include <gtest/gtest.h>

// One numbered 0 when the call raises none (for calls that may succeed).
inline AppError ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const AppError& error) {
        return error;
    }
    return AppError(0, {});
}

// For a call that must raise: one that raises none fails the test.
inline AppError RaisedError(const std::function<void()>& call)
{
    const AppError error = ErrorOf(call);
    if (error.number() == 0) ADD_FAILURE() << "no AppError raised";
    return error;
}
