#include "frmStandard.h"

#include "AppError.h"
#include "ColorConverter.h"
#include "SubEditorControls.h"
#include "TwipsLayout.h"
#include "frmEditProduct.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <iterator>

using namespace SubEditorControls;

namespace {

const QString DesignedCaption = QStringLiteral("Standard - ");

// Designed positions, in twips.
constexpr int TargetLabelLeft = 1920, OffsetLabelLeft = 3120, HeadingTop = 240, HeadingWidth = 612;
constexpr int RowLabelLeft = 240, RowLabelWidth = 1452;
constexpr int TargetLeft = 1800, OffsetLeft = 3000, BoxWidth = 852;
constexpr int RowTops[3] = {600, 960, 1320};
constexpr int WarningLeft = 240, WarningTop = 2040, WarningWidth = 3612, WarningHeight = 780;

const char* const ScaleLabelNames[3] = {"lblScaleX", "lblScaleY", "lblScaleZ"};
const char* const TargetNames[3] = {"txtTargetX", "txtTargetY", "txtTargetZ"};
const char* const OffsetNames[3] = {"txtOffsetX", "txtOffsetY", "txtOffsetZ"};

}  // namespace

frmStandard::frmStandard(QWidget* parent) : QDialog(parent)
{
    PrepareDialog(this, "frmStandard");
    buildControls();
}

frmStandard::~frmStandard() = default;

void frmStandard::buildControls()
{
    lblTarget_ = MakeLabel(this, "lblTarget", QStringLiteral("Target"), TargetLabelLeft, HeadingTop, HeadingWidth);
    lblOffset_ = MakeLabel(this, "lblOffset", QStringLiteral("Offset"), OffsetLabelLeft, HeadingTop, HeadingWidth);
    for (int row = 0; row < 3; ++row) {
        lblScale_[row] = MakeLabel(this, ScaleLabelNames[row], QStringLiteral(":"), RowLabelLeft, RowTops[row],
                                   RowLabelWidth);
        txtTarget_[row] = MakeValueBox(this, TargetNames[row], TargetLeft, RowTops[row], BoxWidth);
        txtOffset_[row] = MakeValueBox(this, OffsetNames[row], OffsetLeft, RowTops[row], BoxWidth);
    }
    lblWarning_ = MakeLabel(this, "lblWarning", QString(), WarningLeft, WarningTop, WarningWidth);
    // A converter's description may take more than one line: the label
    // reaches down to the buttons and wraps.
    lblWarning_->setWordWrap(true);
    lblWarning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning_->resize(lblWarning_->width(), TwipsLayout::ToPixels(WarningHeight));
    cmdSave_ = MakeButton(this, "cmdSave", QStringLiteral("Save"), SaveLeft, ButtonsTop);
    cmdCancel_ = MakeButton(this, "cmdCancel", QStringLiteral("Cancel"), CancelLeft, ButtonsTop);

    // Rows across: target, then offset.
    QWidget* order[] = {txtTarget_[0], txtOffset_[0], txtTarget_[1], txtOffset_[1], txtTarget_[2],
                        txtOffset_[2], cmdSave_,      cmdCancel_};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

void frmStandard::ShowModal()
{
    Form_Load();
    exec();
}

const ColorConverter& frmStandard::converter()
{
    if (!converter_) converter_ = std::make_unique<ColorConverter>();
    return *converter_;
}

void frmStandard::placeColumns(bool hitch)
{
    lblOffset_->setVisible(hitch);
    for (QLineEdit* box : txtOffset_) box->setVisible(hitch);
    MoveLeft(lblTarget_, hitch ? TargetLabelLeft : OffsetLabelLeft);
    for (QLineEdit* box : txtTarget_) MoveLeft(box, hitch ? TargetLeft : OffsetLeft);
}

void frmStandard::warn(const QString& text) { lblWarning_->setText(text); }

void frmStandard::Form_Load()
{
    LoadCaption(this, DesignedCaption);
    setup_ = &frmEditProduct::instance().EditedProductSetup();
    scale_ = StandardScaleOf(*setup_);

    if (scale_.State != StandardScaleState::Ready) {
        warn(scale_.Warning());
        cmdSave_->setEnabled(false);
        return;
    }
    placeColumns(scale_.Hitch);
    for (int row = 0; row < 3; ++row) lblScale_[row]->setText(scale_.RowLabels[row]);

    StandardDisplay shown;
    try {
        shown = ShowStandard(*setup_, scale_, converter());
    } catch (const AppError& error) {
        // The stored standard has no value in this scale: nothing to edit
        // here, but the operator may still close the dialog.
        warn(error.description());
        cmdSave_->setEnabled(false);
        return;
    }
    for (int row = 0; row < 3; ++row) {
        ShowValue(txtTarget_[row], shown.Target[row]);
        if (scale_.Hitch) ShowValue(txtOffset_[row], shown.Offset[row]);
    }
}

void frmStandard::cmdSave_Click()
{
    if (!setup_ || !cmdSave_->isEnabled()) return;  // nothing loaded that could be saved
    StandardTexts texts;
    for (int row = 0; row < 3; ++row) {
        texts.Target[row] = txtTarget_[row]->text();
        texts.Offset[row] = txtOffset_[row]->text();
    }
    try {
        if (StoreStandard(*setup_, scale_, texts, converter()) == StandardSaveResult::NotNumeric) {
            warn(QStringLiteral("All values must be numeric"));
            return;
        }
    } catch (const AppError& error) {
        warn(error.description());
        return;
    }
    accept();
}

void frmStandard::cmdCancel_Click() { reject(); }
