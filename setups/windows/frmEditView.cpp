#include "frmEditView.h"

#include "ProductSetup.h"
#include "SetupVocabulary.h"
#include "SubEditorControls.h"
#include "frmEditProduct.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <iterator>

using namespace SubEditorControls;

namespace {

const QString DesignedCaption = QStringLiteral("Edit View - ");
const QString ViewCaption = QStringLiteral("View #");

// Designed positions, in twips.
constexpr int LabelLeft = 240, LabelWidth = 1452;
constexpr int InputLeft = 2520, InputWidth = 1332;

}  // namespace

frmEditView::frmEditView(QWidget* parent) : QDialog(parent)
{
    PrepareDialog(this, "frmEditView");
    buildControls();
}

void frmEditView::buildControls()
{
    lblView_ = MakeLabel(this, "lblView", ViewCaption, LabelLeft, 240, LabelWidth);
    lblEnable_ = MakeLabel(this, "lblEnable", QStringLiteral("Enable:"), LabelLeft, 600, LabelWidth);
    chkEnable_ = MakeCheckBox(this, "chkEnable", InputLeft, 600, InputWidth);
    lblDisplay_ = MakeLabel(this, "lblDisplay", QStringLiteral("Display:"), LabelLeft, 960, LabelWidth);
    cboDisplay_ = MakeList(this, "cboDisplay", InputLeft, 960, InputWidth);
    lblIllObs_ = MakeLabel(this, "lblIllObs", QStringLiteral("Ill/Obs:"), LabelLeft, 1320, LabelWidth);
    cboIllObs_ = MakeList(this, "cboIllObs", InputLeft, 1320, InputWidth);
    lblScale_ = MakeLabel(this, "lblScale", QStringLiteral("Color Scale:"), LabelLeft, 1680, LabelWidth);
    cboScale_ = MakeList(this, "cboScale", InputLeft, 1680, InputWidth);
    lblIndex_ = MakeLabel(this, "lblIndex", QStringLiteral("Color Index:"), LabelLeft, 2040, LabelWidth);
    cboIndex_ = MakeList(this, "cboIndex", InputLeft, 2040, InputWidth);
    cmdSave_ = MakeButton(this, "cmdSave", QStringLiteral("Save"), SaveLeft, ButtonsTop);
    cmdCancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), CancelLeft, ButtonsTop);

    QWidget* order[] = {chkEnable_, cboDisplay_, cboIllObs_, cboScale_, cboIndex_, cmdSave_, cmdCancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmEditView::ShowModal()
{
    Form_Load();
    exec();
}

void frmEditView::Form_Load()
{
    LoadCaption(this, DesignedCaption);
    frmEditProduct& editor = frmEditProduct::instance();
    setup_ = &editor.EditedProductSetup();
    viewNumber_ = editor.ViewIndex();
    const DataView& view = setup_->Views(viewNumber_);

    lblView_->setText(ViewCaption + QString::number(viewNumber_));
    // View 1 is always shown on the instrument.
    const bool first = viewNumber_ == 1;
    chkEnable_->setEnabled(!first);
    chkEnable_->setCheckState(first || view.Enabled ? Qt::Checked : Qt::Unchecked);

    FillCodeList(cboDisplay_, SetupVocabulary::DisplayTypes(), view.DisplayType);
    FillCodeList(cboIllObs_, SetupVocabulary::IllObsNames(), view.IllumObs);
    FillCodeList(cboScale_, SetupVocabulary::ColorScales(), view.ColorScale);
    FillCodeList(cboIndex_, SetupVocabulary::ColorIndices(), view.ColorIndex);
}

void frmEditView::cmdSave_Click()
{
    if (!setup_) return;  // nothing loaded
    DataView& view = setup_->Views(viewNumber_);
    view.Enabled = chkEnable_->checkState() == Qt::Checked;
    view.DisplayType = SelectedCode(cboDisplay_);
    view.IllumObs = SelectedCode(cboIllObs_);
    view.ColorScale = SelectedCode(cboScale_);
    view.ColorIndex = SelectedCode(cboIndex_);
    accept();
}

void frmEditView::cmdCancel_Click() { reject(); }
