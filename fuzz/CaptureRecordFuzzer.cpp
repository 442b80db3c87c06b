// DatalogCapture::ReadRecord on the input as an "S1" reply, written as a
// line in one of a few regional formats (chosen by the input's length, so
// that the input itself stays a plain reply).
//
// Checked: a reply that cannot be decoded raises only the codec's errors;
// one that can gives a line of exactly 56 fields.
#include "DatalogCapture.h"
#include "DatalogLine.h"
#include "FieldCodec.h"
#include "FuzzSupport.h"

#include <QLocale>
#include <array>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::array<DatalogLine, 3> lines{
        DatalogLine(QStringLiteral(","), QLocale::c()),
        DatalogLine(QStringLiteral("\t"), QLocale(QLocale::German, QLocale::Germany)),
        DatalogLine(QStringLiteral(";"), QLocale(QLocale::French, QLocale::France)),
    };
    DatalogLine& line = lines[size % lines.size()];

    FieldCodec codec;
    codec.SetText(Fuzz::Bytes(data, size));
    line.begin();
    try {
        DatalogCapture::ReadRecord(codec, line);
    } catch (const AppError& error) {
        Fuzz::ExpectOneOf(error, {ErrorNumber::MalformedText, ErrorNumber::Overflow});
        return 0;
    }
    FUZZ_CHECK(line.fieldCount() == DatalogCapture::FieldsPerLine);
    return 0;
}
