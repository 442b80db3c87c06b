#pragma once
// The instrument keeps its counts, distances and intervals as 16-bit whole
// numbers; the program's values on the way there are rounded here.

#include <cstdint>

// Rounds to the nearest whole number, halves to the even neighbour, and
// narrows to 16 bits; a result outside -32768..32767 is an overflow error
// naming what was being rounded.
int16_t RoundToInt16(double value, const char* what);
