#include "frmCapture.h"

#include "AppError.h"
#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "Environment.h"
#include "MainWindowServices.h"
#include "Preferences.h"
#include "ReportError.h"
#include "SafeFileWriter.h"
#include "SetupArchive.h"
#include "modGlobals.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
frmCapture* theWindow = nullptr;

// The file is written; the operator learns once that its columns shift.
void showDelimiterWarning(const QString& warning)
{
    if (!warning.isEmpty())
        Env().ShowMessage(warning, MessageButtons::Ok, MessageIcon::Exclamation, modGlobals::MainCaption);
}
}

frmCapture& frmCapture::instance()
{
    if (!theWindow) theWindow = new frmCapture();
    return *theWindow;
}

bool frmCapture::exists() { return theWindow != nullptr; }

frmCapture::frmCapture()
    : QWidget(MainWindowExists() ? MainWindow().Window() : nullptr,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmCapture"));

    barCompleted_ = new QProgressBar(this);
    barCompleted_->setObjectName(QStringLiteral("barCompleted"));
    barCompleted_->setTextVisible(false);
    barCompleted_->setRange(0, 100);
    barCompleted_->setValue(0);

    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    sbMessage_ = new QStatusBar(this);
    sbMessage_->setObjectName(QStringLiteral("sbMessage"));
    sbMessage_->setSizeGripEnabled(false);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(cmdCancel_);
    buttonRow->addStretch();

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 12, 12, 6);
    body->addWidget(barCompleted_);
    body->addSpacing(8);
    body->addLayout(buttonRow);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body);
    layout->addWidget(sbMessage_);

    setFixedSize(380, sizeHint().height());
    Form_Load();
}

frmCapture::~frmCapture()
{
    if (theWindow == this) theWindow = nullptr;
}

void frmCapture::Form_Load() { modGlobals::ApplyFormIcon(this); }

void frmCapture::UploadDatalog(const QString& sFileName)
{
    // A target that cannot be written is refused before the instrument is
    // asked anything.
    try {
        CheckTargetFile(sFileName);
    } catch (const AppError& error) {
        Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical, modGlobals::MainCaption);
        Unload();
        return;
    }
    MainWindowServices& main = MainWindow();
    const int16_t count = main.DatalogCount();  // once, before anything is shown
    CaptureDatalog(main.ReportingExchange(), count, sFileName);
}

void frmCapture::CaptureDatalog(const Exchange& exchange, int32_t recordCount, const QString& sFileName)
{
    RunOperation(DatalogCapture::Caption, [&] {
        const auto result = DatalogCapture::Run(exchange, recordCount, sFileName, GetDelimiter(), *this, QLocale());
        showDelimiterWarning(result.delimiterWarning);
    });
}

void frmCapture::ConvertDatalog(const QString& sSource, const QString& sFileName)
{
    RunOperation(DatalogConversion::Caption, [&] {
        const auto result = DatalogConversion::Run(sSource, sFileName, GetDelimiter(), *this, QLocale());
        // A cancelled conversion wrote nothing; the operator knows why.
        if (!result.cancelled) SetStatus(DatalogConversion::ConvertedRecords(result.recordsWritten));
        if (!result.cancelled)
            Env().ShowMessage(DatalogConversion::CompletedMessage, MessageButtons::Ok, MessageIcon::Information,
                              modGlobals::MainCaption);
        showDelimiterWarning(result.delimiterWarning);
    });
}

void frmCapture::UploadSetups(const QString& sFileName)
{
    RunOperation(QString::fromLatin1(SetupArchive::ArchiveCaption), [&] {
        const auto result = SetupArchive::Archive(MainWindow().ReportingExchange(), sFileName, *this);
        const QString warning = SetupArchive::UnrestorableWarning(result, sFileName);
        if (!warning.isEmpty())
            Env().ShowMessage(warning, MessageButtons::Ok, MessageIcon::Exclamation, modGlobals::MainCaption);
    }, OnError::ReportAsFatal);
}

SetupArchive::RestoreResult frmCapture::DownloadSetups(const QString& sFileName)
{
    SetupArchive::RestoreResult result;
    RunOperation(QString::fromLatin1(SetupArchive::RestoreCaption), [&] {
        // A file that cannot be restored whole is refused before anything is
        // sent: that is shown here, and the program goes on.
        const std::optional<SetupArchive::RestoreFile> file = SetupArchive::ReadRestoreFile(sFileName);
        if (!file) return;  // no archive: the window closes without a word
        // Once setups are being sent, a failure goes to the common error
        // report, as every other instrument command's does.
        try {
            result = SetupArchive::Restore(MainWindow().ReportingExchange(), *file, *this);
        } catch (const AppError& error) {
            ReportError(error);
        }
    });
    return result;
}

std::optional<SetupComparison::Comparison> frmCapture::CompareSetups(const QString& sFileName)
{
    // The file first: one that is no archive is told before the instrument is asked anything.
    SetupComparison::ArchiveFile archive;
    try {
        archive = SetupComparison::ReadArchiveFile(sFileName);
    } catch (const AppError& error) {
        Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical);
        Unload();
        return std::nullopt;
    }
    if (!archive.IsArchive) {
        Env().ShowMessage(QStringLiteral("%1 is not a product setup archive: %2").arg(sFileName, archive.Reason),
                          MessageButtons::Ok, MessageIcon::Exclamation);
        Unload();
        return std::nullopt;
    }
    std::optional<SetupComparison::Comparison> comparison;
    RunOperation(QString::fromLatin1(SetupComparison::ReadCaption), [&] {
        const auto instrument = SetupComparison::ReadInstrument(MainWindow().ReportingExchange(), *this);
        if (instrument) comparison = SetupComparison::Compare(*instrument, archive.Lines);
    }, OnError::ReportAsFatal);
    return comparison;
}

std::optional<SetupComparison::Comparison> frmCapture::VerifyRestore(const SetupArchive::RestoreResult& restored,
                                                                     const QString& sFileName)
{
    std::optional<SetupComparison::Comparison> comparison;
    RunOperation(QString::fromLatin1(SetupComparison::VerifyCaption), [&] {
        comparison = SetupComparison::VerifyRestore(MainWindow().ReportingExchange(), restored.RestoredSetupNumbers,
                                                    restored.RestoredLines, sFileName, *this);
    }, OnError::ReportAsFatal);
    return comparison;
}

void frmCapture::RunOperation(const QString& caption, const std::function<void()>& operation, OnError onError)
{
    if (running_) return;  // cannot happen from the menus, which are disabled meanwhile
    running_ = true;
    if (MainWindowExists()) MainWindow().SetOperationRunning(true);
    // Whatever way the operation ends (ProgramEnd included), the window is
    // unloaded and the main window's menus come back.
    struct Unloader {
        frmCapture* window;
        ~Unloader() { window->Unload(); }
    } unloader{this};

    SetCaption(caption);
    show();
    raise();
    try {
        operation();
    } catch (const AppError& error) {
        if (onError == OnError::ReportAsFatal) ReportError(error);  // ends the program
        Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical, modGlobals::MainCaption);
    }
}

void frmCapture::Unload()
{
    running_ = false;
    if (MainWindowExists()) MainWindow().SetOperationRunning(false);
    hide();
    if (theWindow == this) theWindow = nullptr;
    deleteLater();
}

void frmCapture::cmdCancel_Click() { cancelRequested_ = true; }

void frmCapture::SetCaption(const QString& caption) { setWindowTitle(caption); }

void frmCapture::SetMaximum(int maximum) { barCompleted_->setMaximum(maximum); }

void frmCapture::SetValue(int value) { barCompleted_->setValue(value); }

void frmCapture::SetStatus(const QString& status) { sbMessage_->showMessage(status); }

void frmCapture::Yield() { QCoreApplication::processEvents(); }

void frmCapture::ClearCancel() { cancelRequested_ = false; }

void frmCapture::closeEvent(QCloseEvent* event)
{
    if (running_) {
        // The title bar's close button is a Cancel: the operation ends at the
        // next item and then unloads the window itself.
        event->ignore();
        cmdCancel_Click();
        return;
    }
    event->accept();
}

void frmCapture::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
