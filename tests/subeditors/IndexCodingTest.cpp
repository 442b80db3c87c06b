// One coding of a view's colour index: the view window's list (the
// differences at 13..21). The tolerances window names the same code's
// difference, and the simulated instrument logs a reading of that view with
// the datalog's code of the same difference.
#include "CWNumEdit.h"
#include "CodeNames.h"
#include "Measurement.h"
#include "SubEditorTestSupport.h"
#include "frmEditView.h"
#include "frmTolerances.h"

#include <QComboBox>

TEST_F(SubEditorTest, ViewToleranceAndDatalogNamesAgreeOnEveryIndexCode)
{
    // view: the view window's entry; tolerance: the tolerances window's label; datalog: the
    // datalog's name of the logged code
    const struct { int code; const char* view; const char* tolerance; const char* datalog; } cases[] = {
        {12, "SCAA", "dSCAA", "SCAA"},        {13, "GSC", "GSC", "Gray Scale"}, {14, "GSS", "GSS", "Gray Stain"},
        {15, "dE*", "dE*", "dE*"},            {16, "dEc", "dEc", "dEcmc"},      {17, "dE", "dE", "dE"},
        {18, "dC*", "dC*", "dC*"},            {19, "dC", "dC", "dC"},           {20, "SSN", "SSN", "Shade Number"},
        {21, "MI", "MI", "MI"},
    };
    Control<CWNumEdit>(frmEditProduct::instance(), "cwnView")->SetValue(1);
    for (const auto& c : cases) {
        setup().Views(1).ColorScale = 1;
        setup().Views(1).ColorIndex = static_cast<int16_t>(c.code);
        {
            Shown<frmEditView> view;
            EXPECT_EQ(Control<QComboBox>(view, "cboIndex")->currentText(), c.view) << c.code;
        }
        Shown<frmTolerances> tolerances;
        EXPECT_EQ(Label(tolerances, "lblIndex"), c.tolerance) << c.code;
        EXPECT_TRUE(Label(tolerances, "lblWarning").isEmpty()) << c.code;
        EXPECT_EQ(GetCodeName(CodeKind::ColorIndex, static_cast<int16_t>(Measurement::DatalogIndexCode(c.code))),
                  c.datalog)
            << c.code;
    }
    // Just past the last difference: a code the tolerances window does not know.
    setup().Views(1).ColorIndex = 22;
    Shown<frmTolerances> tolerances;
    EXPECT_EQ(Label(tolerances, "lblIndex"), ":");
    EXPECT_TRUE(Label(tolerances, "lblWarning").contains("Color index not recognised"));
}
