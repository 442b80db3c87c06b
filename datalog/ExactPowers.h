#pragma once
// Powers of a base as doubles, made when the program is built. A double
// holds every power of two here exactly, and the powers of ten up to 10^22:
// numbers are written and read by multiplying or dividing by them without a
// rounding of their own.

#include <array>
#include <cstddef>

// base^0 .. base^(Count - 1).
template <std::size_t Count>
constexpr std::array<double, Count> PowersOf(double base)
{
    std::array<double, Count> powers{};
    double power = 1.0;
    for (double& entry : powers) {
        entry = power;
        power *= base;
    }
    return powers;
}
