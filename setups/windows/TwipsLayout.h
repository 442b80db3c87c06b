#pragma once
// The setup editors are laid out as designed, in twips: 1440 to the inch,
// so 15 twips to a pixel at 96 dots per inch (Qt's logical pixels; high-DPI
// screens scale them further). The design was made for a small 8-point
// dialog font, 13 pixels high; with a taller font (most desktops today) the
// whole layout grows in proportion, so that no caption is cut short.

#include <QApplication>
#include <QFontMetricsF>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace TwipsLayout {

inline constexpr double TwipsPerPixel = 15.0;
inline constexpr double DesignFontHeight = 13.0;

// Pixels per designed pixel for the application's font, at least 1.
inline double FontScale()
{
    return std::max(1.0, QFontMetricsF(QApplication::font()).height() / DesignFontHeight);
}

inline int ToPixels(int twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel * FontScale())); }

// Places the control at its designed position and size.
inline void Place(QWidget* control, int left, int top, int width, int height)
{
    control->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

// Gives the window its designed client area, fixed.
inline void SetClientSize(QWidget* window, int width, int height)
{
    window->setFixedSize(ToPixels(width), ToPixels(height));
}

}  // namespace TwipsLayout
