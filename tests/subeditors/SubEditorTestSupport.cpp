#include "SubEditorTestSupport.h"

#include "CWNumEdit.h"
#include "modGlobals.h"

SubEditorTest::SubEditorTest()
{
    modGlobals::InstrumentDisplayName = QStringLiteral("TR8 KZ");
    frmEditProduct::DestroyInstance();
}

SubEditorTest::~SubEditorTest() { frmEditProduct::DestroyInstance(); }

void SubEditorTest::setViewNumber(int number)
{
    frmEditProduct::instance().findChild<CWNumEdit*>(QStringLiteral("cwnView"))->SetValue(number);
}

void TypeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

::testing::AssertionResult ClosedBySave(const QDialog& dialog)
{
    if (dialog.isVisible())
        return ::testing::AssertionFailure() << dialog.objectName().toStdString() << " is still open";
    if (dialog.result() != QDialog::Accepted)
        return ::testing::AssertionFailure() << dialog.objectName().toStdString() << " closed without Save";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StillOpen(const QDialog& dialog)
{
    if (!dialog.isVisible()) return ::testing::AssertionFailure() << dialog.objectName().toStdString() << " closed";
    return ::testing::AssertionSuccess();
}
