// identify and clock set: what the identification and set clock windows do.
#include "CommandContext.h"
#include "Commands.h"

#include "CliFailure.h"
#include "DateConversion.h"
#include "Environment.h"
#include "InstrumentOperations.h"
#include "RegionalFormat.h"
#include "Sensor.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <cstdio>
#include <cstdlib>

namespace CliCommands {

namespace {
void print(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}
}  // namespace

int Identify(CommandContext& context)
{
    InstrumentSession& session = context.Instrument();
    Sensor& sensor = session.sensor();
    const int32_t stdzSeconds = InstrumentOperations::StdzSeconds(sensor);
    const int16_t count = InstrumentOperations::DatalogCount(sensor);
    const QDateTime stdz = DateTimeFromSeconds(stdzSeconds);
    const QString stdzText = RegionalFormat::GeneralDateTime(stdz, QLocale());

    if (context.IsSet(QStringLiteral("json"))) {
        QJsonObject o;
        o[QStringLiteral("model")] = sensor.ModelName();
        o[QStringLiteral("instrument")] = session.DisplayName();
        o[QStringLiteral("firmware")] = sensor.Version();
        o[QStringLiteral("serialNumber")] = sensor.SerialNumber();
        o[QStringLiteral("lastStandardization")] = stdzText;
        // The same moment for programs: the instrument's local time.
        o[QStringLiteral("lastStandardizationLocal")] = stdz.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        o[QStringLiteral("datalogCount")] = count;
        o[QStringLiteral("datalogCapacity")] = InstrumentOperations::DatalogCapacity;
        o[QStringLiteral("datalog")] = InstrumentOperations::DatalogFillText(count);
        print(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
        return ExitCode::Done;
    }
    print(QStringLiteral("Instrument: %1\n"
                         "Firmware: %2\n"
                         "Serial Number: %3\n"
                         "Last Standardization: %4\n"
                         "Datalog: %5\n")
              .arg(session.DisplayName(), sensor.Version(), sensor.SerialNumber(), stdzText, InstrumentOperations::DatalogFillText(count)));
    return ExitCode::Done;
}

int SetClock(CommandContext& context)
{
    Sensor& sensor = context.Instrument().sensor();
    // The time of the command, read just before it is sent.
    const QDateTime now = Env().Now();
    InstrumentOperations::SetClock(sensor, DateToSeconds(DateValueFromDateTime(now)));
    print(QStringLiteral("Clock set to %1\n").arg(RegionalFormat::GeneralDateTime(now, QLocale())));
    return ExitCode::Done;
}

}  // namespace CliCommands
