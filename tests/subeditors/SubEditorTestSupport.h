#pragma once
// What the sub-editor tests share: a fresh product setup editor (whose setup
// the sub-editors edit) for each test, a pinned locale, the instrument's
// display name, and access to a dialog's controls by their names.

#include "ScriptedEnvironment.h"
#include "frmEditProduct.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Pins the default locale for the life of the guard.
class PinnedLocale {
public:
    explicit PinnedLocale(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~PinnedLocale() { QLocale::setDefault(previous_); }
    PinnedLocale(const PinnedLocale&) = delete;
    PinnedLocale& operator=(const PinnedLocale&) = delete;

private:
    QLocale previous_;
};

inline QLocale UnitedStates() { return QLocale(QLocale::English, QLocale::UnitedStates); }
inline QLocale Germany() { return QLocale(QLocale::German, QLocale::Germany); }

// Each test starts with a new editor window and an empty setup, in the US
// locale, and leaves no editor behind.
class SubEditorTest : public ::testing::Test {
protected:
    SubEditorTest();
    ~SubEditorTest() override;

    ProductSetup& setup() { return frmEditProduct::instance().EditedProductSetup(); }
    // Sets the view number of the editor window (what ViewIndex returns).
    void setViewNumber(int number);

    ScriptedEnvironment env;
    PinnedLocale locale{UnitedStates()};
};

// The control of the dialog with that name; fails the test when there is
// none.
template <typename T>
T* Control(QWidget& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Loads the dialog (the caller has set what must be set before) and shows it
// without a modal loop, so that the test can work its controls.
template <typename Dialog>
void LoadAndShow(Dialog& dialog)
{
    dialog.Form_Load();
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

inline void Click(QWidget& dialog, const char* button)
{
    QTest::mouseClick(Control<QPushButton>(dialog, button), Qt::LeftButton);
}

// Replaces the text of a box as the operator would: select all, type.
void TypeInto(QWidget* box, const QString& text);

// Closed by Save: hidden and accepted.
::testing::AssertionResult ClosedBySave(const QDialog& dialog);
// Still open (a refused Save).
::testing::AssertionResult StillOpen(const QDialog& dialog);

// Runs the action on the first modal dialog of type T once its modal loop
// has started; gives up after five seconds (the test then fails on what the
// action should have recorded).
template <typename T>
void WhenModal(std::function<void(T&)> action)
{
    QElapsedTimer clock;
    clock.start();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, clock] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog || clock.elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
        }
        if (dialog) action(*dialog);
    });
    timer->start(10);
}
