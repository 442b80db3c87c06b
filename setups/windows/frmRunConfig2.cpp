#include "frmRunConfig2.h"

#include "CWNumEdit.h"
#include "RunConfigValues.h"
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

const QString DesignedCaption = QStringLiteral("Run Configuration - ");
const QString BaseCaption = QStringLiteral("Distance to Base");
const QString MinHeightCaption = QStringLiteral("Min Height");
const QString MaxHeightCaption = QStringLiteral("Max Height");

// Designed positions, in twips.
constexpr int LabelLeft = 240, LabelWidth = 2172;
constexpr int InputLeft = 2520, InputWidth = 1332;

}  // namespace

frmRunConfig2::frmRunConfig2(QWidget* parent) : QDialog(parent)
{
    PrepareDialog(this, "frmRunConfig2");
    buildControls();
}

void frmRunConfig2::buildControls()
{
    lblMode_ = MakeLabel(this, "lblMode", QStringLiteral("Read Mode:"), LabelLeft, 240, LabelWidth);
    cboMode_ = MakeList(this, "cboMode", InputLeft, 240, InputWidth);
    cboMode_->addItems(SetupVocabulary::ReadModes());
    lblInterval_ = MakeLabel(this, "lblInterval", QStringLiteral("Interval (s):"), LabelLeft, 600, LabelWidth);
    cwnInterval_ = MakeNumEdit(this, "cwnInterval", InputLeft, 600, InputWidth);
    lblBase_ = MakeLabel(this, "lblBase", BaseCaption, LabelLeft, 960, LabelWidth);
    cwnBase_ = MakeNumEdit(this, "cwnBase", InputLeft, 960, InputWidth);
    lblMinHeight_ = MakeLabel(this, "lblMinHeight", MinHeightCaption, LabelLeft, 1320, LabelWidth);
    cwnMinHeight_ = MakeNumEdit(this, "cwnMinHeight", InputLeft, 1320, InputWidth);
    lblMaxHeight_ = MakeLabel(this, "lblMaxHeight", MaxHeightCaption, LabelLeft, 1680, LabelWidth);
    cwnMaxHeight_ = MakeNumEdit(this, "cwnMaxHeight", InputLeft, 1680, InputWidth);
    lblTrigger_ = MakeLabel(this, "lblTrigger", QStringLiteral("Height Trigger:"), LabelLeft, 2040, LabelWidth);
    chkTrigger_ = MakeCheckBox(this, "chkTrigger", InputLeft, 2040, InputWidth);
    cmdSave_ = MakeButton(this, "cmdSave", QStringLiteral("Save"), SaveLeft, ButtonsTop);
    cmdCancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), CancelLeft, ButtonsTop);

    PrepareIntervalEdit(cwnInterval_);

    QWidget* order[] = {cboMode_,     cwnInterval_, cwnBase_, cwnMinHeight_,
                        cwnMaxHeight_, chkTrigger_,  cmdSave_, cmdCancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmRunConfig2::ShowModal()
{
    Form_Load();
    exec();
}

void frmRunConfig2::Form_Load()
{
    LoadCaption(this, DesignedCaption);
    setup_ = &frmEditProduct::instance().EditedProductSetup();

    ApplyRangeUnits(lblBase_, BaseCaption, cwnBase_, CustomaryUnits);
    ApplyRangeUnits(lblMinHeight_, MinHeightCaption, cwnMinHeight_, CustomaryUnits);
    ApplyRangeUnits(lblMaxHeight_, MaxHeightCaption, cwnMaxHeight_, CustomaryUnits);

    FillCodeList(cboMode_, SetupVocabulary::ReadModes(), setup_->ReadMode);
    cwnInterval_->SetValue(setup_->ReportInterval);
    cwnBase_->SetValue(setup_->BaseDistance);
    const RunConfigHeights heights = HeightsOf(*setup_);
    cwnMinHeight_->SetValue(heights.MinHeight);
    cwnMaxHeight_->SetValue(heights.MaxHeight);
    chkTrigger_->setCheckState(setup_->HeightTrigger ? Qt::Checked : Qt::Unchecked);
}

void frmRunConfig2::cmdSave_Click()
{
    if (!setup_) return;  // nothing loaded
    HeightEntry entry;
    entry.ReadMode = SelectedCode(cboMode_);
    entry.ReportInterval = cwnInterval_->Value();
    entry.BaseDistance = cwnBase_->Value();
    entry.MinHeight = cwnMinHeight_->Value();
    entry.MaxHeight = cwnMaxHeight_->Value();
    entry.HeightTrigger = chkTrigger_->checkState() == Qt::Checked;
    StoreHeights(*setup_, entry);
    accept();
}

void frmRunConfig2::cmdCancel_Click() { reject(); }
