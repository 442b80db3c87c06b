#include "InstrumentOperations.h"

#include "AppError.h"
#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "ReplyText.h"
#include "Sensor.h"

#include <cstdlib>

namespace InstrumentOperations {

QString DatalogFillText(int count)
{
    // count / 2000 x 100 = count / 20, computed exactly in whole numbers.
    constexpr int recordsPerPercent = DatalogCapacity / 100;
    const int magnitude = (std::abs(count) + recordsPerPercent / 2) / recordsPerPercent;
    const int percent = count < 0 ? -magnitude : magnitude;
    return QStringLiteral("%1  (%2% full)").arg(count).arg(percent);
}

namespace {
constexpr int DatalogCountPosition = 26;

QByteArray status(Sensor& sensor)
{
    QByteArray reply = sensor.ExecCommand(Command::Status);
    ExpectReply(reply, ReplyCode::Status, Command::Status);
    return reply;
}
}  // namespace

void ExpectReply(const QByteArray& reply, char replyCode, const QByteArray& command)
{
    const QString shownCommand = QString::fromLatin1(command.left(12));
    if (reply.startsWith(ReplyCode::Refused)) {
        throw AppError(ErrorNumber::InstrumentRefused,
                       QStringLiteral("The instrument refused the command %1 (error %2)")
                           .arg(shownCommand, QuotedText(reply.mid(1, 2))));
    }
    if (!reply.startsWith(replyCode)) {
        throw AppError(ErrorNumber::InstrumentRefused,
                       QStringLiteral("Unexpected reply to the command %1: \"%2\"")
                           .arg(shownCommand, QuotedText(reply)));
    }
}

int16_t DatalogCount(Sensor& sensor)
{
    FieldCodec& codec = TheFieldCodec();
    codec.SetText(status(sensor));
    codec.Skip(DatalogCountPosition);
    return static_cast<int16_t>(codec.ReadWord());  // ReadWord refuses counts above 32767
}

int32_t StdzSeconds(Sensor& sensor)
{
    FieldCodec& codec = TheFieldCodec();
    codec.SetText(status(sensor));
    return codec.ReadLong();
}

void ClearDatalog(Sensor& sensor) { sensor.ExecCommand(Command::ClearDatalog); }

void SetClock(Sensor& sensor, int32_t secondsSince1970)
{
    FieldCodec& codec = TheFieldCodec();
    codec.BeginCommand(Command::SetClock);
    codec.AppendLong(secondsSince1970);
    sensor.ExecCommand(codec.GetText());
}

}  // namespace InstrumentOperations
