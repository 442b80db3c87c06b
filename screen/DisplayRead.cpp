#include "DisplayRead.h"

#include "AppError.h"
#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "InstrumentOperations.h"
#include "ReplyText.h"
#include "ScreenBitmap.h"

namespace ScreenCapture {

QByteArray ReadDisplay(const Exchange& exchange)
{
    const QByteArray command(Command::ReadDisplay);
    const QByteArray reply = exchange(command);
    InstrumentOperations::ExpectReply(reply, ReplyCode::Display, command);

    // The reply code is the one letter; everything after it is the pixel area.
    const int digits = reply.size() - CommandCodeLength(reply);
    if (CommandCodeLength(reply) != 1 || digits != 2 * ScreenBitmap::PixelAreaBytes) {
        throw AppError(ErrorNumber::InstrumentRefused,
                       QStringLiteral("The reply to the command %1 should carry %2 bytes of pixels, "
                                      "but it has %3 characters after its code \"%4\"")
                           .arg(QString::fromLatin1(command))
                           .arg(ScreenBitmap::PixelAreaBytes)
                           .arg(digits)
                           .arg(QuotedText(reply.left(CommandCodeLength(reply)))));
    }

    FieldCodec& codec = TheFieldCodec();
    codec.SetText(reply);
    QByteArray pixels(ScreenBitmap::PixelAreaBytes, Qt::Uninitialized);
    try {
        for (int i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<char>(codec.ReadByte());
    } catch (const AppError& error) {
        throw AppError(error.number(), QStringLiteral("The reply to the command %1: %2")
                                           .arg(QString::fromLatin1(command), error.description()));
    }
    return pixels;
}

}  // namespace ScreenCapture
