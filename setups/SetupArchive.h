#pragma once
// Archive and restore of all the instrument's product setups.
//
// The archive file is 8-bit text with CR LF line ends: the header line
// "TR8KZ Product Setups", then the instrument's reply to "P1" for setups 1, 2,
// ..., k, one reply a line, exactly as received (k is 250 unless the operator
// cancelled). Each reply is "P2", the setup index and the setup record, which
// is also the command that writes the setup back: a restore sends each line
// unchanged, and the line alone decides which setup it restores.
//
// Both operations report to a ProgressSink (caption, a bar from 0 to 250, one
// status line per setup), test CancelRequested before each setup and yield to
// pending events after each. Errors of the link, the codec and the file
// system reach the caller as AppError.
//
// Archive: the named file is replaced only at the end, when all setups are
// read or the operator cancelled (then it holds the setups read so far and is
// a valid archive of the first setups). A failure part-way leaves an earlier
// file of that name as it was.
//
// Restore reads and checks the whole file before it sends anything, so that a
// damaged or foreign file is never half applied:
//  - An empty file, or one whose first line is not exactly the header (letter
//    case and every character count), is not an archive: nothing is sent and
//    no error is raised (RestoreResult::NotAnArchive); the progress window
//    simply closes.
//  - Every further line must be a setup as the instrument sends it: "P2", a
//    setup index 0..249 and a complete setup record with nothing after it.
//    Otherwise the file is refused with AppError 5 (invalid argument) naming
//    the line; nothing is sent.
//  - Blank lines at the end of the file (a text editor's last line end) are
//    ignored; a blank line followed by further setups refuses the file like
//    any other damaged line, since an archive never holds one.
//  - More than 250 setup lines refuse the whole file (AppError 5): the
//    instrument holds 250 setups, so such a file was not written by an
//    archive, and sending only its first 250 lines would leave the operator
//    with a half-applied file without knowing which part counted.
//  - A file of the header alone sends nothing and restores nothing.
//  - Two lines for the same setup are sent in file order (the later wins);
//    the archive never writes them, but they do no harm.
// While sending, a reply other than "p" with the setup index (the
// instrument's refusal "?" and its error code, or anything else) stops the
// restore with AppError InstrumentRefused naming the line and the
// instrument's answer; the setups of the lines sent before it stay restored.

#include "Exchange.h"
#include "FieldCodec.h"
#include "ProgressSink.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace SetupArchive {

inline constexpr int SetupCount = 250;
inline constexpr const char* Header = "TR8KZ Product Setups";
inline constexpr const char* ArchiveCaption = "Archiving Product Setups...";
inline constexpr const char* RestoreCaption = "Restoring Product Setups...";

struct ArchiveResult {
    int SetupsArchived = 0;  // replies written after the header
    bool Cancelled = false;  // the operator stopped it before setup 250
};

struct RestoreResult {
    bool NotAnArchive = false;  // empty file or wrong header: nothing was sent
    int SetupsRestored = 0;     // lines sent and accepted by the instrument
    bool Cancelled = false;     // the operator stopped it before the last line
    // The setup numbers (1..250) the instrument reported, in the order sent.
    std::vector<int> RestoredSetupNumbers;
};

// Reads setups 1..250 with "P1" and writes the archive file sFileName.
ArchiveResult Archive(const Exchange& exchange, const QString& sFileName, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());

// Sends the setup lines of the archive file sFileName back to the instrument.
RestoreResult Restore(const Exchange& exchange, const QString& sFileName, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());

}  // namespace SetupArchive
