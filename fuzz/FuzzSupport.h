#pragma once
// What every fuzz target shares: a check that aborts (so that libFuzzer
// records the input as a crash), and the rule that a decoder may refuse its
// input only with the errors it documents.

#include "AppError.h"

#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#define FUZZ_CHECK(condition)                                                                              \
    do {                                                                                                   \
        if (!(condition)) {                                                                                \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);       \
            std::abort();                                                                                  \
        }                                                                                                  \
    } while (false)

namespace Fuzz {

inline QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// An AppError whose number is not one of those the code under test may
// raise for bad input is a finding.
inline void ExpectOneOf(const AppError& error, std::initializer_list<int32_t> numbers)
{
    for (int32_t number : numbers)
        if (error.number() == number) return;
    std::fprintf(stderr, "unexpected error %d: %s\n", error.number(), qPrintable(error.description()));
    std::abort();
}

}  // namespace Fuzz
