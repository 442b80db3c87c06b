// The program's sub-editor windows behind the Edit buttons of frmEditProduct.
// Each dialog is made when its button is pressed, loads, runs modally over
// the editor window and is destroyed when it closes. An error of a load (a
// setup whose heights do not fit in 16 bits) reaches the button's caller
// before the dialog opens.
#include "SubEditors.h"

#include "frmEditView.h"
#include "frmRunConfig.h"
#include "frmRunConfig2.h"
#include "frmStandard.h"
#include "frmTolerances.h"

void InstallSubEditors(SubEditors& editors)
{
    editors.ShowEditView = [](QWidget* parent) {
        frmEditView dialog(parent);
        dialog.ShowModal();
    };
    editors.ShowStandard = [](QWidget* parent) {
        frmStandard dialog(parent);
        dialog.ShowModal();
    };
    editors.ShowTolerances = [](QWidget* parent) {
        frmTolerances dialog(parent);
        dialog.ShowModal();
    };
    editors.ShowRunConfig = [](QWidget* parent, bool customaryUnits) {
        frmRunConfig dialog(parent);
        dialog.CustomaryUnits = customaryUnits;
        dialog.ShowModal();
    };
    editors.ShowRunConfig2 = [](QWidget* parent, bool customaryUnits) {
        frmRunConfig2 dialog(parent);
        dialog.CustomaryUnits = customaryUnits;
        dialog.ShowModal();
    };
}
