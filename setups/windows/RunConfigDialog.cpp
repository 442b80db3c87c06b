#include "RunConfigDialog.h"

#include "CWNumEdit.h"
#include "SetupVocabulary.h"
#include "SubEditorControls.h"
#include "frmEditProduct.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace SubEditorControls;

namespace {

const QString DesignedCaption = QStringLiteral("Run Configuration - ");

// Designed positions, in twips: one row every 360 from the top.
constexpr int LabelLeft = 240, LabelWidth = 2172;
constexpr int InputLeft = 2520, InputWidth = 1332;
constexpr int FirstRowTop = 240, RowPitch = 360;

int rowTop(qsizetype row) { return FirstRowTop + static_cast<int>(row) * RowPitch; }

}  // namespace

RunConfigDialog::RunConfigDialog(const char* objectName, const QList<RangeRow>& ranges, QWidget* parent)
    : QDialog(parent), ranges_(ranges)
{
    PrepareDialog(this, objectName);

    MakeLabel(this, "lblMode", QStringLiteral("Read Mode:"), LabelLeft, rowTop(0), LabelWidth);
    cboMode_ = MakeList(this, "cboMode", InputLeft, rowTop(0), InputWidth);
    cboMode_->addItems(SetupVocabulary::ReadModes());
    MakeLabel(this, "lblInterval", QStringLiteral("Interval (s):"), LabelLeft, rowTop(1), LabelWidth);
    cwnInterval_ = MakeNumEdit(this, "cwnInterval", InputLeft, rowTop(1), InputWidth);
    PrepareIntervalEdit(cwnInterval_);

    QList<QWidget*> order{cboMode_, cwnInterval_};
    for (qsizetype i = 0; i < ranges_.size(); ++i) {
        const QByteArray labelName = "lbl" + ranges_[i].Name.toLatin1();
        const QByteArray editName = "cwn" + ranges_[i].Name.toLatin1();
        rangeLabels_ << MakeLabel(this, labelName.constData(), ranges_[i].Caption, LabelLeft, rowTop(2 + i), LabelWidth);
        rangeEdits_ << MakeNumEdit(this, editName.constData(), InputLeft, rowTop(2 + i), InputWidth);
        order << rangeEdits_.last();
    }
    const int triggerTop = rowTop(2 + ranges_.size());
    MakeLabel(this, "lblTrigger", QStringLiteral("Height Trigger:"), LabelLeft, triggerTop, LabelWidth);
    chkTrigger_ = MakeCheckBox(this, "chkTrigger", InputLeft, triggerTop, InputWidth);
    cmdSave_ = MakeButton(this, "cmdSave", QStringLiteral("Save"), SaveLeft, ButtonsTop);
    cmdCancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), CancelLeft, ButtonsTop);

    order << chkTrigger_ << cmdSave_ << cmdCancel_;
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void RunConfigDialog::ShowModal()
{
    Form_Load();
    exec();
}

void RunConfigDialog::Form_Load()
{
    LoadCaption(this, DesignedCaption);
    setup_ = &frmEditProduct::instance().EditedProductSetup();

    for (qsizetype i = 0; i < ranges_.size(); ++i)
        ApplyRangeUnits(rangeLabels_[i], ranges_[i].Caption, rangeEdits_[i], CustomaryUnits);

    FillCodeList(cboMode_, SetupVocabulary::ReadModes(), setup_->ReadMode);
    cwnInterval_->SetValue(setup_->ReportInterval);
    LoadRanges(*setup_);
    chkTrigger_->setCheckState(setup_->HeightTrigger ? Qt::Checked : Qt::Unchecked);
}

void RunConfigDialog::cmdSave_Click()
{
    if (!setup_) return;  // nothing loaded
    CommonEntry common;
    common.ReadMode = SelectedCode(cboMode_);
    common.ReportInterval = cwnInterval_->Value();
    common.HeightTrigger = chkTrigger_->checkState() == Qt::Checked;
    Store(*setup_, common);
    accept();
}

void RunConfigDialog::cmdCancel_Click() { reject(); }
