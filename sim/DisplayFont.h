#pragma once
// The 5 x 7 character set of the instrument's display: digits, capitals and
// the punctuation its screens use. Small letters are shown as capitals; any
// other character as '?'.

namespace DisplayFont {

inline constexpr int Width = 5;
inline constexpr int Height = 7;

// 35 characters, row by row from the top, '#' for a dark pixel, '.' for a light one.
const char* Glyph(char character);

}  // namespace DisplayFont
