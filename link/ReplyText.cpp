#include "ReplyText.h"

#include <algorithm>

QString QuotedText(const QByteArray& text, int limit)
{
    const qsizetype shown = std::min<qsizetype>(text.size(), std::max(limit, 0));
    QString result;
    result.reserve(shown + 32);
    for (qsizetype i = 0; i < shown; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || (byte >= 0x7F && byte < 0xA0)) {
            constexpr char Hex[] = "0123456789ABCDEF";
            result += QLatin1String("\\x");
            result += QLatin1Char(Hex[byte >> 4]);
            result += QLatin1Char(Hex[byte & 0xF]);
        } else if (byte == '\\') {
            result += QLatin1String("\\\\");
        } else {
            result += QChar(byte);
        }
    }
    if (shown < text.size()) result += QStringLiteral("... (%1 characters in all)").arg(text.size());
    return result;
}
