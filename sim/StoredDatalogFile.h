#pragma once
// The instrument's datalog as a stored datalog file (docs/protocol.md,
// "Stored datalog file"): the "#" identification reply on the first line, then
// one line per record in the stored layout, every line ended by CR LF, 8-bit
// text. The datalog conversion reads such files.

#include <QString>

class SimInstrument;

// Replaces the file as a whole; raises AppError (FileAccess) on failure.
void WriteStoredDatalog(const SimInstrument& instrument, const QString& fileName);
