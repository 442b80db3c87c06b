// The field codec's reads: a sequence of reads and skips, driven by the
// input's first bytes, over the rest of the input as a reply text.
//
// Input: byte 0 = n, bytes 1..n = operations, the rest = the text.
// Each operation byte: low nibble the operation, high nibble its argument.
//
// Checked after every operation: the read position never leaves the text; a
// read that succeeds moves it by exactly the field's width; the value it
// returns, appended again, gives back the digits it was read from; a read
// that fails raises only the codec's documented errors.
#include "FieldCodec.h"
#include "FuzzSupport.h"

#include <bit>
#include <cmath>
#include <functional>

namespace {

// The digits between two read positions (positions counted in bytes after
// the code).
QByteArray digitsBetween(const QByteArray& text, int codeLength, int fromByte, int toByte)
{
    return text.mid(codeLength + 2 * fromByte, 2 * (toByte - fromByte));
}

QByteArray appended(const std::function<void(FieldCodec&)>& append)
{
    FieldCodec codec;
    codec.BeginCommand({});
    append(codec);
    return codec.GetText();
}

void checkPosition(const FieldCodec& codec, const QByteArray& text, int codeLength)
{
    FUZZ_CHECK(codec.BytePosition() >= 0);
    FUZZ_CHECK(codec.BytesLeft() >= 0);
    FUZZ_CHECK(codeLength + 2 * (codec.BytePosition() + codec.BytesLeft()) <= text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const size_t opCount = std::min<size_t>(data[0], size - 1);
    const uint8_t* ops = data + 1;
    const QByteArray text = Fuzz::Bytes(data + 1 + opCount, size - 1 - opCount);
    const int codeLength = CommandCodeLength(text);

    FieldCodec codec;
    codec.SetText(text);
    FUZZ_CHECK(codec.GetCommand() == text.left(codeLength));
    FUZZ_CHECK(codec.BytePosition() == 0);

    // Reads go on after a failed one (the codec stays usable), but a few
    // failures are enough: past the end every read fails alike, and each
    // error costs its message.
    int failures = 0;
    for (size_t i = 0; i < opCount && failures < 4; ++i) {
        const int op = ops[i] & 0x0F;
        const int argument = ops[i] >> 4;
        const int before = codec.BytePosition();
        try {
            switch (op) {
            case 0: {
                const bool value = codec.ReadBool();
                FUZZ_CHECK(codec.BytePosition() == before + 1);
                FUZZ_CHECK(value == (digitsBetween(text, codeLength, before, before + 1) != "00"));
                break;
            }
            case 1: {
                const int16_t value = codec.ReadByte();
                FUZZ_CHECK(codec.BytePosition() == before + 1);
                FUZZ_CHECK(value >= 0 && value <= 255);
                FUZZ_CHECK(appended([&](FieldCodec& c) { c.AppendByte(value); }) ==
                           digitsBetween(text, codeLength, before, before + 1));
                break;
            }
            case 2: {
                const int16_t value = codec.ReadInt();
                FUZZ_CHECK(codec.BytePosition() == before + 2);
                FUZZ_CHECK(appended([&](FieldCodec& c) { c.AppendInt(value); }) ==
                           digitsBetween(text, codeLength, before, before + 2));
                break;
            }
            case 3: {
                const int32_t value = codec.ReadWord();
                FUZZ_CHECK(codec.BytePosition() == before + 2);
                FUZZ_CHECK(value >= 0 && value <= 32767);
                FUZZ_CHECK(appended([&](FieldCodec& c) { c.AppendWord(value); }) ==
                           digitsBetween(text, codeLength, before, before + 2));
                break;
            }
            case 4: {
                const int32_t value = codec.ReadLong();
                FUZZ_CHECK(codec.BytePosition() == before + 4);
                FUZZ_CHECK(appended([&](FieldCodec& c) { c.AppendLong(value); }) ==
                           digitsBetween(text, codeLength, before, before + 4));
                break;
            }
            case 5: {
                const float value = codec.ReadSingle();
                FUZZ_CHECK(codec.BytePosition() == before + 8);
                // A value that a float holds exactly comes back digit for digit.
                const QByteArray digits = digitsBetween(text, codeLength, before, before + 8);
                const QByteArray again = appended([&](FieldCodec& c) { c.AppendSingle(value); });
                bool ok = false;
                const double wide = std::bit_cast<double>(digits.toULongLong(&ok, 16));
                FUZZ_CHECK(ok);
                FUZZ_CHECK(std::isnan(wide) == std::isnan(value));
                if (!std::isnan(wide) && static_cast<double>(static_cast<float>(wide)) == wide) FUZZ_CHECK(again == digits);
                break;
            }
            case 6: {
                const QByteArray value = codec.ReadString();
                FUZZ_CHECK(codec.BytePosition() == before + 1 + value.size());
                FUZZ_CHECK(appended([&](FieldCodec& c) { c.AppendString(value); }) ==
                           digitsBetween(text, codeLength, before, codec.BytePosition()));
                break;
            }
            case 7:
            case 8: {
                const int bytes = op == 7 ? argument : argument * 16;
                codec.Skip(bytes);
                FUZZ_CHECK(codec.BytePosition() == before + bytes);
                break;
            }
            case 9:
                codec.ResetPosition();
                FUZZ_CHECK(codec.BytePosition() == 0);
                break;
            default:
                FUZZ_CHECK(codec.GetCommand() == text.left(codeLength));
                break;
            }
        } catch (const AppError& error) {
            // A read past the end or over a character that is not a digit;
            // a Word above 32767.
            Fuzz::ExpectOneOf(error, {ErrorNumber::MalformedText, ErrorNumber::Overflow});
            if (error.number() == ErrorNumber::Overflow) FUZZ_CHECK(op == 3);
            ++failures;
        }
        checkPosition(codec, text, codeLength);
    }
    return 0;
}
