#pragma once
// Pixel areas for the screen capture tests, in the instrument's layout: 128
// rows of 16 bytes, the picture's bottom row first, the leftmost pixel in the
// most significant bit, 1 white.

#include <QByteArray>

namespace ScreenPatterns {

inline constexpr int AreaBytes = 128 * 16;

// All black but the picture's top-left pixel: the top row is the last one
// stored, its first byte is 1000 0000.
inline QByteArray TopLeftOnly()
{
    QByteArray area(AreaBytes, '\0');
    area[127 * 16] = static_cast<char>(0x80);
    return area;
}

// Every byte different from its neighbours and from its mirror images, so a
// picture read upside down, mirrored or with the bits reversed cannot match.
inline QByteArray Scrambled()
{
    QByteArray area(AreaBytes, '\0');
    unsigned state = 12345;
    for (int i = 0; i < AreaBytes; ++i) {
        state = state * 1103515245u + 12345u;
        area[i] = static_cast<char>((state >> 16) & 0xFF);
    }
    return area;
}

// Whether the picture's pixel (x from the left, y from the top) is white,
// straight from the layout above.
inline bool IsWhite(const QByteArray& area, int x, int y)
{
    const auto byte = static_cast<unsigned char>(area[(127 - y) * 16 + x / 8]);
    return (byte >> (7 - x % 8)) & 1;
}

}  // namespace ScreenPatterns
