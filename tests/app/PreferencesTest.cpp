// The delimiter preference's stored texts where the preferences dialog
// (dialogs/PreferencesDialogTest.cpp) does not reach them: "Tab" and an empty
// text, a custom delimiter of more than one character, and a value edited by
// hand into a list. What the dialog opens with and stores for every choice,
// an unknown text's last character among them, is proven there.
#include "Preferences.h"
#include "ScriptedEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(Preferences, StoredTextsAndTheDelimiterInForce)
{
    for (const QString stored : {"Tab", ""}) {
        const DelimiterChoice parsed = Preferences::ParseStored(stored);
        EXPECT_EQ(parsed, (DelimiterChoice{true, false, {}})) << qPrintable(stored);
        SetDelimiter(false, true, "!");
        SetDelimiter(parsed);
        EXPECT_EQ(GetDelimiter(), "\t") << qPrintable(stored);
    }
    EXPECT_EQ(Preferences::ToStored({true, true, "|x"}), "Custom:|") << "only the first character is kept";
}

TEST(Preferences, AValueEditedByHandIntoAListReadsAsTab)
{
    // A value that is not a single text is treated as not stored. The file is
    // written before the store first reads it.
    ScriptedEnvironment env;
    QFile ini(env.settingsFile());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[Preferences]\nDelimiter=Comma, Tab\n");
    ini.close();
    EXPECT_EQ(Preferences::LoadPreferences(), (DelimiterChoice{true, false, {}}));
}
