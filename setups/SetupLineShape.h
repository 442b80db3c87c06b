#pragma once
// Whether a reply to "P1" is one whole setup write, which an archive stores
// as one line and a restore sends back unchanged. The rule is the restore
// file's (SetupWriteFault, RestoreFile.h), so that an archive whose replies
// all pass here restores: "P2", the setup index as a Byte (0..249), then the
// setup record of exactly the length its name and view counts call for, every
// character after "P2" an upper-case hex digit.
//
// This looks at the shape only; no field is decoded (the instrument judges
// the values). The archive asks again for a reply of another shape, and warns
// when it still has one.

#include <QByteArray>
#include <QString>

struct SetupLineShape {
    bool isSetup = false;
    int setupIndex = -1;  // 0..249 when isSetup
    QString problem;      // what is wrong when not, worded to follow the line: "is no setup write: ..."
};

SetupLineShape CheckSetupLine(const QByteArray& line);
