// Faults while the program starts: nothing at start-up catches an error of
// the link, so it leaves Form_Load as it was raised, for the application's top
// level to report ("Fatal Error #", the number, the description) before the
// program ends (tests/app/ProgramTest.cpp shows that report).
#include "HardeningSupport.h"
#include "RaisedError.h"
#include "Sensor.h"

#include <gtest/gtest.h>

using namespace Hardening;

TEST(StartupFaults, ATimeoutAtEachStartUpCommandOrARefusedIdentificationLeavesFormLoadUncaught)
{
    // A refused "#" ("?03") has no model name to read. (A damaged
    // identification, reported by the running program's top level, is in
    // tests/app/ProgramTest.cpp.)
    // The fault, the error, what the instrument received up to the fault.
    const struct { SimFault fault; int32_t number; QList<QByteArray> received; } rows[] = {
        {{"R", 1, SimFault::Kind::NoReply}, ErrorNumber::CommTimeout, {"R"}},
        {{"+1", 1, SimFault::Kind::NoReply}, ErrorNumber::CommTimeout, {"R", "+1"}},
        {{"#", 1, SimFault::Kind::NoReply}, ErrorNumber::CommTimeout, {"R", "+1", "#"}},
        {{"#", 1, SimFault::Kind::Rejected}, ErrorNumber::MalformedText, {"R", "+1", "#"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.received.size());
        Program program;
        const AppError error = RaisedError([&] { program.Start(InstrumentOptions({row.fault})); });
        EXPECT_EQ(error.number(), row.number);
        EXPECT_TRUE(row.number != ErrorNumber::CommTimeout || error.description().contains(row.fault.commandPrefix))
            << qPrintable(error.description());
        EXPECT_EQ(program.sent(), row.received) << "nothing is sent after the command that failed";
        // No Retry is offered at start-up, and the window shows nothing itself.
        EXPECT_TRUE(program.env.messages.empty());
        EXPECT_TRUE(program.window->SensorDriver().InstrumentConnected());
        EXPECT_TRUE(program.window->SensorDriver().ModelName().isEmpty()) << "not identified";
    }
}
