#pragma once
// The screen capture window: a picture of the instrument's display, which the
// operator can save as a bitmap file. Load reads the display; each activation
// writes the picture to a new temporary file and shows it from there; Save
// copies that file to the operator's choice; closing removes every temporary
// file the window wrote.

#include <QByteArray>
#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

class frmBitmap : public QDialog {
    Q_OBJECT
public:
    // How much larger than the instrument's 128 x 128 pixels the picture is
    // shown.
    static constexpr int Zoom = 3;

    explicit frmBitmap(QWidget* parent = nullptr);
    ~frmBitmap() override;

    // The folder of the temporary files; empty (the default) is the system's
    // temporary folder. Tests point it elsewhere.
    static void SetTemporaryFolder(const QString& folder);
    static QString TemporaryFolder();

    // Icon and caption, then CaptureScreen. After Cancel on a timeout or a
    // fatal error the program ends (ProgramEnd).
    void Form_Load();
    // Runs each time the window becomes active: DisplayScreen.
    void Form_Activate();
    // Reads the display through the main window's Sensor and builds the
    // bitmap file image. Errors go to the common error report.
    void CaptureScreen();
    // Writes the image to a new temporary file and shows it; when no file can
    // be made, "Error Creating Temporary File" and the window closes.
    void DisplayScreen();
    // The save choice; a chosen file receives a copy of the picture.
    void cmdSave_Click();
    void cmdCancel_Click();
    // Removes the temporary files.
    void Form_Unload();

    // The temporary files written and not yet removed, oldest first.
    const QStringList& TemporaryFiles() const { return temporaryFiles_; }
    // The bitmap file image of the last capture (empty before one).
    const QByteArray& FileImage() const { return fileImage_; }

protected:
    bool event(QEvent* event) override;
    void done(int result) override;

private:
    void failTemporaryFile();

    QLabel* imgScreen_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
    QByteArray fileImage_;
    QStringList temporaryFiles_;
    bool displaying_ = false;
    bool unloaded_ = false;
};

// The Sensor menu's "&Capture Screen": loads the window and shows it modally
// over the parent. ProgramEnd from the display read passes through.
void ShowScreenCapture(QWidget* parent);
