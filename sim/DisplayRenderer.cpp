#include "DisplayRenderer.h"

#include "DisplayFont.h"

void DisplayCanvas::setPixel(int x, int y, bool dark)
{
    if (x < 0 || y < 0 || x >= Size || y >= Size) return;
    dark_[static_cast<size_t>(y * Size + x)] = dark;
}

bool DisplayCanvas::isDark(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Size || y >= Size) return false;
    return dark_[static_cast<size_t>(y * Size + x)];
}

void DisplayCanvas::fillRect(int x, int y, int width, int height, bool dark)
{
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column) setPixel(column, row, dark);
}

void DisplayCanvas::drawText(int x, int y, const QByteArray& text, bool inverted)
{
    for (char c : text) {
        const char* glyph = DisplayFont::Glyph(c);
        for (int row = 0; row < DisplayFont::Height; ++row)
            for (int column = 0; column < DisplayFont::Width; ++column)
                if (glyph[row * DisplayFont::Width + column] == '#') setPixel(x + column, y + row, !inverted);
        x += DisplayFont::Width + 1;
        if (x >= Size) break;
    }
}

QByteArray DisplayCanvas::pixelArea() const
{
    QByteArray area(PixelBytes, '\0');
    for (int stored = 0; stored < Size; ++stored) {
        const int y = Size - 1 - stored;  // bottom row first
        for (int byte = 0; byte < RowBytes; ++byte) {
            unsigned value = 0;
            for (int bit = 0; bit < 8; ++bit) {
                value <<= 1;
                if (!isDark(byte * 8 + bit, y)) value |= 1;  // 1 is white
            }
            area[stored * RowBytes + byte] = static_cast<char>(value);
        }
    }
    return area;
}

QByteArray RenderDisplay(const DisplayScreen& screen)
{
    DisplayCanvas canvas;
    canvas.fillRect(0, 0, DisplayCanvas::Size, 10, true);
    canvas.drawText(2, 1, screen.title.left(DisplayColumns), true);
    const QByteArray status = screen.status.left(8);
    canvas.drawText(DisplayCanvas::Size - 2 - static_cast<int>(status.size()) * 6 + 1, 1, status, true);
    for (int i = 0; i < screen.lines.size() && i < DisplayLines; ++i)
        canvas.drawText(1, 12 + 9 * i, screen.lines[i].left(DisplayColumns));
    return canvas.pixelArea();
}
