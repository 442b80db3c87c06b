#include "SubEditorTestSupport.h"

SubEditorTest::SubEditorTest()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    frmEditProduct::DestroyInstance();
}

SubEditorTest::~SubEditorTest()
{
    frmEditProduct::DestroyInstance();
    QLocale::setDefault(previousLocale_);
}

void TypeInto(QWidget* box, const QString& text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
