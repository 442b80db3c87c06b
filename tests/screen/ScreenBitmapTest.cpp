// The bitmap file of the instrument's display, byte for byte. How a real
// image reader sees it is proven by the window, which shows the file through
// one and is compared with the instrument's pixels (frmBitmapTest.cpp).
#include "ScreenBitmap.h"

#include <gtest/gtest.h>

TEST(ScreenBitmap, FileImageIsTheHeaderThenThePixelAreaByteForByte)
{
    // The 62 bytes before the pixels, written out by hand from the bitmap format.
    const QByteArray header = QByteArray::fromHex(
        "424D" "3E080000" "00000000" "3E000000"          // "BM", file size 2110, reserved, pixels at 62
        "28000000" "80000000" "80000000"                 // information header 40, width 128, height 128
        "0100" "0100" "00000000" "00080000"              // 1 plane, 1 bit a pixel, no compression, 2048 bytes
        "3A160000" "3A160000" "00000000" "00000000"      // 5690 pixels a metre across and down, all colours
        "00000000" "FFFFFF00");                          // palette: 0 black, 1 white
    // Only the picture's top-left pixel is white: the top row is stored last,
    // its leftmost pixel in the high bit of its first byte.
    QByteArray area(2048, '\0');
    area[127 * 16] = static_cast<char>(0x80);
    const QByteArray image = ScreenBitmap::FileImage(area);
    ASSERT_EQ(image.size(), 2110);
    EXPECT_EQ(image.left(62).toHex(' '), header.toHex(' '));
    EXPECT_EQ(image.mid(62, 16), QByteArray(16, '\0'));
    EXPECT_EQ(image.mid(2094, 16).toHex(), QByteArray("80000000000000000000000000000000"));
    EXPECT_EQ(image.count('\0'), 2110 - 18 - 1);  // 18 non-zero header bytes and the white pixel's
}
