#include "frmConfig.h"

#include "DateConversion.h"
#include "Environment.h"
#include "InstrumentOperations.h"
#include "MainWindowServices.h"
#include "RegionalFormat.h"
#include "ReportError.h"
#include "Sensor.h"
#include "modGlobals.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace {
const QString DesignedCaption = QStringLiteral("Configuration - ");

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

// Values the operator may want to copy into a support request.
void makeSelectable(QLabel* label) { label->setTextInteractionFlags(Qt::TextSelectableByMouse); }
}  // namespace

frmConfig::frmConfig(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmConfig"));
    setWindowTitle(DesignedCaption);

    lblFirmware_ = makeLabel(this, QStringLiteral("lblFirmware"));
    lblSerialNumber_ = makeLabel(this, QStringLiteral("lblSerialNumber"));
    lblLastStdz_ = makeLabel(this, QStringLiteral("lblLastStdz"), QStringLiteral("Last Standardization:"));
    lblDateTime_ = makeLabel(this, QStringLiteral("lblDateTime"));
    lblDatalog_ = makeLabel(this, QStringLiteral("lblDatalog"), QStringLiteral("Datalog:"));
    lblLogCount_ = makeLabel(this, QStringLiteral("lblLogCount"));
    for (QLabel* value : {lblFirmware_, lblSerialNumber_, lblDateTime_, lblLogCount_}) makeSelectable(value);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    // The instrument's identity on top, its state below in label/value rows.
    auto* identity = new QVBoxLayout;
    identity->addWidget(lblFirmware_);
    identity->addWidget(lblSerialNumber_);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* state = new QGridLayout;
    state->addWidget(lblLastStdz_, 0, 0);
    state->addWidget(lblDateTime_, 0, 1);
    state->addWidget(lblDatalog_, 1, 0);
    state->addWidget(lblLogCount_, 1, 1);
    state->setColumnStretch(1, 1);
    state->setHorizontalSpacing(12);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(identity);
    layout->addWidget(line);
    layout->addLayout(state);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    setMinimumWidth(340);
}

void frmConfig::Form_Load()
{
    setWindowTitle(DesignedCaption);
    modGlobals::ApplyFormIcon(this);
    modGlobals::AppendInstrumentName(this);

    // The hourglass stays up while an error is reported, as the operator is
    // still waiting for the instrument.
    BusyPointer busy;
    WithErrorReport([&] {
        const Sensor& sensor = MainWindow().SensorDriver();
        lblFirmware_->setText(QStringLiteral("Firmware: ") + sensor.Version());
        lblSerialNumber_->setText(sensor.SerialNumber());
    });
    WithErrorReport([&] {
        const QDateTime stdz = DateTimeFromDateValue(MainWindow().StdzTimestamp());
        lblDateTime_->setText(RegionalFormat::GeneralDateTime(stdz, QLocale()));
    });
    WithErrorReport([&] { lblLogCount_->setText(InstrumentOperations::DatalogFillText(MainWindow().DatalogCount())); });
}

void frmConfig::cmdOK_Click() { accept(); }

void ShowIdentification(QWidget* parent)
{
    frmConfig window(parent);
    window.Form_Load();
    window.exec();
}
