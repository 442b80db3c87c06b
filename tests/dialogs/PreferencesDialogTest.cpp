// The delimiter preference through the real dialog: what it opens with for
// each stored text, what the operator does there, and the text stored after.

#include "frmPreferences.h"

#include "Preferences.h"
#include "ScriptedEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>

namespace {

// Also records every settings write.
class RecordingEnvironment : public ScriptedEnvironment {
public:
    void WriteSetting(const QString& section, const QString& name, const QString& value) override
    {
        writes << section + u'/' + name + u'=' + value;
        ScriptedEnvironment::WriteSetting(section, name, value);
    }
    QStringList writes;
};

QLineEdit* txtOther(QWidget& dialog) { return dialog.findChild<QLineEdit*>(QStringLiteral("txtOther")); }
void click(QWidget& dialog, const char* name) { dialog.findChild<QAbstractButton*>(QLatin1String(name))->click(); }

QString selected(QWidget& dialog)
{
    for (const QRadioButton* option : dialog.findChildren<QRadioButton*>())
        if (option->isChecked()) return option->objectName();
    return QStringLiteral("none");
}

}  // namespace

TEST(PreferencesCommand, StoredTextDecidesWhatTheDialogShowsAndOkOrCancelStoresIt)
{
    const auto ok = [](frmPreferences& dialog) { click(dialog, "cmdOK"); };
    // The stored text (nullptr: nothing stored), what the operator does, what the dialog shows, what is stored after.
    const struct {
        const char* stored;
        std::function<void(frmPreferences&)> operatorActs;
        QString opensWith, otherText, storedAfter, delimiter;
    } cases[] = {
        {nullptr, [](frmPreferences& dialog) { click(dialog, "cmdCancel"); }, "optTab", "", "Tab", "\t"},
        {"Tab", ok, "optTab", "", "Tab", "\t"},
        {"", ok, "optTab", "", "Tab", "\t"},
        {"Comma", ok, "optComma", "", "Comma", ","},
        {"Custom:;", ok, "optOther", ";", "Custom:;", ";"},
        // Compared case-sensitively: an unknown text is a custom delimiter, its last character.
        {"comma", ok, "optOther", "a", "Custom:a", "a"},
        // Typing selects Other (the box takes one character); deleting it leaves
        // Other selected; Other with no character is a tab.
        {"Comma", [](frmPreferences& dialog) {
             QTest::keyClicks(txtOther(dialog), "|x");
             EXPECT_EQ(selected(dialog), "optOther");
             QTest::keyClick(txtOther(dialog), Qt::Key_Backspace);
             EXPECT_EQ(selected(dialog), "optOther");
             click(dialog, "cmdOK");
         }, "optComma", "", "Tab", "\t"},
        // Everything changed, then Cancel: the stored text is written again, unchanged.
        {"Custom:;", [](frmPreferences& dialog) {
             click(dialog, "optComma");
             txtOther(dialog)->setText("#");
             click(dialog, "optTab");
             click(dialog, "cmdCancel");
         }, "optOther", ";", "Custom:;", ";"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(nothing)");
        RecordingEnvironment env;
        if (c.stored) env.settings().write("Preferences", "Delimiter", QLatin1String(c.stored));
        SetDelimiter(false, true, "!");  // something else in force before
        QString opensWith = "(not shown)", otherText;
        // Runs once the dialog's exec() has started.
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<frmPreferences*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opensWith = selected(*dialog);
            otherText = txtOther(*dialog)->text();
            c.operatorActs(*dialog);
        });
        RunPreferencesCommand(nullptr);
        EXPECT_EQ(opensWith, c.opensWith);
        EXPECT_EQ(otherText, c.otherText);
        EXPECT_EQ(env.writes, QStringList{"Preferences/Delimiter=" + c.storedAfter});
        EXPECT_EQ(GetDelimiter(), c.delimiter);
    }
}
