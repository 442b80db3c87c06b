// The datalog the simulated instrument starts with: repeatable from its seed,
// realistic, with colour values that agree with the spectra, and written out
// as a stored datalog file.
#include "Colorimetry.h"
#include "SimTestSupport.h"
#include "StoredDatalogFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace simtest;

namespace {

QList<QByteArray> allRecords(SimInstrument& instrument)
{
    QList<QByteArray> replies;
    for (int i = 0; i < instrument.DatalogCount(); ++i) replies.append(reply(instrument, command("S1", i)));
    return replies;
}

}  // namespace

TEST(SimContent, SameSeedSameContent)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument a(options(clock, 200));
    SimInstrument b(options(clock, 200));
    EXPECT_EQ(allRecords(a), allRecords(b));
    for (int s = 0; s < 250; s += 7) EXPECT_EQ(a.SetupRecord(s), b.SetupRecord(s));

    SimOptions other = options(clock, 200);
    other.seed = 2;
    SimInstrument c(other);
    EXPECT_NE(allRecords(a), allRecords(c));
    // The fixed first product stays, with other readings.
    EXPECT_EQ(c.Setup(0).name, "RED ENAMEL 12");
}

TEST(SimContent, DatalogHoldsTheCasesACaptureMustSurvive)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 120));
    const auto& log = instrument.Datalog();
    ASSERT_EQ(log.size(), 120u);

    bool comma = false, semicolon = false, tab = false, latin1 = false, midnight = false, unnamedCode = false,
         negativeCode = false, large = false, negative = false;
    int32_t previous = INT32_MIN;
    for (const SimDatalogRecord& r : log) {
        const QByteArray texts = r.product + r.sampleId;
        comma |= texts.contains(',');
        semicolon |= texts.contains(';');
        tab |= texts.contains('\t');
        latin1 |= texts.contains('\xC9');
        EXPECT_FALSE(texts.contains('\r') || texts.contains('\n'));
        midnight |= r.time % 86400 == 0;
        unnamedCode |= r.standardType > 3 || r.viewType > 6 || r.illObs > 17 || r.scale > 6 ||
                       (r.index > 12 && r.index < 21) || r.index > 29;
        negativeCode |= r.viewType < 0 || r.illObs < 0 || r.scale < 0 || r.index < 0 || r.standardType < 0;
        for (float v : r.indexData) large |= v >= 1000.0f;
        for (float v : r.scaleData) negative |= v < 0.0f;
        for (float v : r.spectrum) {
            EXPECT_GT(v, 0.0f);
            EXPECT_LT(v, 130.0f);
        }
        EXPECT_GE(r.time, previous);  // in the order they were made
        previous = r.time;
        EXPECT_LT(r.time, kNowSeconds);
    }
    EXPECT_TRUE(comma);
    EXPECT_TRUE(semicolon);
    EXPECT_TRUE(tab);
    EXPECT_TRUE(latin1);
    EXPECT_TRUE(midnight);
    EXPECT_TRUE(unnamedCode);
    EXPECT_TRUE(negativeCode);
    EXPECT_TRUE(large);
    EXPECT_TRUE(negative);

    // Runs: a standard reading with sequence 0 opens each, its samples follow
    // in sequence 1, 2, ... with the same run number and setup.
    for (size_t i = 0; i < log.size(); ++i) {
        const SimDatalogRecord& r = log[i];
        EXPECT_EQ(r.standard, r.sequence == 0);
        if (r.sequence > 0) {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(log[i - 1].run, r.run);
            EXPECT_EQ(log[i - 1].sequence + 1, r.sequence);
            EXPECT_EQ(log[i - 1].setup, r.setup);
        } else if (i > 0) {
            EXPECT_EQ(log[i - 1].run + 1, r.run);
        }
        EXPECT_FALSE(instrument.Setup(r.setup).isEmpty());
    }
}

TEST(SimContent, ColourValuesAgreeWithTheSpectra)
{
    using namespace Colorimetry;
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 300));
    int checkedLab = 0, checkedDeltaE = 0;
    for (const SimDatalogRecord& r : instrument.Datalog()) {
        const Conditions c = ConditionsOfCode(r.illObs);
        const Triple white = WhitePoint(c);
        const Triple xyz = Tristimulus(r.spectrum, c);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.tristimulus[k], xyz[k], 1e-3);
        const Triple lab = XYZToLab(xyz, white);
        if (r.scale == 1) {
            ++checkedLab;
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.scaleData[k], lab[k], 2e-3);
            // The second run is the standard's: its difference is the record's dE*.
            const double dE = std::sqrt(std::pow(r.scaleData[0] - r.scaleData[3], 2) +
                                        std::pow(r.scaleData[1] - r.scaleData[4], 2) +
                                        std::pow(r.scaleData[2] - r.scaleData[5], 2));
            EXPECT_NEAR(r.colourDifference, dE, 2e-3);
        }
        if (r.scale == 4) {
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(r.scaleData[k], xyz[k], 1e-3);
        }
        if (r.index == 23) {
            ++checkedDeltaE;
            EXPECT_FLOAT_EQ(r.indexData[0], r.colourDifference);
            EXPECT_EQ(r.indexData[1], 0.0f);
        }
        if (r.index == 1) {
            EXPECT_NEAR(r.indexData[0], xyz[1], 1e-3);
        }
    }
    EXPECT_GT(checkedLab, 50);
    EXPECT_GT(checkedDeltaE, 10);
}

TEST(SimContent, ReadingsAreLoggedUpToTheCapacity)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 1999));
    const int32_t total = instrument.State().totalMeasurements;
    instrument.SelectSetup(4);
    instrument.TakeMeasurement();
    EXPECT_EQ(instrument.DatalogCount(), 2000);
    const SimDatalogRecord& last = instrument.Datalog().back();
    EXPECT_EQ(last.setup, 4);
    EXPECT_EQ(last.product, "PAPER WHITE");
    EXPECT_EQ(last.time, kNowSeconds);
    EXPECT_EQ(last.sequence, 1);  // a new run with the new setup
    instrument.TakeMeasurement();
    EXPECT_EQ(instrument.DatalogCount(), 2000);  // full: read but not logged
    EXPECT_EQ(instrument.State().totalMeasurements, total + 2);
    EXPECT_EQ(reply(instrument, command("S1", 1999)).left(5), "s07CF");
}

TEST(SimContent, StoredDatalogFileHoldsTheSameRecords)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 12));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stored.txt"));
    WriteStoredDatalog(instrument, path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 14);  // 13 lines, each ended by CR LF
    EXPECT_TRUE(lines.takeLast().isEmpty());
    for (const QByteArray& line : lines) ASSERT_TRUE(line.endsWith('\r'));
    EXPECT_EQ(lines[0].chopped(1), instrument.IdentificationReply());

    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        FieldCodec stored;
        stored.SetText(lines[i + 1].chopped(1));
        EXPECT_EQ(stored.GetCommand(), "L");
        stored.ResetPosition();
        FieldCodec live;
        live.SetText(reply(instrument, command("S1", i)));

        EXPECT_EQ(stored.ReadWord(), i);
        EXPECT_EQ(live.ReadWord(), i);
        EXPECT_EQ(stored.ReadString(), live.ReadString());
        EXPECT_EQ(stored.ReadString(), live.ReadString());
        for (int k = 0; k < 3; ++k) EXPECT_EQ(stored.ReadInt(), live.ReadInt());  // setup, types
        EXPECT_EQ(stored.ReadInt(), instrument.Datalog()[static_cast<size_t>(i)].run);
        EXPECT_EQ(stored.ReadInt(), live.ReadInt());  // sequence
        EXPECT_EQ(stored.ReadBool(), live.ReadBool());
        EXPECT_EQ(stored.ReadLong(), live.ReadLong());
        EXPECT_EQ(stored.ReadInt(), live.ReadInt());
        stored.Skip(2);
        live.Skip(2);
        EXPECT_EQ(stored.ReadInt(), live.ReadInt());
        EXPECT_EQ(stored.ReadInt(), live.ReadInt());
        stored.Skip(4);
        live.Skip(4);
        live.ReadBool();  // the reply alone carries height, unit and reading
        live.ReadBool();
        live.ReadSingle();
        for (int k = 0; k < 31 + 6; ++k) EXPECT_EQ(stored.ReadSingle(), live.ReadSingle());
        stored.Skip(48);
        live.Skip(48);
        for (int k = 0; k < 2; ++k) EXPECT_EQ(stored.ReadSingle(), live.ReadSingle());
        EXPECT_EQ(stored.BytesLeft(), 0);
    }
}
