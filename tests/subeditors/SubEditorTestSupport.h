#pragma once
// What the sub-editor tests share: a fresh product setup editor (whose setup
// the sub-editors edit) for each test, numbers in the US format, and the
// dialogs' controls by their names.

#include "ScriptedEnvironment.h"
#include "frmEditProduct.h"

#include <QDialog>
#include <functional>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

class SubEditorTest : public ::testing::Test {
protected:
    SubEditorTest()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        frmEditProduct::DestroyInstance();
    }
    ~SubEditorTest() override
    {
        frmEditProduct::DestroyInstance();
        QLocale::setDefault(previousLocale_);
    }

    ProductSetup& setup() { return frmEditProduct::instance().EditedProductSetup(); }

    ScriptedEnvironment env;

private:
    QLocale previousLocale_;
};

// The control of the dialog with that name; fails the test when there is none.
template <typename T>
T* Control(QWidget& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A dialog loaded (after `prepare`) and shown on construction, without a
// modal loop, so that the test can work its controls.
template <typename Dialog>
struct Shown : Dialog {
    explicit Shown(const std::function<void(Dialog&)>& prepare = {})
    {
        if (prepare) prepare(*this);
        this->Form_Load();
        this->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    }
};

inline void Click(QWidget& dialog, const char* button) { QTest::mouseClick(Control<QPushButton>(dialog, button), Qt::LeftButton); }

// Replaces the text of a box as the operator would: select all, type.
inline void TypeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Clicks Save; true when that closed the dialog (hidden and accepted).
inline bool Save(QDialog& dialog)
{
    Click(dialog, "cmdSave");
    return !dialog.isVisible() && dialog.result() == QDialog::Accepted;
}

inline QString Label(QWidget& dialog, const char* name) { return Control<QLabel>(dialog, name)->text(); }
