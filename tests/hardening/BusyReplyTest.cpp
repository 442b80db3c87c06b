// A busy instrument ("?04": nothing done, send it again) on every kind of
// command: the link resends it by itself, and what the operation produces is
// exactly what it produces without the busy replies. Busy that persists is
// the operator's to retry.
#include "AppError.h"
#include "DatalogCapture.h"
#include "DisplayRead.h"
#include "HardeningSupport.h"
#include "InstrumentOperations.h"
#include "LinkWait.h"
#include "ProgressSink.h"
#include "RunConfigQuery.h"
#include "Sensor.h"
#include "SetupArchive.h"
#include "SimulatorDriver.h"
#include "frmCapture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Hardening;

namespace {

struct Outcome {
    QByteArray product;         // everything the operations returned or wrote
    QList<QByteArray> received; // every command the instrument received
};

// Every kind of command once: identification, status, clock, datalog record,
// setup read, setup restore, run configuration query, display read.
Outcome runEveryKind(const std::vector<SimFault>& faults)
{
    QTemporaryDir dir;
    SimOptions options = InstrumentOptions(faults);
    auto instrument = std::make_shared<SimInstrument>(options);
    Sensor sensor(SimulatorFactory(instrument));
    sensor.OpenCommPort();
    const Exchange exchange = DirectExchange(sensor);
    SilentProgress progress;

    Outcome outcome;
    outcome.product += sensor.ModelName().toLatin1() + sensor.SerialNumber().toLatin1() + '\n';
    outcome.product += QByteArray::number(InstrumentOperations::DatalogCount(sensor)) + '\n';
    InstrumentOperations::SetClock(sensor, 1700000000);
    const QString capture = dir.filePath("capture.txt");
    DatalogCapture::Run(exchange, 5, capture, QStringLiteral("\t"), progress, QLocale::c());
    const QString archive = dir.filePath("archive.txt");
    SetupArchive::Archive(exchange, archive, progress);
    outcome.product += ReadWhole(capture) + ReadWhole(archive);
    outcome.product += QByteArray::number(SetupArchive::Restore(exchange, archive, progress).SetupsRestored) + '\n';
    const RunConfigChoice runConfig = QueryRunConfiguration(exchange);
    outcome.product += QByteArray::number(runConfig.Variant) + '\n';
    outcome.product += ScreenCapture::ReadDisplay(exchange).toHex() + '\n';
    outcome.received = instrument->ReceivedCommands();
    return outcome;
}

}  // namespace

TEST(BusyReplies, EveryKindOfCommandIsResentAndTheResultIsUnchanged)
{
    const Outcome undisturbed = runEveryKind({});
    // Busy twice in a row on the prefix's n-th command.
    const struct { const char* prefix; int occurrence; } cases[] = {
        {"#", 1}, {"D0001", 1}, {"X000", 1}, {"S1", 3}, {"P1", 100}, {"P2", 7}, {"Q1", 2}, {"V0001", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        QElapsedTimer took;
        took.start();
        const Outcome busy = runEveryKind({{c.prefix, c.occurrence, SimFault::Kind::Refused},
                                           {c.prefix, c.occurrence + 1, SimFault::Kind::Refused}});
        EXPECT_GE(took.elapsed(), 150) << "really paused 50, then 100 ms before resending";
        EXPECT_EQ(busy.product, undisturbed.product) << "byte for byte what a link without busy replies gives";
        const auto count = [&](const QList<QByteArray>& sent) {
            return std::count_if(sent.begin(), sent.end(), [&](const QByteArray& command) { return command.startsWith(c.prefix); });
        };
        EXPECT_EQ(count(busy.received), count(undisturbed.received) + 2) << "sent again once for each busy reply";
        EXPECT_EQ(busy.received.size(), undisturbed.received.size() + 2);
    }
}

TEST(BusyReplies, BusyThatPersistsIsOfferedForRetryAfterThePauses)
{
    // Busy six times: the first send and the five resends.
    std::vector<SimFault> faults;
    for (int occurrence = 1; occurrence <= 6; ++occurrence) faults.push_back({"D0001", occurrence, SimFault::Kind::Refused});
    Program p;
    p.Start(InstrumentOptions(faults));
    p.env.answers = {MessageAnswer::Retry};

    std::vector<int> pauses;
    LinkWait::SetPauseHandler([&pauses](int milliseconds) { pauses.push_back(milliseconds); });
    const int16_t count = p.window->DatalogCount();
    LinkWait::SetPauseHandler({});
    // Each pause twice the one before, 1.55 s in all before the operator is asked.
    EXPECT_EQ(pauses, (std::vector<int>{50, 100, 200, 400, 800}));
    EXPECT_EQ(count, 5);
    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_EQ(p.env.messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_TRUE(p.env.messages[0].text.startsWith(QStringLiteral("The instrument is busy\r\n\r\n")) &&
                p.env.messages[0].text.contains(QStringLiteral("D0001")))
        << qPrintable(p.env.messages[0].text);
    EXPECT_EQ(p.SentWith("D0001"), 7) << "six busy replies, then Retry got the answer";
}
