// Archive, change and restore against the simulated instrument, through the
// Sensor as the program runs it.
#include "AppError.h"
#include "Exchange.h"
#include "Sensor.h"
#include "SetupArchive.h"
#include "SetupRecord.h"
#include "SetupTestSupport.h"
#include "SimulatorDriver.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SimulatorRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim = std::make_shared<SimInstrument>(SimOptions{});
        sensor = std::make_unique<Sensor>(SimulatorFactory(sim));
        sensor->OpenCommPort();
        ASSERT_TRUE(sensor->InstrumentSupported());
        sim->ClearLogs();
    }
    std::vector<QByteArray> storedRecords() const
    {
        std::vector<QByteArray> records;
        for (int i = 0; i < 250; ++i) records.push_back(sim->SetupRecord(i));
        return records;
    }

    QTemporaryDir dir;
    std::shared_ptr<SimInstrument> sim;
    std::unique_ptr<Sensor> sensor;
    RecordingProgress progress;
    FieldCodec codec;
};

}  // namespace

TEST_F(SimulatorRoundTrip, ArchiveChangeRestoreBringsBackTheOriginalSetups)
{
    const std::vector<QByteArray> original = storedRecords();
    const QString file = dir.filePath("sim.txt");
    const Exchange exchange = DirectExchange(*sensor);
    EXPECT_EQ(SetupArchive::Archive(exchange, file, progress, codec).SetupsArchived, 250);

    // The archive holds each setup as "P2", its index and the stored record.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 252);  // 251 lines and the empty rest after the last line end
    EXPECT_EQ(lines[12], "P20B" + original[11] + "\r");

    // Setups 12 and 250 are changed with "P0" after the archive.
    for (int number : {12, 250}) {
        ProductSetup setup;
        DecodeProductSetup(setup, original[number - 1], codec);
        setup.Name = "CHANGED";
        setup.MaxDistance = static_cast<int16_t>(setup.MaxDistance - 1);
        setup.Views(4).ColorIndex = 12;
        const QByteArray reply = exchange(WriteSetupCommand(setup, number, codec));
        EXPECT_EQ(reply, "p" + Hex4(number - 1));
        ProductSetup stored;
        DecodeProductSetup(stored, sim->SetupRecord(number - 1), codec);
        EXPECT_EQ(stored.Name, QByteArray("CHANGED"));
    }
    ASSERT_NE(storedRecords(), original);

    sim->ClearLogs();
    const SetupArchive::RestoreResult result = SetupArchive::Restore(exchange, file, progress, codec);
    EXPECT_EQ(result.SetupsRestored, 250);
    EXPECT_EQ(storedRecords(), original);
    ASSERT_EQ(sim->ReceivedCommands().size(), 250);
    EXPECT_EQ(sim->ReceivedCommands()[11], lines[12].chopped(1));
    EXPECT_EQ(progress.statuses.back(), "250 (250)");
}

TEST_F(SimulatorRoundTrip, EverySimulatedSetupSurvivesDecodeAndEncode)
{
    // What the editor loads and saves unchanged is what the instrument held.
    for (int i = 0; i < 250; ++i) {
        ProductSetup setup;
        DecodeProductSetup(setup, sim->SetupRecord(i), codec);
        codec.BeginCommand("P0");
        codec.AppendWord(i);
        EXPECT_EQ(EncodeProductSetup(setup, codec).mid(6), sim->SetupRecord(i)) << "setup " << i + 1;
    }
}

TEST_F(SimulatorRoundTrip, ARestoreLineTheInstrumentRefusesStopsThere)
{
    const QString file = dir.filePath("busy.txt");
    const Exchange exchange = DirectExchange(*sensor);
    SetupArchive::Archive(exchange, file, progress, codec);

    auto busy = std::make_shared<SimInstrument>([] {
        SimOptions options;
        options.faults.push_back({"P2", 3, SimFault::Kind::Refused});
        return options;
    }());
    Sensor busySensor(SimulatorFactory(busy));
    busySensor.OpenCommPort();
    busy->ClearLogs();
    try {
        SetupArchive::Restore(DirectExchange(busySensor), file, progress, codec);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InstrumentRefused);
        EXPECT_TRUE(e.description().contains("line 4")) << e.description().toStdString();
        EXPECT_TRUE(e.description().contains("error 04")) << e.description().toStdString();
    }
    EXPECT_EQ(busy->ReceivedCommands().size(), 3);
}
