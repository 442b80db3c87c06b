#include "SetupLineShape.h"

#include "RestoreFile.h"

SetupLineShape CheckSetupLine(const QByteArray& line)
{
    // The rule is the restore file's: a line that would restore is a setup.
    const QString fault = SetupArchive::SetupWriteFault(line);
    if (!fault.isEmpty()) return {false, -1, fault};
    return {true, line.mid(2, 2).toInt(nullptr, 16), {}};
}
