#pragma once
// What a setup name may hold: capitals, digits and spaces, at most 15
// characters. Small letters become capitals; characters 128..255 (the
// instrument's 8-bit set beyond ASCII) pass; every other character is no part
// of a name, and neither is anything beyond the 8-bit set, which the
// instrument could not store. The setup editor's name box (which swallows
// such characters as they are inserted) and the command line (which refuses a
// name holding one) share these rules.

#include <QChar>
#include <optional>

inline constexpr int SetupNameMaxLength = 15;

// The character to store for one given character, or nothing when it can be
// no part of a name.
std::optional<QChar> FilterNameCharacter(QChar c);
