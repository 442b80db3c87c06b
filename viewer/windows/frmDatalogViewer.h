#pragma once
// The "Datalog Viewer" window: a datalog file, or the instrument's datalog
// just captured, as a sortable table of records filtered by product, setup,
// standard/sample and date range; the reflectance spectra of the selected
// records; the colour difference of the samples of the current record's
// product and setup against their standards; the trend of their first index
// value as an individuals control chart; the summary per product and setup,
// and the lines that could not be read.
//
// Not modal and resizable; its size and splitters are kept in the settings
// store (section "Datalog Viewer") through the Environment. One instance,
// created on first use. Every failure (a file that cannot be read or
// written) is told in a message box naming the file and the reason; the
// window stays as it was.

#include "DatalogRecord.h"
#include "LocaleNumberFormat.h"
#include "RecordFilter.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QListWidget;
class QSplitter;
class QTableView;
class QTableWidget;
class QTabWidget;
class RecordFilterModel;
class RecordTableModel;
QT_BEGIN_NAMESPACE
class QChartView;
QT_END_NAMESPACE

class frmDatalogViewer : public QMainWindow {
    Q_OBJECT
public:
    static frmDatalogViewer& instance();
    static bool exists();
    ~frmDatalogViewer() override;

    inline static const QString Caption = QStringLiteral("Datalog Viewer");
    inline static const QString SettingsSection = QStringLiteral("Datalog Viewer");

    // Reads the file (its kind told by its content) with the delimiter (empty:
    // the one chosen in the window, at first the preference) and shows it.
    // False when it could not be read (the message was shown).
    bool OpenFile(const QString& fileName, const QString& delimiter = {});
    // Shows a capture of the instrument's datalog, written with the
    // delimiter in force; Save as Capture File copies that file, which
    // stays in the window's folder while the window lives.
    bool ShowInstrumentCapture(const QString& captureFile);
    // A file name for the next instrument capture, in a folder of the window's.
    QString NewCaptureFileName();

    // Menu commands.
    void ChooseAndOpen();
    void SaveCapture();
    void ExportSummary();
    void ExportReport();
    enum class Chart { Spectra, Difference, Trend };
    void ExportChart(Chart chart);

    void SetFilter(const RecordFilter& filter);
    // Selects the rows (of the filtered, sorted table).
    void SelectRows(const std::vector<int>& rows);

    // For tests and the report.
    const DatalogDocument* Document() const { return document_.get(); }
    QTableView* RecordTable() const { return tblRecords_; }
    QChartView* SpectraView() const { return chtSpectra_; }
    QChartView* DifferencePlaneView() const { return chtDifferencePlane_; }
    QChartView* DifferenceBesideView() const { return chtDifferenceBeside_; }
    QChartView* TrendView() const { return chtTrend_; }
    QTableWidget* SummaryTable() const { return tblSummary_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmDatalogViewer();
    void buildMenus();
    QWidget* buildFilterBar();
    void restoreLayout();
    void saveLayout();
    // Each splitter with the setting that keeps its state.
    std::array<std::pair<QSplitter*, QString>, 3> splitterSettings() const;
    // Reads and shows the file; `fromInstrument`: a capture of the window's.
    bool open(const QString& fileName, const QString& delimiter, bool fromInstrument);
    void display(std::shared_ptr<DatalogDocument> document);
    void reopenWithDelimiter();
    void fillFilterChoices();
    void filterChanged();
    void selectionChanged();
    void currentChanged();
    void fillSummary();
    void fillUnreadable();
    void updateStatus();
    std::vector<const DatalogRecord*> groupOfCurrent() const;
    QWidget* chartArea(Chart chart) const;

    std::shared_ptr<DatalogDocument> document_;
    QString captureFile_;  // the instrument's capture shown, else empty
    std::unique_ptr<class QTemporaryDir> captureFolder_;
    int captures_ = 0;
    bool filling_ = false;
    QString shownGroupProduct_;
    int32_t shownGroupSetup_ = -1;
    LocaleNumberFormat numbers_{QLocale()};

    RecordTableModel* records_;
    RecordFilterModel* filtered_;
    QComboBox* cboDelimiter_;
    QComboBox* cboProduct_;
    QComboBox* cboSetup_;
    QComboBox* cboType_;
    QCheckBox* chkFrom_;
    QCheckBox* chkTo_;
    QDateEdit* dtFrom_;
    QDateEdit* dtTo_;
    QTableView* tblRecords_;
    QChartView* chtSpectra_;
    QChartView* chtDifferencePlane_;
    QChartView* chtDifferenceBeside_;
    QChartView* chtTrend_;
    QWidget* differencePanel_;
    QTableWidget* tblSummary_;
    QListWidget* lstUnreadable_;
    QTabWidget* tabBottom_;
    QSplitter* splMain_;
    QSplitter* splTop_;
    QSplitter* splCharts_;
    QLabel* lblStatus_;
    QAction* saveCapture_;
};
