#pragma once
// The AppError an action raises, or one numbered 0 when it raises none.

#include "AppError.h"

#include <functional>

inline AppError ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& e) {
        return e;
    }
    return AppError(0, QString());
}
