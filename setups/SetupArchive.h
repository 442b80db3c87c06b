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
// a valid archive of the first setups; a wait for a reply interrupted by
// LinkInterrupted is a Cancel too). A failure part-way leaves an earlier
// file of that name as it was.
// A reply that is not a setup (CheckSetupLine: a refusal, a garbled or cut
// reply, one for another setup) is asked for once more. One that still is not
// is archived as the instrument sent it, so that the file shows what the
// instrument answered; the result names each such setup, and the operator is
// warned (UnrestorableWarning) that the archive will not restore.
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
#include "SetupLineShape.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace SetupArchive {

inline constexpr int SetupCount = 250;
inline constexpr const char* Header = "TR8KZ Product Setups";
inline constexpr const char* ArchiveCaption = "Archiving Product Setups...";
inline constexpr const char* RestoreCaption = "Restoring Product Setups...";

// A setup whose reply was not a setup, asked twice.
struct UnreadSetup {
    int SetupNumber = 0;  // 1..250
    QByteArray Reply;     // the second reply, as archived
    QString Problem;      // what CheckSetupLine found wrong with it
};

struct ArchiveResult {
    int SetupsArchived = 0;  // replies written after the header
    bool Cancelled = false;  // the operator stopped it before setup 250
    std::vector<UnreadSetup> NotSetups;  // in setup order; empty when all were setups
};

struct RestoreResult {
    bool NotAnArchive = false;  // empty file or wrong header: nothing was sent
    int SetupsRestored = 0;     // lines sent and accepted by the instrument
    bool Cancelled = false;     // the operator stopped it before the last line
    // The setup numbers (1..250) the instrument reported, in the order sent,
    // and the line sent for each (what a read-back is compared with).
    std::vector<int> RestoredSetupNumbers;
    std::vector<QByteArray> RestoredLines;
};

// What a read of setups gets: the reply to "P1" for each setup read, and its
// shape (CheckSetupLine), worked out once for the loop and the taker.
using SetupReplyHandler =
    std::function<void(int setupNumber, const QByteArray& reply, const SetupLineShape& shape)>;

// The reading loop of the archive, for whoever needs the instrument's setups:
// the caption, the bar from 0 to the number of setups, "i / N" in the status
// before each (i counts the setups read, N how many are to be read), Cancel
// heard before each, the bar's value and Yield after each. A reply that is
// not the setup asked for (CheckSetupLine) is asked for once more; the reply
// then goes to `take` as it was received. Returns how many were read; cancelled tells
// whether the operator stopped it first.
struct ReadResult {
    int SetupsRead = 0;
    bool Cancelled = false;
};
ReadResult ReadSetups(const Exchange& exchange, const std::vector<int>& setupNumbers, const QString& caption,
                      ProgressSink& progress, const SetupReplyHandler& take, FieldCodec& codec = TheFieldCodec());
// Setup numbers 1..250 in order.
std::vector<int> AllSetupNumbers();

// Reads setups 1..250 with "P1" and writes the archive file sFileName.
ArchiveResult Archive(const Exchange& exchange, const QString& sFileName, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());

// The warning for an archive that holds replies which are not setups: names
// each setup and its reply, and says that the archive will not restore.
// Empty when every reply was a setup.
QString UnrestorableWarning(const ArchiveResult& result, const QString& sFileName);

// Sends the setup lines of the archive file sFileName back to the instrument:
// ReadRestoreFile, then the Restore below.
RestoreResult Restore(const Exchange& exchange, const QString& sFileName, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());
// Sends the setup lines of a file already read and checked.
RestoreResult Restore(const Exchange& exchange, const RestoreFile& file, ProgressSink& progress,
                      FieldCodec& codec = TheFieldCodec());

}  // namespace SetupArchive
