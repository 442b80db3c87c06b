#pragma once
// The one rule for what a whole setup write looks like: the reply to "P1",
// which an archive stores as one line and a restore sends back unchanged.
//
//   "P2", the setup index as a Byte (0..249), then the setup record, whose
//   length follows from its own two counts: the name's length byte at its
//   start and the view-entry count byte after the fixed fields; every
//   character after "P2" an upper-case hex digit, and nothing after the
//   record.
//
// This looks at the shape only; no field is decoded (the instrument judges
// the values). The archive asks again for a reply of another shape, and
// warns when it still has one; a restore refuses a file holding such a line.

#include <QByteArray>
#include <QString>

struct SetupLineShape {
    bool isSetup = false;
    int setupIndex = -1;  // 0..249 when isSetup
    QString problem;      // what is wrong when not: "it does not begin with \"P2\"", ...
};

SetupLineShape CheckSetupLine(const QByteArray& line);
