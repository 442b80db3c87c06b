#pragma once
// The differences between the instrument's product setups and an archive
// (after "Compare Product Setups..." or a restore read back): a summary, a
// table of setup, field, instrument value and file value, and "Save as
// Text..." which writes the same list as `tr8kz setups compare` prints,
// through the file dialog of the Environment, written safely (a failed write
// keeps an earlier file of that name and is told, never reported as done).

#include "SetupComparison.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

class frmSetupDifferences : public QDialog {
    Q_OBJECT
public:
    // caption is the designed caption, ending in " - ", which the instrument's
    // name follows.
    frmSetupDifferences(SetupComparison::Comparison comparison, const QString& caption, QWidget* parent = nullptr);

    void cmdSave_Click();

private:
    SetupComparison::Comparison comparison_;
    QLabel* lblSummary_;
    QTableWidget* grdDifferences_;
    QPushButton* cmdSave_;
    QPushButton* cmdClose_;
};

// The window, modal, over the parent.
void ShowSetupDifferences(const SetupComparison::Comparison& comparison, const QString& caption, QWidget* parent);

inline const QString CompareCaption = QStringLiteral("Compare Product Setups - ");
inline const QString VerifyCaption = QStringLiteral("Restored Product Setups - ");
