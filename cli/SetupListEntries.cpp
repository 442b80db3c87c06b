#include "SetupListEntries.h"

#include "SetupVocabulary.h"

namespace SetupListEntries {

namespace {
QString folded(const QString& text)
{
    QString result;
    for (const QChar c : text)
        if (!c.isSpace()) result += c.toLower();
    return result;
}
}  // namespace

std::optional<int16_t> Find(const QStringList& list, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (const qsizetype exact = list.indexOf(trimmed); exact >= 0) return static_cast<int16_t>(exact);
    const QString wanted = folded(trimmed);
    for (qsizetype i = 0; i < list.size(); ++i)
        if (!wanted.isEmpty() && folded(list[i]) == wanted) return static_cast<int16_t>(i);
    bool ok = false;
    const int code = trimmed.toInt(&ok);
    if (ok && code >= 0 && code < list.size()) return static_cast<int16_t>(code);
    return std::nullopt;
}

}  // namespace SetupListEntries
