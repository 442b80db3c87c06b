#pragma once
// A restore file, read and checked as a whole before anything is sent to the
// instrument, so that a damaged file (a copy cut short, an edited line) never
// leaves the instrument half-restored.
//
// Lines end at LF; one CR right before it (or at the very end of the file)
// belongs to the line end. The first line must be exactly the header
// "TR8KZ Product Setups" (letter case and every character count); an empty
// file, or one with another first line, is no archive (ReadRestoreFile gives
// nothing, and no error is raised: the operator simply picked another file).
//
// Every following line must be one whole setup write, as "P1" answered it:
//  - "P2", then the setup index as a Byte (two hex digits, 00 to F9: setups
//    are 0 to 249), then the setup record;
//  - after "P2" nothing but upper-case hex digits (0-9, A-F);
//  - exactly as long as its record says: the record is 1 + n + 456 + 27 v
//    bytes, n being its name's length (the record's first byte) and v its
//    number of view entries (the byte after the index tolerances), two
//    digits a byte (docs/protocol.md, "Setup record").
// Blank lines (nothing but white space) may only end the file (a text
// editor's last line end); they are not sent. At most 250 setup lines.
//
// Anything else refuses the whole file with AppError InvalidArgument naming
// the first line that is wrong (for blank lines in the middle, the first of
// them) and what is wrong with it. Nothing is decoded: a line that passes is
// sent exactly as it stands, and the instrument still judges it.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QIODevice;

namespace SetupArchive {

// One setup line of a restore file.
struct SetupLine {
    QByteArray text;         // sent as it stands
    int64_t lineNumber = 0;  // in the file, the header being line 1
    int setupNumber = 0;     // 1..250, from the line's setup index
};

struct RestoreFile {
    QString fileName;  // named in every message
    std::vector<SetupLine> lines;
};

// The longest setup write: a name of 255 characters and 255 view entries.
inline constexpr int LongestSetupWrite = 4 + 2 * (1 + 255 + 456 + 27 * 255);

// What keeps the line (without its line end) from being one whole setup
// write, worded to follow "line N "; empty when it is one.
QString SetupWriteFault(const QByteArray& line);

// Reads and checks the file. Nothing when it is no archive; AppError
// InvalidArgument when it is an archive that cannot be restored whole;
// AppError FileAccess when it cannot be read.
std::optional<RestoreFile> ReadRestoreFile(const QString& sFileName);
// The same from an open device; sFileName only names it in messages.
std::optional<RestoreFile> ReadRestoreFile(QIODevice& source, const QString& sFileName);

}  // namespace SetupArchive
