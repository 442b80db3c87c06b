#pragma once
// The about window: the program's picture, title and version.

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The version as "Version major.minor.revision".
    static QString VersionText(int major, int minor, int revision);

    explicit frmAbout(QWidget* parent = nullptr);
    void Form_Load();

private:
    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QPushButton* cmdOK_;
};
