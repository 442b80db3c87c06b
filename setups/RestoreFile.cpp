#include "RestoreFile.h"

#include "AppError.h"
#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "SetupArchive.h"

#include <QFile>
#include <QIODevice>

namespace SetupArchive {

namespace {

// Bytes before the number of view entries in a record whose name has n
// characters: the name's length and text, then 455 bytes of fixed fields.
constexpr int BytesBeforeViewCount(int n) { return 1 + n + 455; }
constexpr int RecordBytes(int n, int v) { return 1 + n + 456 + 27 * v; }
// "P2" and the setup index.
constexpr int WriteHeadLength = 4;

bool isUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// A few bytes of a file as the operator can read them in a message: control
// characters, NUL and bytes beyond ASCII escaped.
QString shown(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return text;
}

QString characters(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 character") : QStringLiteral("%1 characters").arg(count);
}

[[noreturn]] void refuseFile(const QString& fileName, int64_t lineNumber, const QString& reason)
{
    throw AppError(ErrorNumber::InvalidArgument,
                   QStringLiteral("The file %1 cannot be restored: line %2 %3. Nothing was sent to the instrument.")
                       .arg(fileName, QString::number(lineNumber), reason));
}

bool isBlank(const QByteArray& line) { return line.trimmed().isEmpty(); }

// Reads the next line, without its line end, through the buffer: at most the
// buffer's size less one byte. `ended` tells whether the line end was read.
// A read failure is an error naming the file.
QByteArray readLine(QIODevice& source, QByteArray& buffer, const QString& fileName, bool& ended)
{
    const qint64 read = source.readLine(buffer.data(), buffer.size());
    if (read <= 0)
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot read the file %1: %2").arg(fileName, source.errorString()));
    QByteArray line(buffer.constData(), static_cast<qsizetype>(read));
    ended = line.endsWith('\n');
    if (ended) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    return line;
}

}  // namespace

QString SetupWriteFault(const QByteArray& line)
{
    const QByteArray code = Command::WriteSetupAsRead;
    if (!line.startsWith(code))
        return QStringLiteral("is no setup write: it begins \"%1\", not \"%2\"")
            .arg(shown(line.left(8)), QLatin1String(code));
    for (qsizetype i = code.size(); i < line.size(); ++i) {
        const char c = line[i];
        if (isUpperHexDigit(c)) continue;
        if (c >= 'a' && c <= 'f')
            return QStringLiteral("holds the lower-case hex digit \"%1\" at character %2; setup lines hold "
                                  "upper-case hex digits only")
                .arg(QLatin1Char(c))
                .arg(i + 1);
        return QStringLiteral("holds \"%1\" at character %2, where only upper-case hex digits (0-9, A-F) may stand")
            .arg(shown(QByteArray(1, c)), QString::number(i + 1));
    }
    if (line.size() < WriteHeadLength + 2)
        return QStringLiteral("is cut short: %1, too few for a setup index and a setup record")
            .arg(characters(line.size()));

    // Fields only from here on: the codec reads the setup index, the name's
    // length and the number of view entries as the Bytes they are.
    FieldCodec codec;
    codec.SetText(line.mid(code.size()));
    const int index = codec.ReadByte();
    if (index >= SetupCount)
        return QStringLiteral("is for setup index %1 (%2), but setup indexes run from 0 to %3 (00 to F9)")
            .arg(index)
            .arg(QLatin1String(line.mid(2, 2)))
            .arg(SetupCount - 1);
    const int nameLength = codec.ReadByte();
    const qsizetype recordCharacters = line.size() - WriteHeadLength;
    const int beforeViewCount = 2 * (BytesBeforeViewCount(nameLength) + 1);
    if (recordCharacters < beforeViewCount)
        return QStringLiteral("is cut short: its record has %1, but a record whose name has %2 needs %3 to reach "
                              "its number of view entries")
            .arg(characters(recordCharacters), characters(nameLength))
            .arg(beforeViewCount);
    codec.Skip(BytesBeforeViewCount(nameLength) - 1);
    const int views = codec.ReadByte();
    const int expected = WriteHeadLength + 2 * RecordBytes(nameLength, views);
    if (line.size() != expected)
        return QStringLiteral("has %1, but a setup write with a name of %2 and %3 view entries has exactly %4 (%5)")
            .arg(characters(line.size()), characters(nameLength))
            .arg(views)
            .arg(expected)
            .arg(line.size() < expected ? QStringLiteral("%1 missing, cut short").arg(expected - line.size())
                                        : QStringLiteral("%1 too many").arg(line.size() - expected));
    return {};
}

std::optional<RestoreFile> ReadRestoreFile(QIODevice& source, const QString& sFileName)
{
    if (source.atEnd()) return std::nullopt;
    // Room for the longest setup write, its CR LF and one byte more: a line
    // that does not fit is too long, and is never held in memory whole.
    QByteArray buffer(LongestSetupWrite + 4, Qt::Uninitialized);
    bool ended = false;
    const QByteArray first = readLine(source, buffer, sFileName, ended);
    if ((!ended && !source.atEnd()) || first != Header) return std::nullopt;

    RestoreFile file;
    file.fileName = sFileName;
    int64_t lineNumber = 1;
    int64_t firstBlank = 0;  // the first of the blank lines since the last setup line
    while (!source.atEnd()) {
        ++lineNumber;
        const QByteArray line = readLine(source, buffer, sFileName, ended);
        const bool tooLong = line.size() > LongestSetupWrite || (!ended && !source.atEnd());
        if (!tooLong && isBlank(line)) {
            if (firstBlank == 0) firstBlank = lineNumber;
            continue;
        }
        if (firstBlank != 0)
            refuseFile(sFileName, firstBlank,
                       QStringLiteral("is blank, but blank lines may only end the file (line %1 below it is not)")
                           .arg(lineNumber));
        if (tooLong)
            refuseFile(sFileName, lineNumber,
                       QStringLiteral("is longer than any setup write (at most %1 characters)").arg(LongestSetupWrite));
        const QString fault = SetupWriteFault(line);
        if (!fault.isEmpty()) refuseFile(sFileName, lineNumber, fault);
        if (file.lines.size() == static_cast<size_t>(SetupCount))
            refuseFile(sFileName, lineNumber,
                       QStringLiteral("is setup line %1, but an archive holds at most %2 setups")
                           .arg(SetupCount + 1)
                           .arg(SetupCount));
        const int index = line.mid(2, 2).toInt(nullptr, 16);
        file.lines.push_back(SetupLine{line, lineNumber, index + 1});
    }
    return file;
}

std::optional<RestoreFile> ReadRestoreFile(const QString& sFileName)
{
    QFile source(sFileName);
    if (!source.open(QIODevice::ReadOnly))
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot open the file %1: %2").arg(sFileName, source.errorString()));
    return ReadRestoreFile(source, sFileName);
}

}  // namespace SetupArchive
