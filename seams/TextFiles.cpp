#include "TextFiles.h"

#include "AppError.h"

namespace {
constexpr qsizetype FlushThreshold = 1 << 16;
}

QByteArray ToEightBit(const QString& text)
{
    QByteArray result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x100)
            result.append(static_cast<char>(u));
        else if (u == 0x202F || u == 0x2009 || u == 0x2007)
            result.append('\xA0');
        else if (u == 0x2212)
            result.append('-');
        else if (u == 0x2019)
            result.append('\'');
        else
            result.append('?');
    }
    return result;
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
