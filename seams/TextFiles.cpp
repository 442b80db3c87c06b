#include "TextFiles.h"

#include "AppError.h"

namespace {
constexpr qsizetype FlushThreshold = 1 << 16;
}

namespace {

// The 8-bit byte of a character, or -1 when Latin-1 has nothing that stands
// for it.
int eightBitByte(char16_t u)
{
    if (u < 0x100) return u;
    if (u == 0x202F || u == 0x2009 || u == 0x2007) return 0xA0;
    if (u == 0x2212) return '-';
    if (u == 0x2019) return '\'';
    return -1;
}

}  // namespace

QByteArray ToEightBit(const QString& text)
{
    QByteArray result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const int byte = eightBitByte(c.unicode());
        result.append(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return result;
}

bool FitsEightBit(const QString& text)
{
    for (const QChar c : text)
        if (eightBitByte(c.unicode()) < 0) return false;
    return true;
}

QByteArray EightBitOr(const QString& text, const QString& fallback)
{
    return ToEightBit(FitsEightBit(text) ? text : fallback);
}

TextFileWriter::TextFileWriter(const QString& fileName) : file_(fileName) {}

void TextFileWriter::writeLine(const QByteArray& line)
{
    buffer_ += line;
    buffer_ += "\r\n";
    if (buffer_.size() >= FlushThreshold) {
        file_.write(buffer_);
        buffer_.resize(0);  // keeps the buffer's memory for the next lines
    }
}

void TextFileWriter::commit()
{
    file_.write(buffer_);
    buffer_.clear();
    file_.commit();
}

TextFileReader::TextFileReader(const QString& fileName, LineEnds lineEnds)
    : fileName_(fileName), file_(fileName), lineEnds_(lineEnds)
{
    if (!file_.open(QIODevice::ReadOnly))
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot open the file %1: %2").arg(fileName_, file_.errorString()));
}

bool TextFileReader::atEnd() const { return pendingAt_ >= pending_.size() && file_.atEnd(); }

QByteArray TextFileReader::readChunk()
{
    QByteArray chunk = file_.readLine();
    if (chunk.isEmpty() && !file_.atEnd())
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot read the file %1: %2").arg(fileName_, file_.errorString()));
    return chunk;
}

QByteArray TextFileReader::readLine()
{
    ++lineNumber_;
    if (lineEnds_ == LineEnds::CrLfOrLf) {
        QByteArray line = readChunk();
        if (line.endsWith('\n')) line.chop(1);
        if (line.endsWith('\r')) line.chop(1);
        return line;
    }
    if (pendingAt_ >= pending_.size()) {
        pending_ = readChunk();
        pendingAt_ = 0;
    }
    // The chunk ends at its only LF (or the end of the file), so a CR in it
    // is followed by an LF only when that LF ends the chunk.
    const char* begin = pending_.constData() + pendingAt_;
    const char* end = pending_.constData() + pending_.size();
    const char* stop = begin;
    while (stop != end && *stop != '\r' && *stop != '\n') ++stop;
    QByteArray line(begin, stop - begin);
    if (stop != end && *stop == '\r' && stop + 1 != end && stop[1] == '\n') ++stop;
    pendingAt_ = (stop == end ? end : stop + 1) - pending_.constData();
    return line;
}
