#pragma once
// The data delimiter: the text put between values in the datalog files. It is
// a tab, a comma, or one custom character, kept in the settings store under
// section "Preferences", value "Delimiter" as "Tab", "Comma" or "Custom:" and
// the character.

#include <QString>

class Environment;

struct DelimiterChoice {
    bool TabDelimiter = true;
    bool CustomDelimiter = false;  // takes precedence over TabDelimiter
    QString Delimiter;             // the custom character; empty unless custom
    bool operator==(const DelimiterChoice&) const = default;
};

namespace Preferences {

inline const QString Section = QStringLiteral("Preferences");
inline const QString DelimiterValue = QStringLiteral("Delimiter");

// The stored text to the choice, exactly and case-sensitively: "Tab" or empty
// is tab, "Comma" is comma, any other text is a custom delimiter, its last
// character ("Custom:;" gives ';', and "comma" gives 'a').
DelimiterChoice ParseStored(const QString& stored);
// The choice to its stored text; a custom choice with no character is "Tab".
QString ToStored(const DelimiterChoice& choice);

// Reads and writes one value of the "Preferences" section.
QString ReadPreference(const QString& name, const QString& defaultValue);
void WritePreference(const QString& name, const QString& value);

DelimiterChoice LoadPreferences();
void SavePreferences(const DelimiterChoice& choice);

// The delimiter that a --delimiter value names: "tab" or "comma" (any letter
// case), or the one character given (a character outside the basic plane is
// two UTF-16 units). Empty for anything else.
QString DelimiterNamed(const QString& value);

}  // namespace Preferences

// The delimiter in force, one global text: the custom text when custom is
// chosen, else a tab when tab is chosen, else ",". Empty until start-up sets it.
void SetDelimiter(bool tabDelimiter, bool customDelimiter, const QString& delimiter);
void SetDelimiter(const DelimiterChoice& choice);
QString GetDelimiter();
