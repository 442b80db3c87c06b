// The delimiter preference's stored texts and the delimiter in force.
#include "Preferences.h"
#include "ScriptedEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

// Further stored texts, and what is stored for each choice, are proven
// through the preferences dialog (dialogs).
TEST(Preferences, StoredTextsAndTheDelimiterInForce)
{
    struct Case {
        QString stored;
        DelimiterChoice choice;
        QString delimiter;
    };
    const Case cases[] = {
        {"Tab", {true, false, {}}, "\t"},
        {"", {true, false, {}}, "\t"},
        {"Comma", {false, false, {}}, ","},
        {"TAB", {false, true, "B"}, "B"},  // not recognised: its last character
    };
    for (const Case& c : cases) {
        const DelimiterChoice parsed = Preferences::ParseStored(c.stored);
        EXPECT_EQ(parsed, c.choice) << qPrintable(c.stored);
        SetDelimiter(parsed);
        EXPECT_EQ(GetDelimiter(), c.delimiter) << qPrintable(c.stored);
    }
    EXPECT_EQ(Preferences::ToStored({true, true, "|x"}), "Custom:|") << "only the first character is kept";
    EXPECT_EQ(Preferences::ToStored({false, true, {}}), "Tab") << "custom with no character";
}

TEST(Preferences, UnstoredOrUnreadableValuesReadAsTab)
{
    ScriptedEnvironment env;
    EXPECT_EQ(Preferences::LoadPreferences(), (DelimiterChoice{true, false, {}}));

    Preferences::SavePreferences({false, true, ","});
    EXPECT_EQ(env.settings().read("Preferences", "Delimiter", "?"), "Custom:,");
    EXPECT_EQ(Preferences::LoadPreferences(), (DelimiterChoice{false, true, ","}));

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
