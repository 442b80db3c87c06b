#include "frmDateTime.h"

#include "Environment.h"
#include "MainWindowServices.h"
#include "RegionalFormat.h"
#include "ReportError.h"
#include "modGlobals.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString DesignedCaption = QStringLiteral("Set Clock - ");
}

frmDateTime::frmDateTime(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDateTime"));

    lblPrompt_ = new QLabel(QStringLiteral("Press Set to update the instrument's clock to the date and time shown"), this);
    lblPrompt_->setObjectName(QStringLiteral("lblPrompt"));
    lblPrompt_->setWordWrap(true);

    lblDateTime_ = new QLabel(this);
    lblDateTime_->setObjectName(QStringLiteral("lblDateTime"));
    lblDateTime_->setAlignment(Qt::AlignCenter);
    lblDateTime_->setFrameShape(QFrame::StyledPanel);
    lblDateTime_->setFrameShadow(QFrame::Sunken);
    lblDateTime_->setMargin(6);
    QFont clockFont = lblDateTime_->font();
    clockFont.setPointSizeF(clockFont.pointSizeF() * 1.3);
    clockFont.setBold(true);
    lblDateTime_->setFont(clockFont);

    cmdSet_ = new QPushButton(QStringLiteral("Set"), this);
    cmdSet_->setObjectName(QStringLiteral("cmdSet"));
    cmdSet_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    setTabOrder(cmdSet_, cmdCancel_);
    connect(cmdSet_, &QPushButton::clicked, this, [this] { cmdSet_Click(); });
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    // A precise timer: a coarse one may fire up to 5 % late, and the label
    // must follow each change of the seconds within the interval.
    tmrTimer_ = new QTimer(this);
    tmrTimer_->setObjectName(QStringLiteral("tmrTimer"));
    tmrTimer_->setTimerType(Qt::PreciseTimer);
    tmrTimer_->setInterval(RefreshMilliseconds);
    connect(tmrTimer_, &QTimer::timeout, this, [this] { tmrTimer_Timer(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSet_);
    buttons->addWidget(cmdCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt_);
    layout->addSpacing(4);
    layout->addWidget(lblDateTime_);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    Form_Load();
    tmrTimer_->start();
}

void frmDateTime::Form_Load()
{
    setWindowTitle(DesignedCaption);
    modGlobals::ApplyFormIcon(this);
    modGlobals::AppendInstrumentName(this);
    ShowDateAndTime();
}

void frmDateTime::ShowDateAndTime()
{
    // The clock is shown to the whole second: a time within the first second
    // after midnight is midnight, shown as the date alone.
    const QDateTime now = Env().Now();
    const QDateTime shown = now.addMSecs(-now.time().msec());
    lblDateTime_->setText(RegionalFormat::GeneralDateTime(shown, QLocale()));
}

void frmDateTime::tmrTimer_Timer() { ShowDateAndTime(); }

void frmDateTime::cmdSet_Click()
{
    {
        // The hourglass stays up while an error is reported: the operator
        // is still waiting for the instrument.
        BusyPointer busy;
        // The main window reads the clock as it sends, so the instrument gets
        // the time of the click (or of the retry), not the text last shown.
        WithErrorReport([] { MainWindow().SetDateAndTime(); });
    }
    tmrTimer_->stop();
    accept();
}

void frmDateTime::cmdCancel_Click()
{
    tmrTimer_->stop();
    QDialog::reject();
}

void frmDateTime::reject() { cmdCancel_Click(); }

void ShowSetClock(QWidget* parent)
{
    frmDateTime window(parent);
    window.exec();
}
