#include "frmPreferences.h"

#include "modGlobals.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
const QString DesignedCaption = QStringLiteral("Preferences - ");
}

frmPreferences::frmPreferences(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPreferences"));

    fraDelimiter_ = new QGroupBox(QStringLiteral("Data Delimiter"), this);
    fraDelimiter_->setObjectName(QStringLiteral("fraDelimiter"));
    optTab_ = new QRadioButton(QStringLiteral("&Tab"), fraDelimiter_);
    optTab_->setObjectName(QStringLiteral("optTab"));
    optComma_ = new QRadioButton(QStringLiteral("&Comma"), fraDelimiter_);
    optComma_->setObjectName(QStringLiteral("optComma"));
    optOther_ = new QRadioButton(QStringLiteral("&Other"), fraDelimiter_);
    optOther_->setObjectName(QStringLiteral("optOther"));
    txtOther_ = new QLineEdit(fraDelimiter_);
    txtOther_->setObjectName(QStringLiteral("txtOther"));
    txtOther_->setMaxLength(1);
    // Room for one wide character and the frame, no more.
    txtOther_->setFixedWidth(QFontMetrics(txtOther_->font()).horizontalAdvance(QLatin1Char('W')) * 3 + 8);
    txtOther_->setAlignment(Qt::AlignCenter);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));

    auto* choices = new QGridLayout(fraDelimiter_);
    choices->addWidget(optTab_, 0, 0);
    choices->addWidget(optComma_, 1, 0);
    choices->addWidget(optOther_, 2, 0);
    choices->addWidget(txtOther_, 2, 1, Qt::AlignLeft);
    choices->setColumnStretch(2, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fraDelimiter_, 1);
    layout->addLayout(buttons);
    setMinimumWidth(300);

    // The buttons come first, so that Tab from OK reaches Cancel, then the
    // choices in the order they are shown.
    setTabOrder(cmdOK_, cmdCancel_);
    setTabOrder(cmdCancel_, fraDelimiter_);
    setTabOrder(fraDelimiter_, optTab_);
    setTabOrder(optTab_, optComma_);
    setTabOrder(optComma_, optOther_);
    setTabOrder(optOther_, txtOther_);

    // Any change of the text, typed or set, picks the custom choice.
    connect(txtOther_, &QLineEdit::textChanged, this, [this] { txtOther_Change(); });
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    Form_Load();
}

void frmPreferences::Form_Load()
{
    setWindowTitle(DesignedCaption);
    modGlobals::ApplyFormIcon(this);
    modGlobals::AppendInstrumentName(this);
}

void frmPreferences::showEvent(QShowEvent* event)
{
    // The dialog is modal, so it becomes the active window of the program
    // exactly when it is shown; switching to another program and back must
    // not undo the operator's choice, so window activation is not used.
    QDialog::showEvent(event);
    if (!event->spontaneous()) Form_Activate();
}

void frmPreferences::Form_Activate()
{
    if (CustomDelimiter)
        optOther_->setChecked(true);
    else if (TabDelimiter)
        optTab_->setChecked(true);
    else
        optComma_->setChecked(true);
    if (!Delimiter.isEmpty()) txtOther_->setText(Delimiter.left(1));
}

void frmPreferences::txtOther_Change()
{
    if (!txtOther_->text().isEmpty()) optOther_->setChecked(true);
}

void frmPreferences::cmdOK_Click()
{
    TabDelimiter = optTab_->isChecked();
    CustomDelimiter = optOther_->isChecked();
    if (CustomDelimiter) {
        if (txtOther_->text().isEmpty()) {
            // No character given: the safe choice is a tab.
            CustomDelimiter = false;
            TabDelimiter = true;
        } else {
            Delimiter = txtOther_->text();
        }
    }
    accept();
}

void frmPreferences::cmdCancel_Click() { reject(); }

void RunPreferencesCommand(DelimiterChoice& mainWindowCopies, QWidget* parent)
{
    mainWindowCopies = Preferences::LoadPreferences();
    {
        frmPreferences dialog(parent);
        dialog.TabDelimiter = mainWindowCopies.TabDelimiter;
        dialog.CustomDelimiter = mainWindowCopies.CustomDelimiter;
        dialog.Delimiter = mainWindowCopies.Delimiter;
        dialog.exec();
        // OK and Cancel alike: after Cancel the values are those passed in.
        mainWindowCopies.TabDelimiter = dialog.TabDelimiter;
        mainWindowCopies.CustomDelimiter = dialog.CustomDelimiter;
        mainWindowCopies.Delimiter = dialog.Delimiter;
        Preferences::SavePreferences(mainWindowCopies);
    }
    SetDelimiter(mainWindowCopies);
}

void RunPreferencesCommand(QWidget* parent)
{
    DelimiterChoice copies;
    RunPreferencesCommand(copies, parent);
}
