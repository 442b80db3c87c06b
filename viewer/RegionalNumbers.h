#pragma once
// Numbers of the datalog files read back in the regional form they were
// written in: "1,234.568", "1.234,568", "-0,50", "12 345,5" (any group
// separator). Every number of a datalog line that is not a whole number is
// written with at least two decimals, so its last character that is not a
// digit is always the decimal symbol; other non-digits before it can only be
// group separators. That makes a line readable whatever locale wrote it.

#include <cstdint>
#include <string_view>

namespace RegionalNumbers {

// A number with decimals: an optional leading '-', digits with group
// separators (any of . , ' blank and no-break blank), the decimal symbol ('.'
// or ','), at least one digit. False for anything else.
bool ParseFixed(std::string_view text, double& value);

// A whole number: an optional leading '-' and digits, nothing else.
bool ParseWhole(std::string_view text, int64_t& value);

// True for a text of one to three digits, optionally after a '-': the leading
// part of a number whose group separator is also the delimiter.
bool IsLeadingGroup(std::string_view text);

// True when the number's whole part starts with exactly three digits followed
// by a group separator or the decimal symbol: the text may continue a number
// split at a group separator.
bool StartsWithFullGroup(std::string_view text);

bool IsDigits(std::string_view text);

}  // namespace RegionalNumbers
