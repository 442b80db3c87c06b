#pragma once
// Instrument operations that several windows and the command line share. They
// raise AppError on any failure; the windows route it to the error report.

#include <QByteArray>
#include <cstdint>

class Sensor;

namespace InstrumentOperations {

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
