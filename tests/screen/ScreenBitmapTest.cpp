#include "AppError.h"
#include "BitmapFiles.h"
#include "ScreenBitmap.h"
#include "ScreenPatterns.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The 62 bytes before the pixels, written out by hand from the bitmap format.
const unsigned char ExpectedHeader[62] = {
    'B',  'M',                    // signature
    0x3E, 0x08, 0x00, 0x00,       // file size 2110
    0x00, 0x00, 0x00, 0x00,       // reserved
    0x3E, 0x00, 0x00, 0x00,       // pixels at 62
    0x28, 0x00, 0x00, 0x00,       // information header 40
    0x80, 0x00, 0x00, 0x00,       // width 128
    0x80, 0x00, 0x00, 0x00,       // height 128, bottom row first
    0x01, 0x00,                   // planes
    0x01, 0x00,                   // bits per pixel
    0x00, 0x00, 0x00, 0x00,       // no compression
    0x00, 0x08, 0x00, 0x00,       // image size 2048
    0x3A, 0x16, 0x00, 0x00,       // 5690 pixels per metre across
    0x3A, 0x16, 0x00, 0x00,       // and down
    0x00, 0x00, 0x00, 0x00,       // colours used
    0x00, 0x00, 0x00, 0x00,       // important colours
    0x00, 0x00, 0x00, 0x00,       // palette 0: black
    0xFF, 0xFF, 0xFF, 0x00,       // palette 1: white
};

QByteArray expectedHeader() { return QByteArray(reinterpret_cast<const char*>(ExpectedHeader), 62); }

}  // namespace

TEST(ScreenBitmap, FileImageIsTheHeaderThenThePixelAreaByteForByte)
{
    const QByteArray area = ScreenPatterns::TopLeftOnly();
    const QByteArray image = ScreenBitmap::FileImage(area);
    ASSERT_EQ(image.size(), 2110);
    EXPECT_EQ(image.left(62).toHex(' '), expectedHeader().toHex(' '));
    EXPECT_EQ(ScreenBitmap::Header(), expectedHeader());

    // The bottom row comes first (all black here); the picture's top row is
    // the last 16 bytes, its leftmost pixel in the first byte's high bit.
    EXPECT_EQ(image.mid(62, 16), QByteArray(16, '\0'));
    EXPECT_EQ(image.mid(2094, 16).toHex(), QByteArray("80000000000000000000000000000000"));
    // Nothing else is set: 18 non-zero header bytes and the one white pixel.
    EXPECT_EQ(image.count('\0'), 2110 - 19);

    const QByteArray scrambled = ScreenPatterns::Scrambled();
    EXPECT_EQ(ScreenBitmap::FileImage(scrambled).mid(62), scrambled);
}

TEST(ScreenBitmap, PixelAreaOfAnotherSizeIsRefused)
{
    for (int size : {0, 2047, 2049}) {
        try {
            ScreenBitmap::FileImage(QByteArray(size, '\0'));
            ADD_FAILURE() << size << " bytes were accepted";
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidArgument);
            EXPECT_TRUE(error.description().contains(QString::number(size))) << error.description().toStdString();
        }
    }
}

TEST(ScreenBitmap, ARealImageReaderSeesTheSamePixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // One white pixel: it must land top-left, and nowhere else.
    QImage one;
    ASSERT_TRUE(one.load(ScreenCapture::WriteTemporaryBitmap(dir.path(), ScreenBitmap::FileImage(ScreenPatterns::TopLeftOnly())), "BMP"));
    ASSERT_EQ(one.size(), QSize(128, 128));
    EXPECT_EQ(one.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    int white = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) white += (one.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_EQ(white, 1);
    EXPECT_EQ(one.dotsPerMeterX(), 5690);
    EXPECT_EQ(one.dotsPerMeterY(), 5690);

    // Every pixel of a scrambled pattern.
    const QByteArray area = ScreenPatterns::Scrambled();
    QImage picture;
    ASSERT_TRUE(picture.load(ScreenCapture::WriteTemporaryBitmap(dir.path(), ScreenBitmap::FileImage(area)), "BMP"));
    ASSERT_EQ(picture.size(), QSize(128, 128));
    int wrong = 0;
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const QRgb expected = ScreenPatterns::IsWhite(area, x, y) ? 0xFFFFFF : 0x000000;
            wrong += (picture.pixel(x, y) & 0xFFFFFF) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}
