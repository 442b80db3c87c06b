#include "SetupNameFilter.h"

std::optional<QChar> FilterNameCharacter(QChar c)
{
    const char16_t code = c.unicode();
    if (code == u' ') return c;
    if (code < 32) return std::nullopt;
    if ((code >= u'0' && code <= u'9') || (code >= u'A' && code <= u'Z')) return c;
    if (code >= u'a' && code <= u'z') return QChar(static_cast<char16_t>(code - u'a' + u'A'));
    if (code >= 128 && code <= 255) return c;
    return std::nullopt;
}
