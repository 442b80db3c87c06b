// DatalogConversion::ReadRecord on the input as one line of a stored
// datalog file (its code, then the record), as the conversion reads it:
// SetText, GetCommand, ResetPosition, then the record's fields.
//
// Checked: a line that cannot be decoded raises only the codec's errors; one
// that can gives a line of exactly 51 fields.
#include "DatalogConversion.h"
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
    if (codec.GetCommand() == "#") return 0;  // not a record
    codec.ResetPosition();
    line.begin();
    try {
        DatalogConversion::ReadRecord(codec, line);
    } catch (const AppError& error) {
        Fuzz::ExpectOneOf(error, {ErrorNumber::MalformedText, ErrorNumber::Overflow});
        return 0;
    }
    FUZZ_CHECK(line.fieldCount() == DatalogConversion::FieldsPerLine);
    return 0;
}
