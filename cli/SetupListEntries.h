#pragma once
// The entries of the setup editors' lists as the command line reads and
// shows them. The lists are the editors' own (SetupVocabulary.h).

#include "SetupVocabulary.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace SetupListEntries {

// The code of an entry: the entry as written, else the entry with letter
// case and blanks disregarded ("l a b", "LAB" and "L a b" alike), else a
// whole number that is a code of the list. Nothing for anything else.
std::optional<int16_t> Find(const QStringList& list, const QString& text);

// The entry of a code, or what the editors show for a code they have no
// entry for.
inline QString Describe(const QStringList& list, int code) { return SetupVocabulary::EntryOf(list, code); }

}  // namespace SetupListEntries
