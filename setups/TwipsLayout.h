#pragma once
// The setup editors are laid out as designed, in twips: 1440 to the inch,
// so 15 twips to a pixel at 96 dots per inch (Qt's logical pixels; high-DPI
// screens scale them further).

#include <QWidget>
#include <cmath>

namespace TwipsLayout {

inline constexpr double TwipsPerPixel = 15.0;

inline int ToPixels(int twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }

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
