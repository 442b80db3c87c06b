#pragma once
// The bitmap file of the instrument's display: a Windows device-independent
// bitmap, 128 x 128 pixels, one bit a pixel, with a two-entry palette (0
// black, 1 white). The pixel area is stored exactly as the instrument sends
// it: 128 rows of 16 bytes, bottom row first, the leftmost pixel in the most
// significant bit. All header values are little-endian.

#include <QByteArray>
#include <cstdint>

namespace ScreenBitmap {

inline constexpr int Width = 128;
inline constexpr int Height = 128;
// 16 bytes a row; bitmap rows must be a multiple of 4 bytes, and 16 already is.
inline constexpr int RowBytes = Width / 8;
inline constexpr int PixelAreaBytes = RowBytes * Height;  // 2048
inline constexpr int FileHeaderBytes = 14;
inline constexpr int InfoHeaderBytes = 40;
inline constexpr int PaletteBytes = 2 * 4;
inline constexpr int PixelDataOffset = FileHeaderBytes + InfoHeaderBytes + PaletteBytes;  // 62
inline constexpr int FileBytes = PixelDataOffset + PixelAreaBytes;                       // 2110
// The display's pixel pitch as the bitmap's resolution (about 144.5 dpi).
inline constexpr int32_t PixelsPerMetre = 5690;

// The 62 bytes before the pixel area: file header, information header and
// palette.
QByteArray Header();

// The complete 2110-byte file image of a pixel area. A pixel area of any
// other size than 2048 bytes raises AppError (invalid argument).
QByteArray FileImage(const QByteArray& pixelArea);

}  // namespace ScreenBitmap
