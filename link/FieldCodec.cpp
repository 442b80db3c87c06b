#include "FieldCodec.h"

#include "AppError.h"
#include "ReplyText.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// -1 for characters that are not upper-case hex digits.
constexpr std::array<int8_t, 256> makeHexValues()
{
    std::array<int8_t, 256> table{};
    for (auto& v : table) v = -1;
    for (int i = 0; i < 10; ++i) table['0' + i] = static_cast<int8_t>(i);
    for (int i = 0; i < 6; ++i) table['A' + i] = static_cast<int8_t>(10 + i);
    return table;
}
constexpr auto kHexValues = makeHexValues();

}  // namespace

int CommandCodeLength(const QByteArray& text)
{
    int n = 0;
    while (n < text.size() && kHexValues[static_cast<uint8_t>(text[n])] < 0) ++n;
    return n;
}

FieldCodec& TheFieldCodec()
{
    static FieldCodec codec;
    return codec;
}

void FieldCodec::BeginCommand(const QByteArray& code)
{
    text_ = code;
    codeLength_ = CommandCodeLength(text_);
    position_ = codeLength_;
}

void FieldCodec::appendUnsigned(uint64_t value, int bytes)
{
    for (int shift = 8 * bytes - 4; shift >= 0; shift -= 4) text_.append(kHexDigits[(value >> shift) & 0xF]);
}

void FieldCodec::AppendBool(bool value) { appendUnsigned(value ? 1 : 0, 1); }

void FieldCodec::AppendByte(int value)
{
    if (value < 0 || value > 255) throw AppError::overflow(QStringLiteral("%1 does not fit in a Byte field").arg(value));
    appendUnsigned(static_cast<uint64_t>(value), 1);
}

void FieldCodec::AppendInt(int value)
{
    if (value < -32768 || value > 32767)
        throw AppError::overflow(QStringLiteral("%1 does not fit in an Int field").arg(value));
    appendUnsigned(static_cast<uint16_t>(value), 2);
}

void FieldCodec::AppendWord(int64_t value)
{
    if (value < 0 || value > 65535) throw AppError::overflow(QStringLiteral("%1 does not fit in a Word field").arg(value));
    appendUnsigned(static_cast<uint64_t>(value), 2);
}

void FieldCodec::AppendLong(int32_t value) { appendUnsigned(static_cast<uint32_t>(value), 4); }

void FieldCodec::AppendSingle(float value)
{
    appendUnsigned(std::bit_cast<uint64_t>(static_cast<double>(value)), 8);
}

void FieldCodec::AppendString(const QByteArray& text)
{
    if (text.size() > 255)
        throw AppError::overflow(QStringLiteral("a text of %1 bytes does not fit in a String field").arg(text.size()));
    appendUnsigned(static_cast<uint64_t>(text.size()), 1);
    text_.reserve(text_.size() + 2 * text.size());
    for (char c : text) appendUnsigned(static_cast<uint8_t>(c), 1);
}

void FieldCodec::SetText(const QByteArray& text)
{
    text_ = text;
    codeLength_ = CommandCodeLength(text_);
    position_ = codeLength_;
}

void FieldCodec::malformed(const QString& what) const
{
    throw AppError(ErrorNumber::MalformedText, what);
}

uint64_t FieldCodec::readUnsigned(int bytes, const char* kind)
{
    const int digits = 2 * bytes;
    if (text_.size() - position_ < digits) {
        malformed(QStringLiteral("Expected %1 (%2 bytes) at byte %3, but the text has only %4 more digits")
                      .arg(QLatin1String(kind))
                      .arg(bytes)
                      .arg(BytePosition())
                      .arg(text_.size() - position_));
    }
    const char* p = text_.constData() + position_;
    uint64_t value = 0;
    for (int i = 0; i < digits; ++i) {
        const int8_t d = kHexValues[static_cast<uint8_t>(p[i])];
        if (d < 0) {
            malformed(QStringLiteral("Expected %1 at byte %2, but found the character '%3', not an upper-case hex digit")
                          .arg(QLatin1String(kind))
                          .arg(BytePosition())
                          .arg(QuotedText(QByteArray(1, p[i]))));
        }
        value = (value << 4) | static_cast<uint64_t>(d);
    }
    position_ += digits;
    return value;
}

void FieldCodec::Skip(int bytes)
{
    if (bytes < 0) throw AppError(ErrorNumber::InvalidArgument, QStringLiteral("Skip of %1 bytes").arg(bytes));
    if (text_.size() - position_ < 2 * bytes) {
        malformed(QStringLiteral("Expected %1 bytes to skip at byte %2, but the text has only %3 more digits")
                      .arg(bytes)
                      .arg(BytePosition())
                      .arg(text_.size() - position_));
    }
    // A skipped stretch is fields all the same: text that is no hex there
    // means the record is not what it should be.
    const char* p = text_.constData() + position_;
    for (int i = 0; i < 2 * bytes; ++i) {
        if (kHexValues[static_cast<uint8_t>(p[i])] < 0) {
            malformed(QStringLiteral("Expected %1 bytes to skip at byte %2, but found the character '%3', not an "
                                     "upper-case hex digit")
                          .arg(bytes)
                          .arg(BytePosition() + i / 2)
                          .arg(QuotedText(QByteArray(1, p[i]))));
        }
    }
    position_ += 2 * bytes;
}

bool FieldCodec::ReadBool() { return readUnsigned(1, "a Bool") != 0; }

int16_t FieldCodec::ReadByte() { return static_cast<int16_t>(readUnsigned(1, "a Byte")); }

int16_t FieldCodec::ReadInt() { return static_cast<int16_t>(static_cast<uint16_t>(readUnsigned(2, "an Int"))); }

int32_t FieldCodec::ReadWord()
{
    const auto value = static_cast<int32_t>(readUnsigned(2, "a Word"));
    if (value > 32767) throw AppError::overflow(QStringLiteral("the count %1 does not fit in 16 bits").arg(value));
    return value;
}

int32_t FieldCodec::ReadLong() { return static_cast<int32_t>(static_cast<uint32_t>(readUnsigned(4, "a Long"))); }

float FieldCodec::ReadSingle() { return static_cast<float>(std::bit_cast<double>(readUnsigned(8, "a Single"))); }

QByteArray FieldCodec::ReadString()
{
    const int length = static_cast<int>(readUnsigned(1, "a String length"));
    QByteArray result(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i) result[i] = static_cast<char>(readUnsigned(1, "a String character"));
    return result;
}
