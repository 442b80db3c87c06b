#pragma once
// The instrument's pixel area layout, for the screen capture tests: 128 rows
// of 16 bytes, the picture's bottom row first, the leftmost pixel in the most
// significant bit, 1 white.

#include <QByteArray>

namespace ScreenPatterns {

// Whether the picture's pixel (x from the left, y from the top) is white.
inline bool IsWhite(const QByteArray& area, int x, int y)
{
    const auto byte = static_cast<unsigned char>(area[(127 - y) * 16 + x / 8]);
    return (byte >> (7 - x % 8)) & 1;
}

}  // namespace ScreenPatterns
