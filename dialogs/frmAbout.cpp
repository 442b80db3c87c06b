#include "frmAbout.h"

#include "Version.h"
#include "modGlobals.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString frmAbout::VersionText(int major, int minor, int revision)
{
    return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    picIcon_ = new QLabel(this);
    picIcon_->setObjectName(QStringLiteral("picIcon"));
    lblTitle_ = new QLabel(this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));

    // The two-tone separator: a grey line over a white one.
    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);  // Enter; Escape closes the dialog as well
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(picIcon_, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblTitle_, 0, 1);
    grid->addWidget(lblVersion_, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(16);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(line);
    layout->addLayout(buttons);
    setMinimumWidth(340);
    Form_Load();
}

void frmAbout::Form_Load()
{
    modGlobals::ApplyAboutPicture(picIcon_);
    setWindowTitle(QStringLiteral("About ") + modGlobals::MainCaption);
    lblVersion_->setText(VersionText(TR8KZ_VERSION_MAJOR, TR8KZ_VERSION_MINOR, TR8KZ_VERSION_PATCH));
    lblTitle_->setText(modGlobals::MainCaption);
}
