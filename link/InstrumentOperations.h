#pragma once
// Instrument operations that several windows and the command line share. They
// raise AppError on any failure; the windows route it to the error report.

#include <QByteArray>
#include <QString>
#include <cstdint>

class Sensor;

namespace InstrumentOperations {

// Records the instrument's datalog has room for.
inline constexpr int DatalogCapacity = 2000;

// How full the datalog is, as the identification window and the command line
// show it: the count, two blanks and the percentage of the capacity, rounded
// to a whole number with halves away from zero (10 records, 0.5 %, show as
// 1 %; 30 records, 1.5 %, as 2 %) and not capped: "120  (6% full)".
QString DatalogFillText(int count);

// Datalog records held by the instrument ("D0001", Word at byte 26).
int16_t DatalogCount(Sensor& sensor);
// Time of the last standardization, seconds since 1970 ("D0001", first field).
int32_t StdzSeconds(Sensor& sensor);
// Clears the datalog; the clock is left alone.
void ClearDatalog(Sensor& sensor);
// Sets the instrument's clock.
void SetClock(Sensor& sensor, int32_t secondsSince1970);

// Raises InstrumentRefused when the reply is the instrument's refusal ("?"
// and an error code) or does not start with the expected reply code.
void ExpectReply(const QByteArray& reply, char replyCode, const QByteArray& command);

}  // namespace InstrumentOperations
