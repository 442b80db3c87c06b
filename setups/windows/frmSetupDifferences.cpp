#include "frmSetupDifferences.h"

#include "AppError.h"
#include "Environment.h"
#include "TextFiles.h"
#include "modGlobals.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

frmSetupDifferences::frmSetupDifferences(SetupComparison::Comparison comparison, const QString& caption,
                                         QWidget* parent)
    : QDialog(parent), comparison_(std::move(comparison))
{
    setObjectName(QStringLiteral("frmSetupDifferences"));
    setWindowTitle(caption);
    modGlobals::ApplyFormIcon(this);
    modGlobals::AppendInstrumentName(this);

    lblSummary_ = new QLabel(QStringLiteral("%1\nFile: %2")
                                 .arg(SetupComparison::SummaryText(comparison_), comparison_.SecondName),
                             this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    grdDifferences_ = new QTableWidget(int(comparison_.Differences.size()), 4, this);
    grdDifferences_->setObjectName(QStringLiteral("grdDifferences"));
    grdDifferences_->setHorizontalHeaderLabels(
        {QStringLiteral("Setup"), QStringLiteral("Field"), QStringLiteral("Instrument"), QStringLiteral("File")});
    grdDifferences_->verticalHeader()->setVisible(false);
    grdDifferences_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdDifferences_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < grdDifferences_->rowCount(); ++row) {
        const SetupComparison::Difference& d = comparison_.Differences[size_t(row)];
        const QString texts[] = {QString::number(d.SetupNumber), d.Field, d.FirstValue, d.SecondValue};
        for (int column = 0; column < 4; ++column)
            grdDifferences_->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    grdDifferences_->resizeColumnsToContents();
    grdDifferences_->horizontalHeader()->setStretchLastSection(true);

    cmdSave_ = new QPushButton(QStringLiteral("&Save as Text..."), this);
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setEnabled(!comparison_.Identical());
    connect(cmdSave_, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    cmdClose_ = new QPushButton(QStringLiteral("Close"), this);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setDefault(true);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(grdDifferences_);
    layout->addLayout(buttons);
    resize(640, 420);
}

void frmSetupDifferences::cmdSave_Click()
{
    FileChoice choice;
    choice.title = QStringLiteral("Save Differences");
    choice.kind = FileDialogKind::Save;
    choice.filter = QStringLiteral("Text Files (*.txt)|*.txt|All Files|*.*");
    const QString fileName = Env().ChooseFile(choice);
    if (fileName.isEmpty()) return;
    try {
        TextFileWriter file(fileName);
        const QStringList lines = SetupComparison::ComparisonText(comparison_).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString& line : lines) file.writeLine(ToEightBit(line));
        file.commit();
    } catch (const AppError& error) {
        Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical);
    }
}

void ShowSetupDifferences(const SetupComparison::Comparison& comparison, const QString& caption, QWidget* parent)
{
    frmSetupDifferences window(comparison, caption, parent);
    window.exec();
}
