// The run configuration query's errors (which editor it chooses is shown
// through the editor window's button, frmEditProductTest.cpp).
#include "RaisedError.h"
#include "RunConfigQuery.h"

#include <gtest/gtest.h>

TEST(RunConfigQuery, RefusalsAndOversizedAnswersAreErrors)
{
    // The answers; the error, the text its description names, the questions asked.
    const std::tuple<QByteArray, QByteArray, int32_t, const char*, size_t> cases[] = {
        {"?05", "q0001", ErrorNumber::InstrumentRefused, "Q10001", 1},  // nothing asked after the refusal
        {"q0001", "q8000", ErrorNumber::Overflow, "32768", 2},          // 32768 does not fit 16 bits
    };
    for (const auto& [units, variant, number, named, asked] : cases) {
        std::vector<QByteArray> sent;
        const Exchange exchange = [&](const QByteArray& command) {
            sent.push_back(command);
            return command == "Q10001" ? units : variant;
        };
        FieldCodec codec;
        const AppError e = ErrorOf([&] { QueryRunConfiguration(exchange, codec); });
        EXPECT_EQ(e.number(), number);
        EXPECT_TRUE(e.description().contains(QLatin1String(named))) << e.description().toStdString();
        EXPECT_EQ(sent.size(), asked);
    }
}
