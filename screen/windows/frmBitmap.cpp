#include "frmBitmap.h"

#include "AppError.h"
#include "BitmapFiles.h"
#include "DisplayRead.h"
#include "Environment.h"
#include "MainWindowServices.h"
#include "ReportError.h"
#include "SafeFileWriter.h"
#include "ScreenBitmap.h"
#include "modGlobals.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString temporaryFolder;  // empty: the system's

const QString DesignedCaption = QStringLiteral("Screen Capture - ");

}  // namespace

void frmBitmap::SetTemporaryFolder(const QString& folder) { temporaryFolder = folder; }

QString frmBitmap::TemporaryFolder() { return temporaryFolder.isEmpty() ? QDir::tempPath() : temporaryFolder; }

frmBitmap::frmBitmap(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBitmap"));
    setWindowTitle(DesignedCaption);

    const int side = ScreenBitmap::Width * Zoom;
    imgScreen_ = new QLabel(this);
    imgScreen_->setObjectName(QStringLiteral("imgScreen"));
    // A thin dark edge, as the instrument's bezel frames its display: the
    // display's white ground would otherwise run into the window's.
    imgScreen_->setStyleSheet(QStringLiteral("QLabel#imgScreen { border: 1px solid #404040; }"));
    imgScreen_->setFixedSize(side + 2, side + 2);
    imgScreen_->setAlignment(Qt::AlignCenter);

    cmdSave_ = new QPushButton(QStringLiteral("Save"), this);
    cmdSave_->setObjectName(QStringLiteral("cmdSave"));
    cmdSave_->setDefault(true);
    cmdSave_->setEnabled(false);  // until a picture is shown
    connect(cmdSave_, &QPushButton::clicked, this, &frmBitmap::cmdSave_Click);

    // Escape closes the dialog as Cancel does (QDialog's reject).
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel_->setAutoDefault(false);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmBitmap::cmdCancel_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgScreen_, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

frmBitmap::~frmBitmap() { Form_Unload(); }

void frmBitmap::Form_Load()
{
    modGlobals::ApplyFormIcon(this);
    modGlobals::AppendInstrumentName(this);
    CaptureScreen();
}

void frmBitmap::CaptureScreen()
{
    // A timeout is offered for Retry by the reporting exchange, which sends
    // the display read again; anything else wrong with the reply is fatal.
    BusyPointer busy;
    fileImage_ = WithErrorReport([] {
        return ScreenBitmap::FileImage(ScreenCapture::ReadDisplay(MainWindow().ReportingExchange()));
    });
}

bool frmBitmap::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(event);
}

void frmBitmap::Form_Activate()
{
    // The failure message takes the activation away and gives it back, and a
    // closed window may still see a late activation: neither writes a file.
    if (displaying_ || unloaded_) return;
    // Before Form_Load there is no picture to show.
    if (fileImage_.isEmpty()) return;
    displaying_ = true;
    DisplayScreen();
    displaying_ = false;
}

void frmBitmap::DisplayScreen()
{
    QString name;
    try {
        name = ScreenCapture::WriteTemporaryBitmap(TemporaryFolder(), fileImage_);
    } catch (const AppError&) {
        // The operator is told in the fixed words of this window.
        failTemporaryFile();
        return;
    }
    temporaryFiles_ << name;

    // The picture is shown from the file, as the operator will save it.
    QImage picture;
    if (!picture.load(name, "BMP")) {
        failTemporaryFile();
        return;
    }
    // Without smoothing: each instrument pixel stays a sharp square.
    imgScreen_->setPixmap(QPixmap::fromImage(picture.scaled(picture.size() * Zoom, Qt::IgnoreAspectRatio,
                                                            Qt::FastTransformation)));
    cmdSave_->setEnabled(true);
}

void frmBitmap::failTemporaryFile()
{
    Env().ShowMessage(QStringLiteral("Error Creating Temporary File"), MessageButtons::Ok, MessageIcon::Critical,
                      modGlobals::MainCaption);
    reject();
}

void frmBitmap::cmdSave_Click()
{
    if (temporaryFiles_.isEmpty()) return;  // Save is enabled only once a picture is shown
    FileChoice choice;
    choice.title = QStringLiteral("Save As");
    choice.kind = FileDialogKind::Save;
    choice.filter = QStringLiteral("Bitmap Files (*.bmp)|*.bmp");
    const QString fileName = Env().ChooseFile(choice);
    if (!fileName.isEmpty()) {
        try {
            CopyFileReplacing(temporaryFiles_.last(), fileName);
        } catch (const AppError& error) {
            // The window stays open so that the picture can go to another file.
            Env().ShowMessage(QStringLiteral("The picture could not be saved.\r\n\r\n%1").arg(error.description()),
                              MessageButtons::Ok, MessageIcon::Critical, modGlobals::MainCaption);
            return;
        }
    }
    reject();
}

void frmBitmap::cmdCancel_Click() { reject(); }

void frmBitmap::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void frmBitmap::Form_Unload()
{
    unloaded_ = true;
    for (const QString& name : std::as_const(temporaryFiles_)) {
        // Nothing the operator could do about a leftover temporary file: it is
        // only logged.
        if (QFile::exists(name) && !QFile::remove(name))
            qWarning("Cannot remove the temporary file %s", qPrintable(QDir::toNativeSeparators(name)));
    }
    temporaryFiles_.clear();
}

void ShowScreenCapture(QWidget* parent)
{
    frmBitmap window(parent);
    window.Form_Load();
    window.exec();
}
