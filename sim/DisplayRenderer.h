#pragma once
// The instrument's 128 x 128 one-bit display, drawn in memory and read out as
// the "V0001" reply carries it: 128 rows of 16 bytes, bottom row first, most
// significant bit leftmost, bit 0 black and bit 1 white (the pixel area of a
// one-bit Windows bitmap with a black and a white palette entry).

#include <QByteArray>
#include <QList>
#include <array>

class DisplayCanvas {
public:
    static constexpr int Size = 128;
    static constexpr int RowBytes = Size / 8;
    static constexpr int PixelBytes = Size * RowBytes;  // 2048

    DisplayCanvas() { dark_.fill(false); }

    void setPixel(int x, int y, bool dark);
    bool isDark(int x, int y) const;
    void fillRect(int x, int y, int width, int height, bool dark);
    // Text in the 5 x 7 font on a 6-pixel pitch; dark text, or light text on
    // a dark ground when inverted. Text beyond the right edge is cut.
    void drawText(int x, int y, const QByteArray& text, bool inverted = false);

    QByteArray pixelArea() const;

private:
    std::array<bool, Size * Size> dark_;
};

// What the instrument's main screen shows.
struct DisplayScreen {
    QByteArray title;        // left of the title bar
    QByteArray status;       // right of the title bar
    QList<QByteArray> lines; // up to 12 lines of up to 21 characters
};

inline constexpr int DisplayColumns = 21;
inline constexpr int DisplayLines = 12;

// Title bar: rows 0..9 dark, its texts light at row 1; body lines on a
// 9-pixel pitch from row 12, one pixel in from the left.
QByteArray RenderDisplay(const DisplayScreen& screen);
