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
// Replies are not checked: each is archived as the instrument sent it, a
// refusal included, so that the file shows what the instrument answered.
//
// Restore sends each setup line unchanged, in file order; the line alone
// decides which setup it restores. No line is decoded here: the instrument
// judges each. Before anything is sent the file is read and checked as a
// whole (RestoreFile.h): a file that is no archive (empty, or another first
// line) sends nothing and raises no error (RestoreResult::NotAnArchive; the
// progress window simply closes); an archive with any line that is not one
// whole setup write, a blank line before the end, or more than 250 setup
// lines is refused whole with AppError 5 (invalid argument) naming the line,
// and nothing is sent.
// While sending, the reply to each line gives the setup number shown. The
// restore stops at the first line that fails: the instrument's refusal ("?"
// and its error code, AppError InstrumentRefused), a reply that does not read
// as a setup number (the codec's error), or an error of the link (its own
// number). The message names the line and its setup and says how many setups
// were restored and that the instrument's other setups are unchanged.

#include "Exchange.h"
#include "FieldCodec.h"
#include "ProgressSink.h"
#include "RestoreFile.h"

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

// Sends the setup lines of the archive file sFileName back to the instrument:
// ReadRestoreFile, then the Restore below.
RestoreResult Restore(const Exchange& exchange, const QString& sFileName, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());
// Sends the setup lines of a file already read and checked.
RestoreResult Restore(const Exchange& exchange, const RestoreFile& file, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());

}  // namespace SetupArchive
