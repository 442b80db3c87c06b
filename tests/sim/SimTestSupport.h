#pragma once
// Shared by the simulated instrument's tests: options with a clock the test
// controls, and small helpers to build and read instrument texts.

#include "FieldCodec.h"
#include "RaisedError.h"
#include "SimInstrument.h"

#include <QDateTime>
#include <memory>

namespace simtest {

// 2026-12-05 14:03:09 on the computer's clock: 1796479389 seconds since 1970
// as the instrument counts them (computed by hand from the calendar).
inline constexpr int32_t kNowSeconds = 1796479389;

// A clock the test moves on.
struct TestClock {
    QDateTime now{QDate(2026, 12, 5), QTime(14, 3, 9)};
    void advance(int seconds) { now = now.addSecs(seconds); }
};

inline SimOptions options(const std::shared_ptr<TestClock>& clock, int datalogSize = 120, uint32_t seed = 1)
{
    SimOptions o;
    o.datalogSize = datalogSize;
    o.seed = seed;
    o.localClock = [clock] { return clock->now; };
    return o;
}

inline QByteArray reply(SimInstrument& instrument, const QByteArray& command)
{
    return instrument.Handle(command).value_or("<no reply>");
}

inline QByteArray command(const char* code, int word)
{
    FieldCodec codec;
    codec.BeginCommand(code);
    codec.AppendWord(word);
    return codec.GetText();
}

}  // namespace simtest
