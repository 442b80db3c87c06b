#include "frmTolerances.h"

#include "AppError.h"
#include "SubEditorControls.h"
#include "TwipsLayout.h"
#include "frmEditProduct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <iterator>

using namespace SubEditorControls;

namespace {

const QString DesignedCaption = QStringLiteral("Tolerances - ");

// Designed positions, in twips.
constexpr int UpperLabelLeft = 1920, LowerLabelLeft = 3120, HeadingTop = 240, HeadingWidth = 612;
constexpr int RowLabelLeft = 240, RowLabelWidth = 1452;
constexpr int UpperLeft = 1800, LowerLeft = 3000, BoxWidth = 852;
constexpr int RowTops[3] = {600, 960, 1320};
constexpr int IndexTop = 1800;
constexpr int WarningLeft = 360, WarningTop = 2400, WarningWidth = 3372, WarningHeight = 450;

const char* const ScaleLabelNames[3] = {"lblScaleX", "lblScaleY", "lblScaleZ"};
const char* const UpperNames[3] = {"txtUpperX", "txtUpperY", "txtUpperZ"};
const char* const LowerNames[3] = {"txtLowerX", "txtLowerY", "txtLowerZ"};

}  // namespace

frmTolerances::frmTolerances(QWidget* parent) : QDialog(parent)
{
    PrepareDialog(this, "frmTolerances");
    buildControls();
}

void frmTolerances::buildControls()
{
    lblUpper_ = MakeLabel(this, "lblUpper", QStringLiteral("+"), UpperLabelLeft, HeadingTop, HeadingWidth);
    lblLower_ = MakeLabel(this, "lblLower", QStringLiteral("-"), LowerLabelLeft, HeadingTop, HeadingWidth);
    for (int row = 0; row < 3; ++row) {
        lblScale_[row] = MakeLabel(this, ScaleLabelNames[row], QStringLiteral(":"), RowLabelLeft, RowTops[row],
                                   RowLabelWidth);
        txtUpperScale_[row] = MakeValueBox(this, UpperNames[row], UpperLeft, RowTops[row], BoxWidth);
        txtLowerScale_[row] = MakeValueBox(this, LowerNames[row], LowerLeft, RowTops[row], BoxWidth);
    }
    lblIndex_ = MakeLabel(this, "lblIndex", QStringLiteral(":"), RowLabelLeft, IndexTop, RowLabelWidth);
    txtUpper_ = MakeValueBox(this, "txtUpper", UpperLeft, IndexTop, BoxWidth);
    txtLower_ = MakeValueBox(this, "txtLower", LowerLeft, IndexTop, BoxWidth);
    lblWarning_ = MakeLabel(this, "lblWarning", QString(), WarningLeft, WarningTop, WarningWidth);
    // An overflow's description may take two lines: the label reaches down
    // to the buttons and wraps.
    lblWarning_->setWordWrap(true);
    lblWarning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning_->resize(lblWarning_->width(), TwipsLayout::ToPixels(WarningHeight));
    cmdSave_ = MakeButton(this, "cmdSave", QStringLiteral("Save"), SaveLeft, ButtonsTop);
    cmdCancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), CancelLeft, ButtonsTop);

    // Rows across: upper, then lower.
    QWidget* order[] = {txtUpperScale_[0], txtLowerScale_[0], txtUpperScale_[1], txtLowerScale_[1],
                        txtUpperScale_[2], txtLowerScale_[2], txtUpper_,         txtLower_,
                        cmdSave_,          cmdCancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmTolerances::ShowModal()
{
    Form_Load();
    exec();
}

void frmTolerances::Form_Load()
{
    LoadCaption(this, DesignedCaption);
    setup_ = &frmEditProduct::instance().EditedProductSetup();
    layout_ = ToleranceLayoutOf(*setup_);

    for (int row = 0; row < 3; ++row) {
        txtUpperScale_[row]->setVisible(layout_.ScaleInUse);
        txtLowerScale_[row]->setVisible(layout_.ScaleInUse);
    }
    if (layout_.ScaleInUse) {
        for (int row = 0; row < 3; ++row) {
            lblScale_[row]->setText(layout_.ScaleRowLabels[row]);
            ShowValue(txtUpperScale_[row], setup_->ScalePlus(row + 1));
            ShowValue(txtLowerScale_[row], setup_->ScaleMinus(row + 1));
        }
    }

    txtUpper_->setVisible(layout_.IndexInUse);
    txtLower_->setVisible(layout_.IndexInUse);
    if (layout_.IndexInUse) {
        lblIndex_->setText(layout_.IndexLabel);
        ShowValue(txtUpper_, setup_->IndexPlus);
        ShowValue(txtLower_, setup_->IndexMinus);
    }

    lblWarning_->setText(layout_.Notice());
    cmdSave_->setEnabled(layout_.CanSave());
}

void frmTolerances::cmdSave_Click()
{
    if (!setup_ || !cmdSave_->isEnabled()) return;  // nothing loaded that could be saved
    ToleranceTexts texts;
    for (int row = 0; row < 3; ++row) {
        texts.ScaleUpper[row] = txtUpperScale_[row]->text();
        texts.ScaleLower[row] = txtLowerScale_[row]->text();
    }
    texts.IndexUpper = txtUpper_->text();
    texts.IndexLower = txtLower_->text();
    try {
        if (!StoreTolerances(*setup_, layout_, texts)) {
            lblWarning_->setText(ToleranceWarning());
            return;
        }
    } catch (const AppError& error) {
        lblWarning_->setText(error.description());
        return;
    }
    accept();
}

void frmTolerances::cmdCancel_Click() { reject(); }
