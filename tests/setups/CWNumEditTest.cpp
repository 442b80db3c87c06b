// The numeric edit: limits bind the operator, not the program.
#include "CWNumEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString shownText(CWNumEdit& edit) { return edit.findChild<QLineEdit*>()->text(); }

void typeOver(CWNumEdit& edit, const QString& text)
{
    edit.selectAll();
    QTest::keyClicks(&edit, text);
    QTest::keyClick(&edit, Qt::Key_Enter);
}

}  // namespace

TEST(CWNumEdit, AValueOutsideTheLimitsIsShownAsItIs)
{
    CWNumEdit edit;
    edit.setLocale(QLocale::c());
    edit.SetLimits(0, 150);
    edit.SetStep(5);
    edit.SetValue(200);
    EXPECT_EQ(edit.Value(), 200.0);
    EXPECT_EQ(shownText(edit), "200");
    EXPECT_EQ(edit.LowerLimit(), 0.0);
    EXPECT_EQ(edit.UpperLimit(), 150.0);

    edit.show();
    QTest::keyClick(&edit, Qt::Key_Up);  // away from the limits: nothing
    EXPECT_EQ(edit.Value(), 200.0);
    QTest::keyClick(&edit, Qt::Key_Down);  // toward them: onto the upper limit
    EXPECT_EQ(edit.Value(), 150.0);
    QTest::keyClick(&edit, Qt::Key_Up);  // back inside, bounded by the limits again
    EXPECT_EQ(edit.Value(), 150.0);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Value(), 145.0);

    edit.SetValue(-7);
    EXPECT_EQ(shownText(edit), "-7");
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Value(), -7.0);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Value(), 0.0);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Value(), 0.0);

    // Called directly (not through the disabled button), a step away from the
    // limits still leaves the value alone.
    edit.SetValue(200);
    edit.stepBy(1);
    EXPECT_EQ(edit.Value(), 200.0);
    edit.SetValue(-7);
    edit.stepBy(-3);
    EXPECT_EQ(edit.Value(), -7.0);
}

TEST(CWNumEdit, TypingStaysWithinTheLimits)
{
    CWNumEdit edit;
    edit.setLocale(QLocale::c());
    edit.SetLimits(1, 250);
    edit.SetValue(1);
    edit.show();
    typeOver(edit, "250");
    EXPECT_EQ(edit.Value(), 250.0);
    typeOver(edit, "251");
    EXPECT_LE(edit.Value(), 250.0);
    typeOver(edit, "0");
    EXPECT_GE(edit.Value(), 1.0);

    // A loaded value outside the limits survives focus and editing-finished
    // untouched; only a changed value must lie within them.
    edit.SetValue(300);
    QTest::keyClick(&edit, Qt::Key_Enter);
    EXPECT_EQ(edit.Value(), 300.0);
    typeOver(edit, "299");
    EXPECT_LE(edit.Value(), 250.0);

    // Below the lower limit the widened range would take -5; the limits do not.
    CWNumEdit low;
    low.setLocale(QLocale::c());
    low.SetLimits(0, 150);
    low.SetValue(-7);
    low.show();
    typeOver(low, "-5");
    EXPECT_NE(low.Value(), -5.0);
}

TEST(CWNumEdit, LimitsAndStepCanBeChangedKeepingTheValue)
{
    CWNumEdit edit;
    edit.SetDecimals(1);
    edit.SetLimits(0, 6);
    edit.SetStep(0.1);
    edit.SetValue(2.5);
    // Metric units: limits times 25, step 5.
    edit.SetUpperLimit(edit.UpperLimit() * 25);
    edit.SetLowerLimit(edit.LowerLimit() * 25);
    edit.SetStep(5);
    EXPECT_EQ(edit.UpperLimit(), 150.0);
    EXPECT_EQ(edit.LowerLimit(), 0.0);
    EXPECT_EQ(edit.Step(), 5.0);
    EXPECT_EQ(edit.Value(), 2.5);
    edit.stepBy(1);
    EXPECT_EQ(edit.Value(), 7.5);
    edit.stepBy(40);
    EXPECT_EQ(edit.Value(), 150.0);
}

TEST(CWNumEdit, ShowsTheRegionalNumberFormat)
{
    CWNumEdit edit;
    edit.setLocale(QLocale(QLocale::German, QLocale::Germany));
    edit.SetDecimals(1);
    edit.SetLimits(0, 100000);
    edit.SetValue(2.5);
    EXPECT_EQ(shownText(edit), "2,5");
    edit.SetValue(12345);
    EXPECT_EQ(shownText(edit), "12.345,0");

    edit.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    edit.SetValue(1234.5);
    EXPECT_EQ(shownText(edit), "1,234.5");
}
