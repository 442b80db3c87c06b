#include "ScreenBitmap.h"

#include "AppError.h"

namespace ScreenBitmap {

namespace {

void appendLittleEndian(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void append16(QByteArray& out, uint16_t value) { appendLittleEndian(out, value, 2); }
void append32(QByteArray& out, uint32_t value) { appendLittleEndian(out, value, 4); }

}  // namespace

QByteArray Header()
{
    QByteArray header;
    header.reserve(PixelDataOffset);

    // File header.
    header.append("BM", 2);
    append32(header, FileBytes);
    append16(header, 0);  // two reserved words
    append16(header, 0);
    append32(header, PixelDataOffset);

    // Information header. A positive height: the bottom row comes first.
    append32(header, InfoHeaderBytes);
    append32(header, Width);
    append32(header, Height);
    append16(header, 1);  // planes
    append16(header, 1);  // bits per pixel
    append32(header, 0);  // no compression
    append32(header, PixelAreaBytes);
    append32(header, PixelsPerMetre);
    append32(header, PixelsPerMetre);
    append32(header, 0);  // colours used: 0 means all that the bit depth allows
    append32(header, 0);  // important colours: all

    // Palette entries as blue, green, red, reserved: 0 black, 1 white.
    append32(header, 0x000000);
    append32(header, 0xFFFFFF);
    return header;
}

QByteArray FileImage(const QByteArray& pixelArea)
{
    if (pixelArea.size() != PixelAreaBytes) {
        throw AppError(ErrorNumber::InvalidArgument,
                       QStringLiteral("A display picture needs %1 bytes of pixels, not %2")
                           .arg(PixelAreaBytes)
                           .arg(pixelArea.size()));
    }
    QByteArray image = Header();
    image.append(pixelArea);
    return image;
}

}  // namespace ScreenBitmap
