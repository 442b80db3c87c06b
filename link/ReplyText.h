#pragma once
// How a message quotes what came from outside the program: an instrument's
// reply, or a line of a stored file. Such text may hold any byte, and a
// message box or a terminal stops at a NUL or is upset by other control
// characters, so those are shown escaped; and a damaged reply can be long,
// so only its head is quoted.

#include <QByteArray>
#include <QString>

// Characters of the text that a message quotes at most.
inline constexpr int QuotedTextLimit = 200;

// The text for a message: control characters (NUL, CR, LF, tab, ESC... and
// the C1 controls 0x80-0x9F) as \xNN, a backslash doubled, every other byte
// as its Latin-1 character; at most `limit` characters of the text, then
// "..." and how long the whole text is.
QString QuotedText(const QByteArray& text, int limit = QuotedTextLimit);
