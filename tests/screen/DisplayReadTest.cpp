#include "AppError.h"
#include "DisplayRead.h"
#include "ScreenPatterns.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// An exchange that records the commands and answers with the given reply.
struct RecordingExchange {
    QByteArray reply;
    QList<QByteArray> sent;

    Exchange exchange()
    {
        return [this](const QByteArray& command) {
            sent << command;
            return reply;
        };
    }
};

// The error that reading the display with this reply raises.
AppError readError(const QByteArray& reply)
{
    RecordingExchange link{reply, {}};
    try {
        ScreenCapture::ReadDisplay(link.exchange());
    } catch (const AppError& error) {
        return error;
    }
    ADD_FAILURE() << "the reply was accepted: " << reply.left(40).toStdString();
    return AppError(0, {});
}

}  // namespace

TEST(DisplayRead, SendsTheDisplayReadAndReturnsThePixelArea)
{
    const QByteArray area = ScreenPatterns::Scrambled();
    RecordingExchange link{"v" + area.toHex().toUpper(), {}};
    const QByteArray pixels = ScreenCapture::ReadDisplay(link.exchange());
    EXPECT_EQ(link.sent, QList<QByteArray>{"V0001"});
    ASSERT_EQ(pixels.size(), 2048);
    EXPECT_EQ(pixels, area);

    // The first two bytes by hand: "80" is the top-left pixel alone, "FF" a
    // row of eight white pixels.
    RecordingExchange handMade{"v80FF" + QByteArray(4092, '0'), {}};
    const QByteArray read = ScreenCapture::ReadDisplay(handMade.exchange());
    EXPECT_EQ(static_cast<unsigned char>(read[0]), 0x80);
    EXPECT_EQ(static_cast<unsigned char>(read[1]), 0xFF);
    EXPECT_EQ(read.count('\0'), 2046);
}

TEST(DisplayRead, RefusalsAndWrongLengthsAreErrorsNamingTheCommand)
{
    const QByteArray full = ScreenPatterns::Scrambled().toHex().toUpper();

    const AppError refused = readError("?05");
    EXPECT_EQ(refused.number(), ErrorNumber::InstrumentRefused);
    EXPECT_TRUE(refused.description().contains("V0001")) << refused.description().toStdString();
    EXPECT_TRUE(refused.description().contains("05")) << refused.description().toStdString();

    const AppError otherKind = readError("d" + full);
    EXPECT_EQ(otherKind.number(), ErrorNumber::InstrumentRefused);
    EXPECT_TRUE(otherKind.description().contains("V0001"));

    // One byte short, one byte over, half a byte over, nothing at all.
    for (const QByteArray& reply : {"v" + full.left(4094), "v" + full + "00", "v" + full + "0", QByteArray("v")}) {
        const AppError wrong = readError(reply);
        EXPECT_EQ(wrong.number(), ErrorNumber::InstrumentRefused);
        EXPECT_TRUE(wrong.description().contains("V0001")) << wrong.description().toStdString();
        EXPECT_TRUE(wrong.description().contains("2048")) << wrong.description().toStdString();
    }

    // A lower-case digit is not part of the field format.
    QByteArray lower = "v" + full;
    lower[1000] = 'a';
    const AppError malformed = readError(lower);
    EXPECT_EQ(malformed.number(), ErrorNumber::MalformedText);
    EXPECT_TRUE(malformed.description().contains("V0001")) << malformed.description().toStdString();
}

TEST(DisplayRead, ErrorsOfTheExchangeReachTheCaller)
{
    const Exchange timesOut = [](const QByteArray&) -> QByteArray {
        throw AppError(ErrorNumber::CommTimeout, "no reply");
    };
    try {
        ScreenCapture::ReadDisplay(timesOut);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::CommTimeout);
    }
}
