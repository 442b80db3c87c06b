#pragma once
// The AppError a call raises, for tests that check its number and text.

#include "AppError.h"

#include <functional>
#include <gtest/gtest.h>

// A call that raises none fails the test and gives number 0.
inline AppError RaisedError(const std::function<void()>& call)
{
    try {
        call();
    } catch (const AppError& error) {
        return error;
    }
    ADD_FAILURE() << "no AppError raised";
    return AppError(0, {});
}
