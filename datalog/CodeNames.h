#pragma once
// The datalog's own names for the small codes a record stores: standard type,
// view type, illuminant/observer, colour scale and colour index or difference.
// These are the words of the datalog files; the setup editors word some of the
// same codes differently and number the colour differences without a gap, so
// their lists are kept apart from these tables.

#include <QString>
#include <cstdint>
#include <string_view>

namespace CodeKind {
inline constexpr int32_t StandardType = 0;
inline constexpr int32_t ViewType = 1;
inline constexpr int32_t IlluminantObserver = 2;
inline constexpr int32_t ColorScale = 3;
inline constexpr int32_t ColorIndex = 4;  // indices 0..12, differences 21..29
}  // namespace CodeKind

// The name of a code, or the empty text when the table of that kind holds no
// such code (a negative code, a gap, 32767, a kind outside 0..4). There is no
// "unknown" wording: an unassigned code is an empty field in the files.
QString GetCodeName(int32_t kind, int16_t code);

// The same name as 8-bit text (every name is plain ASCII), for the file
// writers that build their lines as bytes; empty when there is no name.
std::string_view CodeNameText(int32_t kind, int16_t code);
