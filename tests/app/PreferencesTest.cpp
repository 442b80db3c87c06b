// The delimiter preference's stored texts where the preferences dialog
// (dialogs/PreferencesDialogTest.cpp) does not reach them: a custom delimiter
// of more than one character, and a value edited by hand into a list. What
// the dialog opens with and stores for every choice, "Tab", an empty text and
// an unknown text's last character among them, is proven there.
#include "Preferences.h"
#include "ScriptedEnvironment.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(Preferences, AValueEditedByHandIntoAListAndACustomDelimiterOfMoreThanOneCharacter)
{
    EXPECT_EQ(Preferences::ToStored({true, true, "|x"}), "Custom:|") << "only the first character is kept";

    // A value that is not a single text is treated as not stored. The file is
    // written before the store first reads it.
    ScriptedEnvironment env;
    WriteWhole(env.settingsFile(), "[Preferences]\nDelimiter=Comma, Tab\n");
    EXPECT_EQ(Preferences::LoadPreferences(), (DelimiterChoice{true, false, {}}));
}
