#include "frmPreferences.h"

#include "Preferences.h"
#include "SettingsStore.h"
#include "DialogTestSupport.h"
#include "modGlobals.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {

// An environment that also records every settings write.
class RecordingEnvironment : public ScriptedEnvironment {
public:
    void WriteSetting(const QString& section, const QString& name, const QString& value) override
    {
        writes << section + QLatin1Char('/') + name + QLatin1Char('=') + value;
        ScriptedEnvironment::WriteSetting(section, name, value);
    }
    QStringList writes;
};

struct NameGuard {
    NameGuard() : previous(modGlobals::InstrumentDisplayName) { modGlobals::InstrumentDisplayName = QStringLiteral("TR8 KZ"); }
    ~NameGuard() { modGlobals::InstrumentDisplayName = previous; }
    QString previous;
};

QRadioButton* option(QWidget& dialog, const char* name) { return dialog.findChild<QRadioButton*>(QLatin1String(name)); }
QLineEdit* txtOther(QWidget& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("txtOther")); }
QPushButton* button(QWidget& dialog, const char* name) { return dialog.findChild<QPushButton*>(QLatin1String(name)); }

// The selected option's name, or "none".
QString selected(QWidget& dialog)
{
    QString name = QStringLiteral("none");
    for (const char* candidate : {"optTab", "optComma", "optOther"})
        if (option(dialog, candidate)->isChecked()) name = QLatin1String(candidate);
    return name;
}

struct Opened {
    QString selected;
    QString other;
};

// Runs the menu command; while the dialog is up, records what it shows and
// lets the operator act.
Opened RunCommand(std::function<void(frmPreferences&)> operatorActs)
{
    Opened opened{QStringLiteral("(not shown)"), {}};
    WhenModal<frmPreferences>([&](frmPreferences& dialog) {
        opened = {selected(dialog), txtOther(dialog)->text()};
        operatorActs(dialog);
    });
    RunPreferencesCommand(nullptr);
    return opened;
}

void PressOK(frmPreferences& dialog) { button(dialog, "cmdOK")->click(); }
void PressCancel(frmPreferences& dialog) { button(dialog, "cmdCancel")->click(); }

QString Stored(ScriptedEnvironment& env) { return env.settings().read("Preferences", "Delimiter", "(none)"); }

}  // namespace

TEST(PreferencesCommand, StoredTextDecidesTheDelimiterAndTheDialogShowsIt)
{
    NameGuard name;
    struct Case {
        std::optional<QString> stored;
        bool ok;
        QString opensWith, otherText, storedAfter, delimiter;
    };
    const Case cases[] = {
        {std::nullopt, false, "optTab", "", "Tab", "\t"},
        {QString(), true, "optTab", "", "Tab", "\t"},
        {"Tab", true, "optTab", "", "Tab", "\t"},
        {"Comma", false, "optComma", "", "Comma", ","},
        {"Comma", true, "optComma", "", "Comma", ","},
        {"Custom:;", true, "optOther", ";", "Custom:;", ";"},
        // Compared case-sensitively: an unknown text is a custom delimiter,
        // its last character, and is stored in the canonical form.
        {"comma", false, "optOther", "a", "Custom:a", "a"},
        {"TAB", true, "optOther", "B", "Custom:B", "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(nothing)").toStdString());
        ScriptedEnvironment env;
        if (c.stored) env.settings().write("Preferences", "Delimiter", *c.stored);
        SetDelimiter(false, true, "#");  // something else in force before

        const Opened opened = RunCommand(c.ok ? PressOK : PressCancel);

        EXPECT_EQ(opened.selected, c.opensWith);
        EXPECT_EQ(opened.other, c.otherText);
        EXPECT_EQ(Stored(env), c.storedAfter);
        EXPECT_EQ(GetDelimiter(), c.delimiter);
    }
}

TEST(PreferencesCommand, OtherWithNoCharacterBecomesTab)
{
    NameGuard name;
    ScriptedEnvironment env;
    env.settings().write("Preferences", "Delimiter", "Comma");
    RunCommand([](frmPreferences& dialog) {
        option(dialog, "optOther")->click();
        PressOK(dialog);
    });
    EXPECT_EQ(Stored(env), "Tab");
    EXPECT_EQ(GetDelimiter(), "\t");
}

TEST(PreferencesCommand, TypingSelectsOtherAndDeletingLeavesItSelected)
{
    NameGuard name;
    {
        ScriptedEnvironment env;
        env.settings().write("Preferences", "Delimiter", "Comma");
        QString afterTyping, textAfterTyping, afterDeleting;
        RunCommand([&](frmPreferences& dialog) {
            QTest::keyClicks(txtOther(dialog), "|x");  // one character at most
            afterTyping = selected(dialog);
            textAfterTyping = txtOther(dialog)->text();
            QTest::keyClick(txtOther(dialog), Qt::Key_Backspace);
            afterDeleting = selected(dialog);
            QTest::keyClicks(txtOther(dialog), "|");
            PressOK(dialog);
        });
        EXPECT_EQ(afterTyping, "optOther");
        EXPECT_EQ(textAfterTyping, "|");
        EXPECT_EQ(afterDeleting, "optOther");
        EXPECT_EQ(Stored(env), "Custom:|");
        EXPECT_EQ(GetDelimiter(), "|");
    }
    {
        // Typed and deleted again, then OK: no character, so tab.
        ScriptedEnvironment env;
        env.settings().write("Preferences", "Delimiter", "Comma");
        RunCommand([&](frmPreferences& dialog) {
            QTest::keyClicks(txtOther(dialog), ";");
            QTest::keyClick(txtOther(dialog), Qt::Key_Backspace);
            PressOK(dialog);
        });
        EXPECT_EQ(Stored(env), "Tab");
        EXPECT_EQ(GetDelimiter(), "\t");
    }
}

TEST(PreferencesCommand, CancelRewritesTheStoredTextUnchanged)
{
    NameGuard name;
    RecordingEnvironment env;
    env.settings().write("Preferences", "Delimiter", "Custom:;");
    RunCommand([](frmPreferences& dialog) {
        // The operator changes everything, then thinks better of it.
        option(dialog, "optComma")->click();
        txtOther(dialog)->setText("#");
        option(dialog, "optTab")->click();
        PressCancel(dialog);
    });
    EXPECT_EQ(env.writes, QStringList{"Preferences/Delimiter=Custom:;"});
    ASSERT_TRUE(QFile::exists(env.settingsFile()));
    EXPECT_EQ(SettingsStore(env.settingsFile()).read("Preferences", "Delimiter", "(none)"), "Custom:;");
    EXPECT_EQ(GetDelimiter(), ";");
}

TEST(PreferencesCommand, StoredValueOfAnotherTypeReadsAsTab)
{
    NameGuard name;
    ScriptedEnvironment env;
    {
        // Written by hand: the INI form of a list of two texts.
        QFile ini(env.settingsFile());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Preferences]\nDelimiter=Comma, Tab\n");
    }
    EXPECT_EQ(Preferences::LoadPreferences(), (DelimiterChoice{true, false, {}}));
    const Opened opened = RunCommand(PressOK);
    EXPECT_EQ(opened.selected, "optTab");
    EXPECT_EQ(Stored(env), "Tab");
    EXPECT_EQ(GetDelimiter(), "\t");
}

TEST(PreferencesDialog, ControlsCaptionAndTabOrder)
{
    NameGuard name;
    ScriptedEnvironment env;
    frmPreferences dialog;
    EXPECT_EQ(dialog.objectName(), "frmPreferences");
    EXPECT_EQ(dialog.windowTitle(), "Preferences - TR8 KZ");
    EXPECT_FALSE(dialog.windowIcon().isNull());

    auto* frame = dialog.findChild<QGroupBox*>("fraDelimiter");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Data Delimiter");
    ASSERT_NE(option(dialog, "optTab"), nullptr);
    ASSERT_NE(option(dialog, "optComma"), nullptr);
    ASSERT_NE(option(dialog, "optOther"), nullptr);
    ASSERT_NE(txtOther(dialog), nullptr);
    EXPECT_EQ(option(dialog, "optTab")->text(), "&Tab");
    EXPECT_EQ(option(dialog, "optComma")->text(), "&Comma");
    EXPECT_EQ(option(dialog, "optOther")->text(), "&Other");
    for (QWidget* inFrame : std::initializer_list<QWidget*>{option(dialog, "optTab"), option(dialog, "optComma"),
                                                            option(dialog, "optOther"), txtOther(dialog)})
        EXPECT_TRUE(frame->isAncestorOf(inFrame)) << inFrame->objectName().toStdString();
    EXPECT_EQ(txtOther(dialog)->maxLength(), 1);
    EXPECT_EQ(button(dialog, "cmdOK")->text(), "OK");
    EXPECT_TRUE(button(dialog, "cmdOK")->isDefault());
    EXPECT_EQ(button(dialog, "cmdCancel")->text(), "Cancel");

    // The focus chain, read from OK round to OK, holds the named controls in
    // this order.
    const QStringList named = {"cmdOK", "cmdCancel", "fraDelimiter", "optTab", "optComma", "optOther", "txtOther"};
    QStringList order;
    QWidget* start = button(dialog, "cmdOK");
    QWidget* w = start;
    do {
        if (named.contains(w->objectName())) order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != start);
    EXPECT_EQ(order, named);
}

TEST(PreferencesDialog, EachShowingSelectsFromTheValues)
{
    NameGuard name;
    ScriptedEnvironment env;
    struct Case {
        bool tab, custom;
        QString delimiter, selects, other;
    };
    const Case cases[] = {
        {true, true, "xy", "optOther", "x"},  // custom wins; first character only
        {false, true, ";", "optOther", ";"},
        {true, false, "", "optTab", ""},
        {false, false, "", "optComma", ""},
    };
    for (const Case& c : cases) {
        frmPreferences dialog;
        dialog.TabDelimiter = c.tab;
        dialog.CustomDelimiter = c.custom;
        dialog.Delimiter = c.delimiter;
        dialog.show();
        EXPECT_EQ(selected(dialog), c.selects);
        EXPECT_EQ(txtOther(dialog)->text(), c.other);

        // Shown again after the operator changed the choice: the values again.
        option(dialog, c.selects == "optComma" ? "optTab" : "optComma")->click();
        dialog.hide();
        dialog.show();
        EXPECT_EQ(selected(dialog), c.selects);
        dialog.hide();
    }
}

TEST(PreferencesDialog, OkReadsTheControlsAndCancelKeepsTheValues)
{
    NameGuard name;
    ScriptedEnvironment env;
    {
        frmPreferences dialog;
        dialog.TabDelimiter = false;
        dialog.CustomDelimiter = true;
        dialog.Delimiter = ";";
        dialog.show();
        option(dialog, "optComma")->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.TabDelimiter);
        EXPECT_TRUE(dialog.CustomDelimiter);
        EXPECT_EQ(dialog.Delimiter, ";");
    }
    {
        // Comma chosen: the custom character is left as it was.
        frmPreferences dialog;
        dialog.TabDelimiter = false;
        dialog.CustomDelimiter = true;
        dialog.Delimiter = ";";
        dialog.show();
        option(dialog, "optComma")->click();
        QTest::keyClick(txtOther(dialog), Qt::Key_Return);  // Enter presses OK
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(dialog.TabDelimiter);
        EXPECT_FALSE(dialog.CustomDelimiter);
        EXPECT_EQ(dialog.Delimiter, ";");
    }
    {
        frmPreferences dialog;
        dialog.show();
        txtOther(dialog)->setText("!");
        PressOK(dialog);
        EXPECT_FALSE(dialog.TabDelimiter);
        EXPECT_TRUE(dialog.CustomDelimiter);
        EXPECT_EQ(dialog.Delimiter, "!");
    }
}

TEST(PreferencesCommand, FileMenuOpensTheDialogOnTheStoredChoice)
{
    SimMainWindow main;
    main.env.settings().write("Preferences", "Delimiter", "Comma");
    QString opensWith, caption;
    WhenModal<frmPreferences>([&](frmPreferences& dialog) {
        opensWith = selected(dialog);
        caption = dialog.windowTitle();
        QTest::keyClicks(txtOther(dialog), "|");
        PressOK(dialog);
    });
    main.window->mnuFileItem(0)->trigger();
    EXPECT_EQ(opensWith, "optComma");
    EXPECT_EQ(caption, "Preferences - TR8 KZ");
    EXPECT_EQ(Stored(main.env), "Custom:|");
    EXPECT_EQ(GetDelimiter(), "|");
}
