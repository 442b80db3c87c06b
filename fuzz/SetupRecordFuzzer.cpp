// DecodeProductSetup on the input as a setup record.
//
// Checked: a record refused by the decoder raises only the codec's errors or
// an overflow of a distance; a record that the instrument's own layout check
// accepts is never refused as malformed; and what the decoder read, encoded
// and decoded again, encodes to the same text (the encoder and the decoder
// agree on every field).
#include "FieldCodec.h"
#include "FuzzSupport.h"
#include "ProductSetup.h"
#include "SetupRecord.h"
#include "SimSetup.h"

namespace {

// Encoded with a codec of its own; empty when the setup cannot be encoded
// (a height below the base that leaves 16 bits, which the encoder refuses).
QByteArray encoded(const ProductSetup& setup)
{
    FieldCodec codec;
    codec.BeginCommand({});
    try {
        return EncodeProductSetup(setup, codec);
    } catch (const AppError& error) {
        Fuzz::ExpectOneOf(error, {ErrorNumber::Overflow});
        return {};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray record = Fuzz::Bytes(data, size);
    const bool instrumentAccepts = ParseSetupRecord(record).has_value();

    ProductSetup setup;
    FieldCodec codec;
    try {
        DecodeProductSetup(setup, record, codec);
    } catch (const AppError& error) {
        Fuzz::ExpectOneOf(error, {ErrorNumber::MalformedText, ErrorNumber::Overflow});
        FUZZ_CHECK(!(instrumentAccepts && error.number() == ErrorNumber::MalformedText));
        return 0;
    }

    const QByteArray first = encoded(setup);
    if (first.isEmpty()) return 0;
    // What the encoder writes, the instrument takes.
    FUZZ_CHECK(ParseSetupRecord(first).has_value());
    ProductSetup again;
    DecodeProductSetup(again, first, codec);  // must not throw
    FUZZ_CHECK(codec.BytesLeft() == 0);
    FUZZ_CHECK(encoded(again) == first);
    return 0;
}
