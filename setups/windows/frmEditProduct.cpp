#include "frmEditProduct.h"

#include "AppError.h"
#include "CWNumEdit.h"
#include "DateConversion.h"
#include "Environment.h"
#include "RunConfigQuery.h"
#include "SetupNameValidator.h"
#include "SetupRecord.h"
#include "SetupVocabulary.h"
#include "SubEditors.h"
#include "TextFiles.h"
#include "TwipsLayout.h"
#include "MainWindowServices.h"
#include "modGlobals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <cmath>

namespace {

const QString DesignedCaption = QStringLiteral("Edit Product - ");
// The standard type codes 0..3 are the list indexes.
const QStringList& StandardTypes = SetupVocabulary::StandardTypes();

// Designed sizes, in twips.
constexpr int ButtonWidth = 732, ButtonHeight = 372;
constexpr int EditButtonWidth = 1332, EditButtonHeight = 252;
constexpr int LabelWidth = 1572, LabelHeight = 252;
constexpr int BoxHeight = 312;  // text box, list and numeric edits
constexpr int ClientWidth = 4092, ClientHeight = 3372;

QPointer<frmEditProduct> theWindow;

// Widgets must go before the application does: Qt runs its post routines at
// the start of the application's destruction, while widgets still work.
void destroyTheWindow() { frmEditProduct::DestroyInstance(); }

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, int left, int top)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    TwipsLayout::Place(label, left, top, LabelWidth, LabelHeight);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                        int height)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);  // Enter in the name opens nothing
    TwipsLayout::Place(button, left, top, width, height);
    return button;
}

CWNumEdit* makeNumEdit(QWidget* parent, const char* name, int left, int top, int width, double upper)
{
    auto* edit = new CWNumEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->SetLimits(1, upper);
    edit->SetStep(1);
    edit->SetValue(1);
    TwipsLayout::Place(edit, left, top, width, BoxHeight);
    return edit;
}

}  // namespace

frmEditProduct& frmEditProduct::instance()
{
    if (!theWindow) {
        static bool cleanupRegistered = false;
        if (!cleanupRegistered) {
            qAddPostRoutine(destroyTheWindow);
            cleanupRegistered = true;
        }
        theWindow = new frmEditProduct;
    }
    return *theWindow;
}

void frmEditProduct::DestroyInstance() { delete theWindow.data(); }

frmEditProduct::frmEditProduct(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditProduct"));
    setModal(true);
    buildControls();
    TwipsLayout::SetClientSize(this, ClientWidth, ClientHeight);
    Form_Load();
}

void frmEditProduct::buildControls()
{
    lblName_ = makeLabel(this, "lblName", QStringLiteral("Name:"), 240, 240);
    txtName_ = new QLineEdit(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    nameFilter_ = new SetupNameValidator(txtName_);
    TwipsLayout::Place(txtName_, 1800, 240, 2052, BoxHeight);

    lblStandard_ = makeLabel(this, "lblStandard", QStringLiteral("Standard:"), 240, 600);
    cboStandard_ = new QComboBox(this);
    cboStandard_->setObjectName(QStringLiteral("cboStandard"));
    cboStandard_->addItems(StandardTypes);
    TwipsLayout::Place(cboStandard_, 2520, 600, 1332, BoxHeight);

    lblAutosearch_ = makeLabel(this, "lblAutosearch", QStringLiteral("Autosearch:"), 240, 960);
    chkAutosearch_ = new QCheckBox(this);
    chkAutosearch_->setObjectName(QStringLiteral("chkAutosearch"));
    TwipsLayout::Place(chkAutosearch_, 2520, 960, 1332, LabelHeight);

    lblViews_ = makeLabel(this, "lblViews", QStringLiteral("Views:"), 240, 1320);
    cwnView_ = makeNumEdit(this, "cwnView", 1800, 1320, 492, ProductSetup::ViewCount);
    cmdViews_ = makeButton(this, "cmdViews", QStringLiteral("Edit"), 2520, 1320, EditButtonWidth, EditButtonHeight);

    lblTargets_ = makeLabel(this, "lblTargets", QStringLiteral("Standard Values:"), 240, 1680);
    cmdTargets_ = makeButton(this, "cmdTargets", QStringLiteral("Edit"), 2520, 1680, EditButtonWidth, EditButtonHeight);

    lblTolerances_ = makeLabel(this, "lblTolerances", QStringLiteral("Tolerances:"), 240, 2040);
    cmdTolerances_ =
        makeButton(this, "cmdTolerances", QStringLiteral("Edit"), 2520, 2040, EditButtonWidth, EditButtonHeight);

    lblRunConfig_ = makeLabel(this, "lblRunConfig", QStringLiteral("Run Configuration:"), 240, 2400);
    cmdRunConfig_ =
        makeButton(this, "cmdRunConfig", QStringLiteral("Edit"), 2520, 2400, EditButtonWidth, EditButtonHeight);

    cwnSetup_ = makeNumEdit(this, "cwnSetup", 240, 2880, 732, 250);
    cmdLoad_ = makeButton(this, "cmdLoad", QStringLiteral("Load"), 1200, 2880, ButtonWidth, ButtonHeight);
    cmdSave_ = makeButton(this, "cmdSave", QStringLiteral("Save"), 2160, 2880, ButtonWidth, ButtonHeight);
    cmdCancel_ = makeButton(this, "cmdCancel", QStringLiteral("Cancel"), 3120, 2880, ButtonWidth, ButtonHeight);

    setTabOrder(txtName_, cboStandard_);
    setTabOrder(cboStandard_, chkAutosearch_);
    setTabOrder(chkAutosearch_, cwnView_);
    setTabOrder(cwnView_, cmdViews_);
    setTabOrder(cmdViews_, cmdTargets_);
    setTabOrder(cmdTargets_, cmdTolerances_);
    setTabOrder(cmdTolerances_, cmdRunConfig_);
    setTabOrder(cmdRunConfig_, cwnSetup_);
    setTabOrder(cwnSetup_, cmdLoad_);
    setTabOrder(cmdLoad_, cmdSave_);
    setTabOrder(cmdSave_, cmdCancel_);

    connect(cmdLoad_, &QPushButton::clicked, this, [this] { cmdLoad_Click(); });
    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdViews_, &QPushButton::clicked, this, [this] { cmdViews_Click(); });
    connect(cmdTargets_, &QPushButton::clicked, this, [this] { cmdTargets_Click(); });
    connect(cmdTolerances_, &QPushButton::clicked, this, [this] { cmdTolerances_Click(); });
    connect(cmdRunConfig_, &QPushButton::clicked, this, [this] { cmdRunConfig_Click(); });
}

void frmEditProduct::Form_Load()
{
    modGlobals::ApplyFormIcon(this);
    setWindowTitle(DesignedCaption);
    modGlobals::AppendInstrumentName(this);

    nameFilter_->SetTextUnfiltered(QString());
    cboStandard_->setCurrentIndex(-1);
    chkAutosearch_->setTristate(false);
    chkAutosearch_->setCheckState(Qt::Unchecked);
    cwnView_->SetValue(1);
    cwnSetup_->SetValue(1);
    txtName_->setFocus();
}

void frmEditProduct::showEvent(QShowEvent* event)
{
    // Each opening starts from the initial contents; a window coming back
    // from being minimised keeps what it shows.
    if (!event->spontaneous()) Form_Load();
    QDialog::showEvent(event);
}

void frmEditProduct::ShowModal() { exec(); }

ProductSetup& frmEditProduct::EditedProductSetup()
{
    if (!setup_) setup_ = std::make_unique<ProductSetup>();
    return *setup_;
}

int16_t frmEditProduct::ViewIndex() const { return RoundToInt16(cwnView_->Value(), "the view number"); }

int frmEditProduct::setupNumber() const { return static_cast<int>(std::nearbyint(cwnSetup_->Value())); }

void frmEditProduct::showSetup()
{
    const ProductSetup& setup = EditedProductSetup();
    nameFilter_->SetTextUnfiltered(QString::fromLatin1(setup.Name));
    const bool listed = setup.StandardType >= 0 && setup.StandardType < StandardTypes.size();
    cboStandard_->setCurrentIndex(listed ? setup.StandardType : -1);
    chkAutosearch_->setCheckState(setup.Searchable ? Qt::Checked : Qt::Unchecked);
}

void frmEditProduct::cmdLoad_Click()
{
    const Exchange exchange = MainWindow().ReportingExchange();
    {
        BusyPointer busy;
        FieldCodec& codec = TheFieldCodec();
        const QByteArray command = ReadSetupCommand(setupNumber(), codec);
        const QByteArray reply = exchange(command);
        ThrowIfRefused(reply, command);
        try {
            DecodeProductSetup(EditedProductSetup(), RecordOfReadReply(reply), codec);
        } catch (const AppError& error) {
            // A damaged reply: the report names the command it answered.
            throw AppError(error.number(), QStringLiteral("The reply to the command %1: %2")
                                               .arg(QString::fromLatin1(command), error.description()));
        }
    }
    showSetup();
}

void frmEditProduct::cmdSave_Click()
{
    ProductSetup& setup = EditedProductSetup();
    setup.Name = ToEightBit(txtName_->text());
    if (cboStandard_->currentIndex() >= 0) setup.StandardType = static_cast<int16_t>(cboStandard_->currentIndex());
    setup.Searchable = chkAutosearch_->checkState() == Qt::Checked;

    const Exchange exchange = MainWindow().ReportingExchange();
    {
        BusyPointer busy;
        exchange(WriteSetupCommand(setup, setupNumber(), TheFieldCodec()));
    }
    accept();
}

void frmEditProduct::cmdCancel_Click() { reject(); }

void frmEditProduct::cmdViews_Click()
{
    if (const auto& show = TheSubEditors().ShowEditView) show(this);
}

void frmEditProduct::cmdTargets_Click()
{
    if (const auto& show = TheSubEditors().ShowStandard) show(this);
}

void frmEditProduct::cmdTolerances_Click()
{
    if (const auto& show = TheSubEditors().ShowTolerances) show(this);
}

void frmEditProduct::cmdRunConfig_Click()
{
    RunConfigChoice choice;
    {
        BusyPointer busy;
        choice = QueryRunConfiguration(MainWindow().ReportingExchange());
    }
    const SubEditors& editors = TheSubEditors();
    switch (choice.Editor()) {
    case RunConfigEditor::Distance:
        if (editors.ShowRunConfig) editors.ShowRunConfig(this, choice.CustomaryUnits);
        break;
    case RunConfigEditor::Height:
        if (editors.ShowRunConfig2) editors.ShowRunConfig2(this, choice.CustomaryUnits);
        break;
    case RunConfigEditor::None: break;
    }
}
