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

TextFileWriter::TextFileWriter(const QString& fileName) : fileName_(fileName), file_(fileName)
{
    // Also where the folder is not writable but the file is (rare; then the
    // file is written in place).
    file_.setDirectWriteFallback(true);
    if (!file_.open(QIODevice::WriteOnly))
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot create the file %1: %2").arg(fileName_, file_.errorString()));
}

TextFileWriter::~TextFileWriter()
{
    if (!committed_) file_.cancelWriting();
}

void TextFileWriter::fail(const QString& what)
{
    const QString reason = file_.errorString();
    file_.cancelWriting();
    throw AppError(ErrorNumber::FileAccess, QStringLiteral("%1 %2: %3").arg(what, fileName_, reason));
}

void TextFileWriter::writeLine(const QByteArray& line)
{
    buffer_ += line;
    buffer_ += "\r\n";
    if (buffer_.size() >= FlushThreshold) {
        if (file_.write(buffer_) != buffer_.size()) fail(QStringLiteral("Cannot write to the file"));
        buffer_.resize(0);  // keeps the buffer's memory for the next lines
    }
}

void TextFileWriter::commit()
{
    if (!buffer_.isEmpty() && file_.write(buffer_) != buffer_.size()) fail(QStringLiteral("Cannot write to the file"));
    buffer_.clear();
    if (!file_.commit())
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot save the file %1: %2").arg(fileName_, file_.errorString()));
    committed_ = true;
}

TextFileReader::TextFileReader(const QString& fileName) : fileName_(fileName), file_(fileName)
{
    if (!file_.open(QIODevice::ReadOnly))
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot open the file %1: %2").arg(fileName_, file_.errorString()));
}

bool TextFileReader::atEnd() const { return file_.atEnd(); }

QByteArray TextFileReader::readLine()
{
    QByteArray line = file_.readLine();
    if (line.isEmpty() && !file_.atEnd())
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot read the file %1: %2").arg(fileName_, file_.errorString()));
    ++lineNumber_;
    if (line.endsWith('\n')) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    return line;
}
