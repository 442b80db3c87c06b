// Capture from the simulated instrument and conversion of its stored datalog
// file, compared with lines made here from the simulator's own records.

#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "DatalogTestSupport.h"
#include "DateConversion.h"
#include "RegionalFormat.h"
#include "ScriptedEnvironment.h"
#include "SimInstrument.h"
#include "SimulatorDriver.h"
#include "StoredDatalogFile.h"
#include "TextFiles.h"

#include <gtest/gtest.h>

namespace {

QString timeText(int32_t seconds, const QLocale& locale)
{
    return RegionalFormat::GeneralDateTime(DateTimeFromSeconds(seconds), locale);
}

QByteArray expectedCaptureLine(const SimDatalogRecord& r, int index, const QLocale& l, const QString& delimiter)
{
    QStringList f;
    f << QString::number(index + 1) << QString::fromLatin1(r.product) << QString::fromLatin1(r.sampleId)
      << QString::number(r.setup + 1) << ExpectedName(0, r.standardType) << ExpectedName(1, r.viewType)
      << QString::number(r.sequence) << (r.standard ? "Std" : "Sam") << timeText(r.time, l)
      << ExpectedName(2, r.illObs) << ExpectedName(3, r.scale) << ExpectedName(4, r.index)
      << (r.height ? "height" : "distance") << (r.millimetres ? "mm" : "in.") << ExpectedNumber(l, r.reading, 2);
    for (float v : r.spectrum) f << ExpectedNumber(l, v, 3);
    for (float v : r.scaleData) f << ExpectedNumber(l, v, 4);
    for (float v : r.indexData) f << ExpectedNumber(l, v, 4);
    f << ExpectedNumber(l, r.colourDifference, 4) << ExpectedNumber(l, r.temperature, 3);
    return ToEightBit(f.join(delimiter));
}

QByteArray expectedConvertedLine(const SimDatalogRecord& r, int index, const QLocale& l, const QString& delimiter)
{
    QStringList f;
    f << QString::number(index + 1) << QString::fromLatin1(r.product) << QString::fromLatin1(r.sampleId)
      << QString::number(r.setup + 1) << ExpectedName(0, r.standardType) << ExpectedName(1, r.viewType)
      << QStringLiteral("%1::%2").arg(r.run).arg(r.sequence) << (r.standard ? "Std" : "Sam") << timeText(r.time, l)
      << ExpectedName(2, r.illObs) << ExpectedName(3, r.scale) << ExpectedName(4, r.index);
    for (float v : r.spectrum) f << ExpectedNumber(l, v, 4);
    for (float v : r.scaleData) f << ExpectedNumber(l, v, 4);
    for (float v : r.indexData) f << ExpectedNumber(l, v, 4);
    return ToEightBit(f.join(delimiter));
}

std::shared_ptr<SimInstrument> makeInstrument(int records)
{
    SimOptions options;
    options.datalogSize = records;
    options.seed = 4711;
    return std::make_shared<SimInstrument>(options);
}

TEST(DatalogSimulator, CaptureMatchesTheInstrumentsRecords)
{
    ScriptedEnvironment env;
    auto instrument = makeInstrument(60);
    SimulatorDriver driver(instrument);
    driver.OpenDevice(DeviceCode::Primary);
    ASSERT_TRUE(driver.IsConnected());
    const Exchange exchange = [&](const QByteArray& command) { return driver.Execute(command); };

    for (const char* name : {"en_US", "de_DE"}) {
        const QLocale locale(QString::fromLatin1(name));
        const QString file = env.path(QStringLiteral("sim-%1.txt").arg(name));
        RecordingProgress progress;
        const auto result = DatalogCapture::Run(exchange, instrument->DatalogCount(), file, "\t", progress, locale);
        EXPECT_EQ(result.recordsWritten, 60);

        const QList<QByteArray> lines = ReadCrLfLines(file);
        ASSERT_EQ(lines.size(), 60);
        for (int i = 0; i < 60; ++i)
            ASSERT_EQ(lines[i], expectedCaptureLine(instrument->Datalog()[i], i, locale, "\t")) << name << " record " << i + 1;
    }
}

TEST(DatalogSimulator, ConversionOfTheStoredFileMatchesTheInstrumentsRecords)
{
    ScriptedEnvironment env;
    auto instrument = makeInstrument(80);
    const QString source = env.path("stored.txt");
    const QString target = env.path("converted.txt");
    WriteStoredDatalog(*instrument, source);

    const QLocale locale("en_US");
    RecordingProgress progress;
    const auto result = DatalogConversion::Run(source, target, ";", progress, locale);
    EXPECT_EQ(result.linesRead, 81);  // the identification line and the records
    EXPECT_EQ(result.linesSkipped, 1);
    EXPECT_EQ(result.recordsWritten, 80);

    const QList<QByteArray> lines = ReadCrLfLines(target);
    ASSERT_EQ(lines.size(), 81);
    EXPECT_EQ(lines[0], DatalogConversion::HeaderLine(";"));
    for (int i = 0; i < 80; ++i)
        ASSERT_EQ(lines[i + 1], expectedConvertedLine(instrument->Datalog()[i], i, locale, ";")) << "record " << i + 1;
}

}  // namespace
