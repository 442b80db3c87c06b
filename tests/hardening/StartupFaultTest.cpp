// Faults while the program starts: nothing at start-up catches an error of
// the link, so it leaves Form_Load as it was raised, for the application's top
// level to report ("Fatal Error #", the number, the description) before the
// program ends (tests/app/ProgramTest.cpp shows that report).
#include "AppError.h"
#include "HardeningSupport.h"
#include "Sensor.h"
#include "SimulatorDriver.h"

#include <gtest/gtest.h>

using namespace Hardening;

namespace {

// Starts the main window on an instrument with the fault; returns the error
// that left Form_Load (number 0 when none did).
AppError startWith(Program& program, const SimFault& fault)
{
    program.instrument = std::make_shared<SimInstrument>(InstrumentOptions({fault}));
    program.window = std::make_unique<frmUtility>(SimulatorFactory(program.instrument));
    try {
        program.window->Form_Load();
    } catch (const AppError& error) {
        return error;
    }
    return AppError(0, {});
}

}  // namespace

TEST(StartupFaults, ATimeoutAtEachStartUpCommandLeavesFormLoadUncaught)
{
    const struct {
        QByteArray command;
        QList<QByteArray> received;  // by the instrument, up to the fault
    } rows[] = {
        {"R", {"R"}},
        {"+1", {"R", "+1"}},
        {"#", {"R", "+1", "#"}},
    };
    for (const auto& row : rows) {
        Program program;
        const AppError error = startWith(program, {row.command, 1, SimFault::Kind::NoReply});
        EXPECT_EQ(error.number(), ErrorNumber::CommTimeout) << row.command.constData();
        EXPECT_TRUE(error.description().contains(QString::fromLatin1(row.command))) << qPrintable(error.description());
        EXPECT_EQ(program.Sent(), row.received) << "nothing is sent after the command that timed out";
        // No Retry is offered at start-up, and the window shows nothing itself.
        EXPECT_TRUE(program.env.messages.empty()) << row.command.constData();
        EXPECT_TRUE(program.window->SensorDriver().InstrumentConnected());
        EXPECT_TRUE(program.window->SensorDriver().ModelName().isEmpty()) << "not identified";
    }
}

TEST(StartupFaults, RefusedIdentificationLeavesFormLoadUncaught)
{
    // "?03" has no model name to read. (A damaged identification, reported
    // by the running program's top level, is in tests/app/ProgramTest.cpp.)
    Program program;
    const AppError error = startWith(program, {"#", 1, SimFault::Kind::Rejected});
    EXPECT_EQ(error.number(), ErrorNumber::MalformedText);
    EXPECT_EQ(program.Sent(), (QList<QByteArray>{"R", "+1", "#"}));
    EXPECT_TRUE(program.env.messages.empty());
}
