#include "frmDatalogViewer.h"

#include "AppError.h"
#include "ChartExport.h"
#include "DatalogFileReader.h"
#include "DatalogReport.h"
#include "DatalogSummary.h"
#include "Environment.h"
#include "Preferences.h"
#include "RecordTableModel.h"
#include "RegionalFormat.h"
#include "SafeFileWriter.h"
#include "TextFiles.h"
#include "ViewerCharts.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cmath>
#include <functional>
#include <set>

namespace {

frmDatalogViewer* theWindow = nullptr;

const QString DatalogFilter = QStringLiteral("Datalog Files|*.txt *.csv *.dat|All Files|*.*");
constexpr int MostUnreadableShown = 1000;

// Settings of the layout.
const QString WidthValue = QStringLiteral("Width");
const QString HeightValue = QStringLiteral("Height");
const QString MainSplitterValue = QStringLiteral("MainSplitter");
const QString TopSplitterValue = QStringLiteral("TopSplitter");
const QString ChartSplitterValue = QStringLiteral("ChartSplitter");

// A splitter named for the tests, its parts with their shares of the space
// the window gains.
QSplitter* newSplitter(Qt::Orientation orientation, const QString& name,
                       std::initializer_list<std::pair<QWidget*, int>> parts)
{
    auto* splitter = new QSplitter(orientation);
    splitter->setObjectName(name);
    for (const auto& [widget, stretch] : parts) {
        splitter->addWidget(widget);
        splitter->setStretchFactor(splitter->count() - 1, stretch);
    }
    return splitter;
}

QChartView* newChartView(const QString& name)
{
    auto* view = new QChartView;
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(200, 150);
    return view;
}

void replaceChart(QChartView* view, QChart* chart)
{
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

void report(const AppError& error)
{
    Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical, frmDatalogViewer::Caption);
}

// Asks for the file to save, writes it with `write`, and reports a failure;
// nothing happens when the operator cancels the choice.
void saveAs(const QString& title, const QString& filter, const std::function<void(const QString&)>& write)
{
    FileChoice choice;
    choice.title = title;
    choice.kind = FileDialogKind::Save;
    choice.filter = filter;
    const QString file = Env().ChooseFile(choice);
    if (file.isEmpty()) return;
    try {
        write(file);
    } catch (const AppError& error) {
        report(error);
    }
}

}  // namespace

frmDatalogViewer& frmDatalogViewer::instance()
{
    if (!theWindow) theWindow = new frmDatalogViewer();
    return *theWindow;
}

bool frmDatalogViewer::exists() { return theWindow != nullptr; }

frmDatalogViewer::~frmDatalogViewer()
{
    if (theWindow == this) theWindow = nullptr;
}

frmDatalogViewer::frmDatalogViewer() : QMainWindow(nullptr)
{
    setObjectName(QStringLiteral("frmDatalogViewer"));
    setWindowTitle(Caption);
    setAttribute(Qt::WA_DeleteOnClose, false);

    records_ = new RecordTableModel(this);
    filtered_ = new RecordFilterModel(records_, this);

    tblRecords_ = new QTableView;
    tblRecords_->setObjectName(QStringLiteral("tblRecords"));
    tblRecords_->setModel(filtered_);
    tblRecords_->setSortingEnabled(true);
    tblRecords_->sortByColumn(-1, Qt::AscendingOrder);  // file order until the operator sorts
    tblRecords_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblRecords_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tblRecords_->setWordWrap(false);
    tblRecords_->verticalHeader()->setVisible(false);
    tblRecords_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tblRecords_->verticalHeader()->setDefaultSectionSize(tblRecords_->fontMetrics().height() + 6);
    // Fixed widths: sizing to the contents would read every one of the rows.
    const int widths[RecordTableModel::ColumnCount]{45, 130, 110, 45, 40, 140, 55, 75, 90, 85};
    for (int c = 0; c < RecordTableModel::ColumnCount; ++c) tblRecords_->setColumnWidth(c, widths[c]);
    // The time column as wide as a long date and time of the operator's locale.
    const QString longestTime = RegionalFormat::GeneralDateTime(QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58)));
    tblRecords_->setColumnWidth(RecordTableModel::Time, tblRecords_->fontMetrics().horizontalAdvance(longestTime) + 16);
    connect(tblRecords_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { selectionChanged(); });
    connect(tblRecords_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { currentChanged(); });

    chtSpectra_ = newChartView(QStringLiteral("chtSpectra"));
    chtDifferencePlane_ = newChartView(QStringLiteral("chtDifferencePlane"));
    chtDifferenceBeside_ = newChartView(QStringLiteral("chtDifferenceBeside"));
    chtTrend_ = newChartView(QStringLiteral("chtTrend"));
    differencePanel_ = new QWidget;
    auto* differenceLayout = new QHBoxLayout(differencePanel_);
    differenceLayout->setContentsMargins(0, 0, 0, 0);
    differenceLayout->addWidget(chtDifferencePlane_, 3);
    differenceLayout->addWidget(chtDifferenceBeside_, 2);

    splCharts_ = newSplitter(Qt::Vertical, QStringLiteral("splCharts"),
                             {{chtSpectra_, 0}, {differencePanel_, 0}, {chtTrend_, 0}});

    auto* tablePanel = new QWidget;
    auto* tableLayout = new QVBoxLayout(tablePanel);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(buildFilterBar());
    tableLayout->addWidget(tblRecords_);

    splTop_ = newSplitter(Qt::Horizontal, QStringLiteral("splTop"), {{tablePanel, 3}, {splCharts_, 2}});

    tblSummary_ = new QTableWidget(0, 10);
    tblSummary_->setObjectName(QStringLiteral("tblSummary"));
    tblSummary_->setHorizontalHeaderLabels({QStringLiteral("Product"), QStringLiteral("Setup"), QStringLiteral("Records"),
                                            QStringLiteral("Samples"), QStringLiteral("Mean"), QStringLiteral("SD"),
                                            QStringLiteral("Min"), QStringLiteral("Max"),
                                            QStringLiteral("\u0394E00 Mean"), QStringLiteral("\u0394E00 Max")});
    tblSummary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSummary_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblSummary_->setSelectionMode(QAbstractItemView::SingleSelection);
    tblSummary_->verticalHeader()->setVisible(false);
    tblSummary_->verticalHeader()->setDefaultSectionSize(tblRecords_->verticalHeader()->defaultSectionSize());
    // Double-click on a group shows only its records.
    connect(tblSummary_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        RecordFilter filter = filtered_->filter();
        filter.product = tblSummary_->item(row, 0)->text();
        filter.setup = tblSummary_->item(row, 1)->text().toInt();
        SetFilter(filter);
    });
    lstUnreadable_ = new QListWidget;
    lstUnreadable_->setObjectName(QStringLiteral("lstUnreadable"));
    tabBottom_ = new QTabWidget;
    tabBottom_->addTab(tblSummary_, QStringLiteral("Summary"));
    tabBottom_->addTab(lstUnreadable_, QStringLiteral("Unreadable Lines"));

    splMain_ = newSplitter(Qt::Vertical, QStringLiteral("splMain"), {{splTop_, 4}, {tabBottom_, 1}});
    setCentralWidget(splMain_);

    lblStatus_ = new QLabel;
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    statusBar()->addWidget(lblStatus_, 1);

    buildMenus();
    replaceChart(chtSpectra_, ViewerCharts::Spectra({}));
    replaceChart(chtDifferencePlane_, ViewerCharts::DifferencePlane({}));
    replaceChart(chtDifferenceBeside_, ViewerCharts::DifferenceBeside({}));
    replaceChart(chtTrend_, ViewerCharts::Trend({}));
    restoreLayout();
    updateStatus();
}

void frmDatalogViewer::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), this, [this] { ChooseAndOpen(); });
    saveCapture_ = file->addAction(QStringLiteral("Save as &Capture File..."), this, [this] { SaveCapture(); });
    saveCapture_->setObjectName(QStringLiteral("actSaveCapture"));
    saveCapture_->setEnabled(false);
    file->addSeparator();
    file->addAction(QStringLiteral("Export &Summary as CSV..."), this, [this] { ExportSummary(); });
    file->addAction(QStringLiteral("Export &Report as PDF..."), this, [this] { ExportReport(); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), this, [this] { close(); });
    QMenu* charts = menuBar()->addMenu(QStringLiteral("&Charts"));
    charts->addAction(QStringLiteral("Export &Spectra..."), this, [this] { ExportChart(Chart::Spectra); });
    charts->addAction(QStringLiteral("Export Colour &Difference..."), this, [this] { ExportChart(Chart::Difference); });
    charts->addAction(QStringLiteral("Export &Trend..."), this, [this] { ExportChart(Chart::Trend); });
}

QWidget* frmDatalogViewer::buildFilterBar()
{
    // Two rows, so that the table's side of the window can stay narrow.
    auto* bar = new QWidget;
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(4, 4, 4, 0);
    auto* first = new QHBoxLayout;
    auto* second = new QHBoxLayout;
    rows->addLayout(first);
    rows->addLayout(second);
    QHBoxLayout* layout = first;
    const auto combo = [&](const QString& name, const QString& label) {
        auto* box = new QComboBox;
        box->setObjectName(name);
        layout->addWidget(new QLabel(label));
        layout->addWidget(box);
        return box;
    };
    cboDelimiter_ = combo(QStringLiteral("cboDelimiter"), QStringLiteral("Delimiter:"));
    cboDelimiter_->addItem(QStringLiteral("Tab"), QStringLiteral("\t"));
    cboDelimiter_->addItem(QStringLiteral("Comma"), QStringLiteral(","));
    cboDelimiter_->addItem(QStringLiteral("Semicolon"), QStringLiteral(";"));
    const QString preference = GetDelimiter();
    if (!preference.isEmpty() && cboDelimiter_->findData(preference) < 0)
        cboDelimiter_->addItem(QStringLiteral("\"%1\"").arg(preference), preference);
    cboDelimiter_->setCurrentIndex(std::max(0, cboDelimiter_->findData(preference.isEmpty() ? QStringLiteral("\t") : preference)));
    connect(cboDelimiter_, &QComboBox::activated, this, [this] { reopenWithDelimiter(); });

    cboProduct_ = combo(QStringLiteral("cboProduct"), QStringLiteral("Product:"));
    cboProduct_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboProduct_->setMinimumContentsLength(16);
    cboSetup_ = combo(QStringLiteral("cboSetup"), QStringLiteral("Setup:"));
    first->addStretch();
    layout = second;
    cboType_ = combo(QStringLiteral("cboType"), QStringLiteral("Type:"));
    cboType_->addItem(QStringLiteral("All"), int(RecordFilter::Kind::All));
    cboType_->addItem(QStringLiteral("Standards"), int(RecordFilter::Kind::Standards));
    cboType_->addItem(QStringLiteral("Samples"), int(RecordFilter::Kind::Samples));
    chkFrom_ = new QCheckBox(QStringLiteral("From"));
    chkFrom_->setObjectName(QStringLiteral("chkFrom"));
    dtFrom_ = new QDateEdit;
    dtFrom_->setObjectName(QStringLiteral("dtFrom"));
    chkTo_ = new QCheckBox(QStringLiteral("To"));
    chkTo_->setObjectName(QStringLiteral("chkTo"));
    dtTo_ = new QDateEdit;
    dtTo_->setObjectName(QStringLiteral("dtTo"));
    for (QDateEdit* edit : {dtFrom_, dtTo_}) {
        edit->setDisplayFormat(RegionalFormat::ShortDateFormat());  // four-digit years, as everywhere
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
    }
    layout->addWidget(chkFrom_);
    layout->addWidget(dtFrom_);
    layout->addWidget(chkTo_);
    layout->addWidget(dtTo_);
    layout->addStretch();

    for (QComboBox* box : {cboProduct_, cboSetup_, cboType_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { filterChanged(); });
    connect(chkFrom_, &QCheckBox::toggled, dtFrom_, &QWidget::setEnabled);
    connect(chkTo_, &QCheckBox::toggled, dtTo_, &QWidget::setEnabled);
    for (QCheckBox* box : {chkFrom_, chkTo_}) connect(box, &QCheckBox::toggled, this, [this] { filterChanged(); });
    for (QDateEdit* edit : {dtFrom_, dtTo_}) connect(edit, &QDateEdit::dateChanged, this, [this] { filterChanged(); });
    return bar;
}

void frmDatalogViewer::restoreLayout()
{
    Environment& env = Env();
    const int width = env.ReadSetting(SettingsSection, WidthValue, QString()).toInt();
    const int height = env.ReadSetting(SettingsSection, HeightValue, QString()).toInt();
    resize(width >= 400 && height >= 300 ? QSize(width, height) : QSize(1200, 800));
    // Until the operator has arranged them: the summary gets a quarter.
    splMain_->setSizes({600, 200});
    splTop_->setSizes({560, 640});
    for (const auto& [splitter, name] : splitterSettings()) {
        const QByteArray state = QByteArray::fromBase64(env.ReadSetting(SettingsSection, name, QString()).toLatin1());
        if (!state.isEmpty()) splitter->restoreState(state);
    }
}

std::array<std::pair<QSplitter*, QString>, 3> frmDatalogViewer::splitterSettings() const
{
    return {{{splMain_, MainSplitterValue}, {splTop_, TopSplitterValue}, {splCharts_, ChartSplitterValue}}};
}

void frmDatalogViewer::saveLayout()
{
    Environment& env = Env();
    try {
        env.WriteSetting(SettingsSection, WidthValue, QString::number(width()));
        env.WriteSetting(SettingsSection, HeightValue, QString::number(height()));
        for (const auto& [splitter, name] : splitterSettings())
            env.WriteSetting(SettingsSection, name, QString::fromLatin1(splitter->saveState().toBase64()));
    } catch (const AppError& error) {
        report(error);
    }
}

void frmDatalogViewer::closeEvent(QCloseEvent* event)
{
    saveLayout();
    event->accept();
}

bool frmDatalogViewer::OpenFile(const QString& fileName, const QString& delimiter)
{
    return open(fileName, delimiter.isEmpty() ? cboDelimiter_->currentData().toString() : delimiter, false);
}

bool frmDatalogViewer::open(const QString& fileName, const QString& delimiter, bool fromInstrument)
{
    try {
        auto document = std::make_shared<DatalogDocument>(DatalogFileReader::Read(fileName, delimiter, QLocale()));
        captureFile_ = fromInstrument ? fileName : QString();
        saveCapture_->setEnabled(fromInstrument);
        display(std::move(document));
        return true;
    } catch (const AppError& error) {
        report(error);
        return false;
    }
}

QString frmDatalogViewer::NewCaptureFileName()
{
    if (!captureFolder_) captureFolder_ = std::make_unique<QTemporaryDir>();
    return captureFolder_->filePath(QStringLiteral("capture-%1.txt").arg(++captures_));
}

bool frmDatalogViewer::ShowInstrumentCapture(const QString& captureFile)
{
    return open(captureFile, GetDelimiter(), true);
}

void frmDatalogViewer::display(std::shared_ptr<DatalogDocument> document)
{
    document_ = std::move(document);
    // A capture is in a file of the window's own, whose name tells the operator nothing.
    const QString shown =
        captureFile_.isEmpty() ? QFileInfo(document_->fileName).fileName() : QStringLiteral("Instrument Datalog");
    setWindowTitle(QStringLiteral("%1 - %2").arg(Caption, shown));
    if (cboDelimiter_->findData(document_->delimiter) < 0)
        cboDelimiter_->addItem(QStringLiteral("\"%1\"").arg(document_->delimiter), document_->delimiter);
    cboDelimiter_->setCurrentIndex(cboDelimiter_->findData(document_->delimiter));
    shownGroupSetup_ = -1;
    filling_ = true;
    tblRecords_->sortByColumn(-1, Qt::AscendingOrder);
    records_->setDocument(document_);
    fillFilterChoices();
    filling_ = false;
    filterChanged();
    fillUnreadable();
    QMainWindow::show();
    raise();
    activateWindow();
}

void frmDatalogViewer::reopenWithDelimiter()
{
    if (document_) open(document_->fileName, cboDelimiter_->currentData().toString(), !captureFile_.isEmpty());
}

void frmDatalogViewer::fillFilterChoices()
{
    std::set<QString> products;
    std::set<int32_t> setups;
    QDate first, last;
    for (const DatalogRecord& r : document_->records) {
        products.insert(r.product);
        setups.insert(r.setup);
    }
    if (!document_->records.empty()) {
        const auto [low, high] = std::minmax_element(document_->records.begin(), document_->records.end(),
                                                     [](const DatalogRecord& a, const DatalogRecord& b) { return a.time < b.time; });
        first = RecordDate(*low);
        last = RecordDate(*high);
    }
    cboProduct_->clear();
    cboProduct_->addItem(QStringLiteral("All"), QVariant());
    for (const QString& p : products) cboProduct_->addItem(p.isEmpty() ? QStringLiteral("(no name)") : p, p);
    cboSetup_->clear();
    cboSetup_->addItem(QStringLiteral("All"), 0);
    for (int32_t s : setups) cboSetup_->addItem(QString::number(s), s);
    cboType_->setCurrentIndex(0);
    chkFrom_->setChecked(false);
    chkTo_->setChecked(false);
    const QDate today = Env().Now().date();
    dtFrom_->setDate(first.isValid() ? first : today);
    dtTo_->setDate(last.isValid() ? last : today);
}

void frmDatalogViewer::SetFilter(const RecordFilter& filter)
{
    filling_ = true;
    cboProduct_->setCurrentIndex(filter.product ? std::max(0, cboProduct_->findData(*filter.product)) : 0);
    cboSetup_->setCurrentIndex(std::max(0, cboSetup_->findData(filter.setup)));
    cboType_->setCurrentIndex(std::max(0, cboType_->findData(int(filter.kind))));
    chkFrom_->setChecked(filter.from.isValid());
    if (filter.from.isValid()) dtFrom_->setDate(filter.from);
    chkTo_->setChecked(filter.to.isValid());
    if (filter.to.isValid()) dtTo_->setDate(filter.to);
    filling_ = false;
    filterChanged();
}

void frmDatalogViewer::filterChanged()
{
    if (filling_ || !document_) return;
    RecordFilter filter;
    if (const QVariant product = cboProduct_->currentData(); product.isValid()) filter.product = product.toString();
    filter.setup = cboSetup_->currentData().toInt();
    filter.kind = RecordFilter::Kind(cboType_->currentData().toInt());
    if (chkFrom_->isChecked()) filter.from = dtFrom_->date();
    if (chkTo_->isChecked()) filter.to = dtTo_->date();
    filtered_->setFilter(filter);
    fillSummary();
    // The first record shown becomes the current one, which draws the charts.
    shownGroupSetup_ = -1;
    if (filtered_->rowCount() > 0) {
        SelectRows({0});
    } else {
        tblRecords_->selectionModel()->clear();
        selectionChanged();
        currentChanged();
    }
    updateStatus();
}

void frmDatalogViewer::SelectRows(const std::vector<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(filtered_->index(row, 0), filtered_->index(row, RecordTableModel::ColumnCount - 1));
    QItemSelectionModel* model = tblRecords_->selectionModel();
    if (!rows.empty())
        model->setCurrentIndex(filtered_->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    currentChanged();
}

void frmDatalogViewer::selectionChanged()
{
    std::vector<const DatalogRecord*> chosen;
    for (const QModelIndex& index : tblRecords_->selectionModel()->selectedRows()) {
        chosen.push_back(&filtered_->recordAt(index.row()));
        if (chosen.size() >= std::size_t(ViewerCharts::MostSpectra)) break;
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](const DatalogRecord* a, const DatalogRecord* b) {
        return a->standard > b->standard;  // standards first
    });
    replaceChart(chtSpectra_, ViewerCharts::Spectra(chosen));
}

std::vector<const DatalogRecord*> frmDatalogViewer::groupOfCurrent() const
{
    std::vector<const DatalogRecord*> group;
    if (!document_) return group;
    RecordFilter filter = filtered_->filter();
    filter.product = shownGroupProduct_;
    filter.setup = shownGroupSetup_;
    for (const DatalogRecord& r : document_->records)
        if (filter.accepts(r)) group.push_back(&r);
    return group;
}

void frmDatalogViewer::currentChanged()
{
    const QModelIndex current = tblRecords_->selectionModel()->currentIndex();
    QString product;
    int32_t setup = 0;
    if (current.isValid()) {
        const DatalogRecord& r = filtered_->recordAt(current.row());
        product = r.product;
        setup = r.setup;
    }
    // The group charts change only with the product and setup.
    if (setup == shownGroupSetup_ && product == shownGroupProduct_) return;
    shownGroupProduct_ = product;
    shownGroupSetup_ = setup;
    const auto group = current.isValid() ? groupOfCurrent() : std::vector<const DatalogRecord*>{};
    const ViewerCharts::Differences differences = ViewerCharts::DifferencesOf(group);
    replaceChart(chtDifferencePlane_, ViewerCharts::DifferencePlane(differences));
    replaceChart(chtDifferenceBeside_, ViewerCharts::DifferenceBeside(differences));
    const QString name = product.isEmpty() ? QStringLiteral("(no name)") : product;
    const QString groupName = group.empty() ? QString() : QStringLiteral("%1, setup %2").arg(name).arg(setup);
    replaceChart(chtTrend_, ViewerCharts::Trend(group, groupName));
}

void frmDatalogViewer::fillSummary()
{
    const auto groups = DatalogSummary::Summarize(document_->records, filtered_->filter());
    tblSummary_->setRowCount(int(groups.size()));
    const auto number = [this](double value) {
        return std::isnan(value) ? QStringLiteral("-") : numbers_.toString(value, 4);
    };
    for (int row = 0; row < int(groups.size()); ++row) {
        const GroupSummary& g = groups[std::size_t(row)];
        const QStringList cells = DatalogSummary::Cells(g, number)
                                  << (g.deltaE2000.count ? number(g.deltaE2000.mean) : QString())
                                  << (g.deltaE2000.count ? number(g.deltaE2000.max) : QString());
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblSummary_->setItem(row, c, item);
        }
    }
    tblSummary_->resizeColumnsToContents();
}

void frmDatalogViewer::fillUnreadable()
{
    lstUnreadable_->clear();
    const auto& lines = document_->unreadable;
    QStringList texts;
    for (std::size_t i = 0; i < lines.size() && i < std::size_t(MostUnreadableShown); ++i)
        texts << QStringLiteral("Line %1: %2").arg(lines[i].lineNumber).arg(lines[i].reason);
    if (lines.size() > std::size_t(MostUnreadableShown))
        texts << QStringLiteral("... and %1 more lines").arg(lines.size() - MostUnreadableShown);
    lstUnreadable_->addItems(texts);
    tabBottom_->setTabText(1, QStringLiteral("Unreadable Lines (%1)").arg(lines.size()));
}

void frmDatalogViewer::updateStatus()
{
    if (!document_) {
        lblStatus_->setText(QStringLiteral("No datalog open"));
        return;
    }
    QString text = QStringLiteral("%1: %2 records, %3 shown")
                       .arg(FormatName(document_->format))
                       .arg(document_->records.size())
                       .arg(filtered_->rowCount());
    if (!document_->unreadable.empty())
        text += QStringLiteral("; %1 lines could not be read").arg(document_->unreadable.size());
    if (document_->ambiguousCount > 0)
        text += QStringLiteral("; %1 records with a doubtful product name or ID (marked)").arg(document_->ambiguousCount);
    lblStatus_->setText(text);
}

void frmDatalogViewer::ChooseAndOpen()
{
    FileChoice choice;
    choice.title = QStringLiteral("View Datalog File");
    choice.filter = DatalogFilter;
    const QString file = Env().ChooseFile(choice);
    if (!file.isEmpty()) OpenFile(file);
}

void frmDatalogViewer::SaveCapture()
{
    if (captureFile_.isEmpty()) return;
    saveAs(QStringLiteral("Save Datalog Capture"), DatalogFilter,
           [this](const QString& file) { CopyFileReplacing(captureFile_, file); });
}

void frmDatalogViewer::ExportSummary()
{
    if (!document_) return;
    saveAs(QStringLiteral("Export Summary"), QStringLiteral("CSV Files|*.csv|All Files|*.*"), [this](const QString& file) {
        const auto groups = DatalogSummary::Summarize(document_->records, filtered_->filter());
        SafeFileWriter::WriteAll(file, ToEightBit(DatalogSummary::Csv(groups)));
    });
}

void frmDatalogViewer::ExportReport()
{
    if (!document_) return;
    saveAs(QStringLiteral("Export Report"), QStringLiteral("PDF Files|*.pdf"), [this](const QString& file) {
        BusyPointer busy;
        DatalogReport::Write(*document_, file);
    });
}

QWidget* frmDatalogViewer::chartArea(Chart chart) const
{
    switch (chart) {
    case Chart::Spectra: return chtSpectra_;
    case Chart::Difference: return differencePanel_;
    case Chart::Trend: return chtTrend_;
    }
    return nullptr;
}

void frmDatalogViewer::ExportChart(Chart chart)
{
    static const char* const titles[]{"Spectra", "Colour Difference", "Trend"};
    const QString title = QString::fromLatin1(titles[int(chart)]);
    saveAs(QStringLiteral("Export %1 Chart").arg(title), ChartExport::FileFilter,
           [&](const QString& file) { ChartExport::Save(chartArea(chart), file, title); });
}
