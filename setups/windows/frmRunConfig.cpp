#include "frmRunConfig.h"

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
const QString MinDistanceCaption = QStringLiteral("Min Distance");
const QString MaxDistanceCaption = QStringLiteral("Max Distance");

// Designed positions, in twips.
constexpr int LabelLeft = 240, LabelWidth = 2172;
constexpr int InputLeft = 2520, InputWidth = 1332;

}  // namespace

frmRunConfig::frmRunConfig(QWidget* parent) : QDialog(parent)
{
    PrepareDialog(this, "frmRunConfig");
    buildControls();
}

void frmRunConfig::buildControls()
{
    lblMode_ = MakeLabel(this, "lblMode", QStringLiteral("Read Mode:"), LabelLeft, 240, LabelWidth);
    cboMode_ = MakeList(this, "cboMode", InputLeft, 240, InputWidth);
    cboMode_->addItems(SetupVocabulary::ReadModes());
    lblInterval_ = MakeLabel(this, "lblInterval", QStringLiteral("Interval (s):"), LabelLeft, 600, LabelWidth);
    cwnInterval_ = MakeNumEdit(this, "cwnInterval", InputLeft, 600, InputWidth);
    lblMinDistance_ = MakeLabel(this, "lblMinDistance", MinDistanceCaption, LabelLeft, 960, LabelWidth);
    cwnMinDistance_ = MakeNumEdit(this, "cwnMinDistance", InputLeft, 960, InputWidth);
    lblMaxDistance_ = MakeLabel(this, "lblMaxDistance", MaxDistanceCaption, LabelLeft, 1320, LabelWidth);
    cwnMaxDistance_ = MakeNumEdit(this, "cwnMaxDistance", InputLeft, 1320, InputWidth);
    lblTrigger_ = MakeLabel(this, "lblTrigger", QStringLiteral("Height Trigger:"), LabelLeft, 1680, LabelWidth);
    chkTrigger_ = MakeCheckBox(this, "chkTrigger", InputLeft, 1680, InputWidth);
    cmdSave_ = MakeButton(this, "cmdSave", QStringLiteral("Save"), SaveLeft, ButtonsTop);
    cmdCancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), CancelLeft, ButtonsTop);

    PrepareIntervalEdit(cwnInterval_);

    QWidget* order[] = {cboMode_, cwnInterval_, cwnMinDistance_, cwnMaxDistance_, chkTrigger_, cmdSave_, cmdCancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmRunConfig::ShowModal()
{
    Form_Load();
    exec();
}

void frmRunConfig::Form_Load()
{
    LoadCaption(this, DesignedCaption);
    setup_ = &frmEditProduct::instance().EditedProductSetup();

    ApplyRangeUnits(lblMinDistance_, MinDistanceCaption, cwnMinDistance_, CustomaryUnits);
    ApplyRangeUnits(lblMaxDistance_, MaxDistanceCaption, cwnMaxDistance_, CustomaryUnits);

    FillCodeList(cboMode_, SetupVocabulary::ReadModes(), setup_->ReadMode);
    cwnInterval_->SetValue(setup_->ReportInterval);
    cwnMinDistance_->SetValue(setup_->MinDistance);
    cwnMaxDistance_->SetValue(setup_->MaxDistance);
    chkTrigger_->setCheckState(setup_->HeightTrigger ? Qt::Checked : Qt::Unchecked);
}

void frmRunConfig::cmdSave_Click()
{
    if (!setup_) return;  // nothing loaded
    DistanceEntry entry;
    entry.ReadMode = SelectedCode(cboMode_);
    entry.ReportInterval = cwnInterval_->Value();
    entry.MinDistance = cwnMinDistance_->Value();
    entry.MaxDistance = cwnMaxDistance_->Value();
    entry.HeightTrigger = chkTrigger_->checkState() == Qt::Checked;
    StoreDistances(*setup_, entry);
    accept();
}

void frmRunConfig::cmdCancel_Click() { reject(); }
