#pragma once
// The progress window of the long operations: datalog capture and conversion
// here, setup archive, restore and comparison added the same way. A progress bar, a
// Cancel button below it (Escape presses it) and a status bar; each operation
// sets the caption, shows the window (not modal), reports to it as a
// ProgressSink and unloads it at the end.
//
// Lifetime: instance() creates the window on first use (that is its load: the
// icon is set); every operation ends by unloading it (hidden, then deleted by
// the event loop), and instance() forgets it at once, so the next operation
// always starts from a fresh window:
//
//     frmCapture::instance().UploadDatalog(fileName);
//
// Failures: a communications timeout has already offered Retry or Cancel at
// the exchange that timed out (the main window's ReportingExchange). Any
// other AppError raised by a datalog capture or conversion is shown in a
// message box (critical icon, the main caption as title, the error's
// description) and the window closes; the program goes on. A capture keeps
// the records read before the failure (the message says how many); a
// conversion leaves the target as it was before. A capture's target that is
// not a regular file is refused before the instrument is asked anything, and
// a restore file that cannot be restored whole is refused (shown the same
// way) before anything is sent. The archive, and a restore once it sends,
// leave their errors to the common error report ("Fatal Error #", then the
// program ends), as every other instrument command does; an archive that
// holds replies which are not setups ends with a warning (exclamation icon)
// naming them. ProgramEnd is never caught.
//
// While an operation runs the main window's menus are disabled, so no second
// operation can start; closing the window through its title bar acts as
// Cancel.

#include "Exchange.h"
#include "ProgressSink.h"
#include "SetupArchive.h"
#include "SetupComparison.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QProgressBar;
class QPushButton;
class QStatusBar;

class frmCapture : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // The one progress window, loaded on first use.
    static frmCapture& instance();
    static bool exists();
    ~frmCapture() override;

    // Captures the instrument's whole datalog into the file: reads the
    // record count from the main window first, then captures through the main
    // window's exchange with the data delimiter in force.
    void UploadDatalog(const QString& sFileName);
    // The capture itself, with the exchange and the record count given.
    void CaptureDatalog(const Exchange& exchange, int32_t recordCount, const QString& sFileName);
    // Converts a stored datalog file; "N records converted" in the status
    // bar and "Conversion completed" when done.
    void ConvertDatalog(const QString& sSource, const QString& sFileName);
    // Archives all product setups into the file, and restores them from it.
    void UploadSetups(const QString& sFileName);
    SetupArchive::RestoreResult DownloadSetups(const QString& sFileName);
    // Reads the instrument's setups and compares them with the archive file.
    // Nothing when the file is not an archive or cannot be read (the
    // operator is told, the instrument is not asked) or when cancelled.
    std::optional<SetupComparison::Comparison> CompareSetups(const QString& sFileName);
    // Reads back the setups a restore from the file wrote and compares them
    // with the lines sent; nothing when cancelled.
    std::optional<SetupComparison::Comparison> VerifyRestore(const SetupArchive::RestoreResult& restored,
                                                             const QString& sFileName);

    // Sets CancelRequested; the operation decides when to stop.
    void cmdCancel_Click();

    // ProgressSink.
    void SetCaption(const QString& caption) override;
    void SetMaximum(int maximum) override;
    void SetValue(int value) override;
    void SetStatus(const QString& status) override;
    void Yield() override;
    void ClearCancel() override;
    bool CancelRequested() const override { return cancelRequested_; }

    bool OperationRunning() const { return running_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    frmCapture();
    void Form_Load();
    // The progress protocol around one operation: caption, show, the
    // operation, its failure report, unload. Later operations (setup archive
    // and restore) are one call each:
    //     RunOperation(caption, [&] { SetupArchive::Archive(exchange, file, *this); });
    enum class OnError { ShowAndGoOn, ReportAsFatal };
    void RunOperation(const QString& caption, const std::function<void()>& operation,
                      OnError onError = OnError::ShowAndGoOn);
    void Unload();

    QProgressBar* barCompleted_;
    QPushButton* cmdCancel_;
    QStatusBar* sbMessage_;
    bool cancelRequested_ = false;
    bool running_ = false;
};
