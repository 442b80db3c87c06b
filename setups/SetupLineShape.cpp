#include "SetupLineShape.h"

#include "InstrumentCommands.h"
#include "SetupRecord.h"

namespace {

constexpr int MaxSetupIndex = 249;
// Bytes of the record after the name's text up to and including the
// view-entry count: standard type, searchable, read mode, report interval
// (Int, Bool, Byte, Int: 6), the three distances (24), the height trigger
// (1), slope and offset (16), the spectrum (31 x 8), target, standard,
// tracking and scale tolerances (18 x 8), index tolerances (16), and the count
// itself (1).
constexpr int FixedBytesAfterName = 6 + 24 + 1 + 16 + 31 * 8 + 18 * 8 + 16 + 1;
// A view entry: its index and the rest that the decoder may skip.
constexpr int ViewEntryBytes = 1 + ViewEntryRestBytes;

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int hexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// The byte whose two hex digits stand at `at` (the caller has checked that
// they are there and are hex).
int byteAt(const QByteArray& line, qsizetype at) { return 16 * hexValue(line[at]) + hexValue(line[at + 1]); }

SetupLineShape notASetup(const QString& problem) { return {false, -1, problem}; }

}  // namespace

SetupLineShape CheckSetupLine(const QByteArray& line)
{
    const QByteArray code = Command::WriteSetupAsRead;
    if (!line.startsWith(code)) return notASetup(QStringLiteral("it does not begin with \"%1\"").arg(QLatin1String(code)));
    for (qsizetype i = code.size(); i < line.size(); ++i)
        if (!isHex(line[i]))
            return notASetup(QStringLiteral("character %1 is not an upper-case hex digit").arg(i + 1));
    // "P2", the index, and at least the name's length.
    if (line.size() < ReadReplyPrefixLength + 2) return notASetup(QStringLiteral("it is too short to hold a setup"));
    const qsizetype digits = line.size() - ReadReplyPrefixLength;
    const int index = byteAt(line, code.size());
    if (index > MaxSetupIndex)
        return notASetup(QStringLiteral("its setup index %1 is above %2").arg(index).arg(MaxSetupIndex));

    // The record's length, from the name's length and the view-entry count.
    const qsizetype recordAt = ReadReplyPrefixLength;
    const int nameLength = byteAt(line, recordAt);
    const qsizetype countAt = recordAt + 2 * (1 + nameLength + FixedBytesAfterName - 1);
    if (line.size() < countAt + 2)
        return notASetup(QStringLiteral("its record is cut short (%1 of at least %2 hex digits)")
                             .arg(digits)
                             .arg(countAt + 2 - recordAt));
    const int views = byteAt(line, countAt);
    const qsizetype expected = 2 * (1 + nameLength + FixedBytesAfterName + views * ViewEntryBytes);
    if (digits != expected)
        return notASetup(QStringLiteral("its record has %1 hex digits where its counts call for %2")
                             .arg(digits)
                             .arg(expected));
    return {true, index, {}};
}
