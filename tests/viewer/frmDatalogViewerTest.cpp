// The Datalog Viewer opened offscreen from the main window's Datalog menu,
// on the simulated instrument: its charts hold the series of the records
// shown, it saves the instrument's datalog exactly as capture writes it, it
// opens and filters that file, and it keeps its size and splitters.
#include "TestFiles.h"
#include "MainWindowOnSimulator.h"
#include "frmDatalogViewer.h"
#include "DatalogReport.h"
#include "RecordTableModel.h"
#include "SimDatalog.h"
#include "ViewerCharts.h"

#include <QAbstractSeries>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QRegularExpression>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QXYSeries>
#include <gtest/gtest.h>
#include <set>

namespace {

QList<QXYSeries*> seriesOf(QChartView* view)
{
    QList<QXYSeries*> result;
    for (QAbstractSeries* s : view->chart()->series()) result << qobject_cast<QXYSeries*>(s);
    return result;
}

QXYSeries* named(QChartView* view, const QString& name)
{
    for (QXYSeries* s : seriesOf(view))
        if (s->name() == name) return s;
    return nullptr;
}

class ViewerWindowTest : public ::testing::Test, protected MainWindowOnSimulator {
protected:
    void SetUp() override { QLocale::setDefault(QLocale("en_US")); start(); }
    void TearDown() override
    {
        if (frmDatalogViewer::exists()) delete &frmDatalogViewer::instance();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QLocale::setDefault(QLocale::system());
    }
};

TEST_F(ViewerWindowTest, InstrumentDatalogWithItsChartsSavedAsCaptureWritesItThenFilteredAndItsSizeKept)
{
    const QString captured = env.path("captured.txt");
    env.fileNames = {captured};
    window->mnuDatalogItem(0)->trigger();  // Capture, for comparison
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window->mnuDatalogItem(5)->text(), "View &Instrument Datalog");
    window->mnuDatalogItem(5)->trigger();

    ASSERT_TRUE(frmDatalogViewer::exists());
    frmDatalogViewer& viewer = frmDatalogViewer::instance();
    EXPECT_TRUE(viewer.isVisible());
    const auto& datalog = instrument->Datalog();
    ASSERT_EQ(viewer.Document()->records.size(), datalog.size());
    EXPECT_TRUE(viewer.Document()->unreadable.empty());
    EXPECT_EQ(viewer.RecordTable()->model()->rowCount(), int(datalog.size()));

    // Spectra: one series of the 31 points a selected record.
    viewer.SelectRows({0, 1, 2});
    const auto spectra = seriesOf(viewer.SpectraView());
    ASSERT_EQ(spectra.size(), 3);
    for (QXYSeries* s : spectra) EXPECT_EQ(s->count(), 31);
    EXPECT_DOUBLE_EQ(spectra[0]->at(30).x(), 700.0);
    EXPECT_NE(named(viewer.SpectraView(), "Std STD (log 1)"), nullptr) << spectra[0]->name().toStdString();

    // Trend and colour difference: the product and setup of the current
    // record, worked out here from the simulated instrument's own records.
    viewer.SelectRows({1});
    const SimDatalogRecord& current = datalog[1];
    int count = 0, samples = 0;
    double sum = 0;
    for (const SimDatalogRecord& r : datalog)
        if (r.product == current.product && r.setup == current.setup)
            ++count, sum += r.indexData[0], samples += !r.standard && r.scale != 0;
    ASSERT_GT(count, 2);
    QXYSeries *values = seriesOf(viewer.TrendView()).value(0), *mean = named(viewer.TrendView(), "Mean"),
              *upper = named(viewer.TrendView(), "+3 sd");
    ASSERT_TRUE(values && mean && upper);
    EXPECT_EQ(values->count(), count);
    EXPECT_NEAR(mean->at(0).y(), sum / count, 1e-3);
    EXPECT_GT(upper->at(0).y(), mean->at(0).y());
    EXPECT_EQ(seriesOf(viewer.DifferencePlaneView()).value(0)->count(), samples);
    EXPECT_EQ(seriesOf(viewer.DifferenceBesideView()).value(0)->count(), samples);

    const QString saved = env.path("saved.txt");
    env.fileNames = {saved};
    viewer.SaveCapture();
    EXPECT_EQ(ReadWhole(saved), ReadWhole(captured));
    // The simulated datalog's sample IDs hold the Tab: a capture ends with
    // that warning and nothing else is told.
    for (const auto& shown : env.messages)
        EXPECT_TRUE(shown.text.contains("hold the delimiter")) << shown.text.toStdString();
    env.messages.clear();

    // Charts as pictures: the name's ending chooses; another ending is
    // refused with the name, and writes nothing.
    env.fileNames = {env.path("spectra.svg"), env.path("difference.PNG"), env.path("trend.jpg")};
    for (const auto chart : {frmDatalogViewer::Chart::Spectra, frmDatalogViewer::Chart::Difference, frmDatalogViewer::Chart::Trend})
        viewer.ExportChart(chart);
    EXPECT_TRUE(ReadWhole(env.path("spectra.svg")).contains("<svg"));
    EXPECT_TRUE(ReadWhole(env.path("difference.PNG")).startsWith("\x89PNG"));
    EXPECT_FALSE(QFile::exists(env.path("trend.jpg")));
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].text.contains("trend.jpg"));

    if (const QByteArray shot = qgetenv("TR8KZ_VIEWER_SCREENSHOT"); !shot.isEmpty()) {
        viewer.resize(1400, 900);
        viewer.SelectRows({0, 1, 2, 3});
        QApplication::processEvents();
        viewer.grab().save(QString::fromLocal8Bit(shot));
    }

    // Read again with another delimiter, it is still the instrument's
    // datalog, and saved as captured.
    EXPECT_EQ(viewer.windowTitle(), "Datalog Viewer - Instrument Datalog");
    auto* delimiter = viewer.findChild<QComboBox*>("cboDelimiter");
    ASSERT_NE(delimiter, nullptr);
    delimiter->setCurrentIndex(delimiter->findData(","));
    emit delimiter->activated(delimiter->currentIndex());
    EXPECT_EQ(viewer.Document()->delimiter, ",");
    EXPECT_EQ(viewer.windowTitle(), "Datalog Viewer - Instrument Datalog");
    env.fileNames = {env.path("again.txt")};
    viewer.SaveCapture();
    EXPECT_EQ(ReadWhole(env.path("again.txt")), ReadWhole(captured));

    // The saved file opened, filtered to one product's samples: the table
    // and the summary of its setups.
    ASSERT_TRUE(viewer.OpenFile(saved, QStringLiteral("\t")));
    EXPECT_EQ(viewer.windowTitle(), "Datalog Viewer - saved.txt");
    EXPECT_FALSE(viewer.findChild<QAction*>("actSaveCapture")->isEnabled());
    const QByteArray product = datalog[5].product;
    RecordFilter filter;
    filter.product = QString::fromLatin1(product), filter.kind = RecordFilter::Kind::Samples;
    viewer.SetFilter(filter);
    std::set<int> setups;
    samples = 0;
    for (const SimDatalogRecord& r : datalog)
        if (r.product == product && !r.standard) ++samples, setups.insert(r.setup);
    EXPECT_EQ(viewer.RecordTable()->model()->rowCount(), samples);
    EXPECT_EQ(viewer.SummaryTable()->rowCount(), int(setups.size()));
    EXPECT_EQ(viewer.SummaryTable()->item(0, 0)->text(), filter.product);

    // A date range after the last record leaves nothing, and no charts fail.
    filter = {};
    filter.from = QDate(2100, 1, 1);
    viewer.SetFilter(filter);
    EXPECT_EQ(viewer.RecordTable()->model()->rowCount(), 0);
    EXPECT_TRUE(seriesOf(viewer.SpectraView()).isEmpty());
    EXPECT_EQ(viewer.SummaryTable()->rowCount(), 0);

    // Its size and splitters are kept.
    viewer.resize(1000, 700);
    auto* top = viewer.findChild<QSplitter*>("splTop");
    ASSERT_NE(top, nullptr);
    top->setSizes({300, 650});
    const QList<int> sizes = top->sizes();
    viewer.close();
    EXPECT_EQ(env.settings().read("Datalog Viewer", "Width", ""), "1000");
    delete &viewer;
    frmDatalogViewer& reopened = frmDatalogViewer::instance();
    reopened.show();
    EXPECT_EQ(reopened.size(), QSize(1000, 700));
    EXPECT_EQ(reopened.findChild<QSplitter*>("splTop")->sizes(), sizes);
}

// A locale with its own digits: the table's values and the summary in ASCII
// digits, as the times beside them.
TEST_F(ViewerWindowTest, ArabicLocaleShowsAsciiDigits)
{
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    QByteArray text = "#0100000000055452384B5A\r\n";  // a stored datalog: read alike in every locale
    int index = 0;
    for (const SimDatalogRecord& r : instrument->Datalog()) text += EncodeStoredDatalogLine(r, index++) + "\r\n";
    const QString stored = env.path("stored.txt");
    WriteWhole(stored, text);
    frmDatalogViewer& viewer = frmDatalogViewer::instance();
    ASSERT_TRUE(viewer.OpenFile(stored));
    QStringList shown;
    for (int column : {RecordTableModel::Time, RecordTableModel::IndexValue})
        shown << viewer.RecordTable()->model()->index(0, column).data().toString();
    for (int column = 4; column < viewer.SummaryTable()->columnCount(); ++column)
        if (const QTableWidgetItem* item = viewer.SummaryTable()->item(0, column)) shown << item->text();
    ASSERT_GE(shown.size(), 6);
    for (const QString& cell : shown)
        EXPECT_TRUE(std::none_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit() && c.unicode() >= 0x80; })
                    && cell.contains(QRegularExpression(QStringLiteral("[0-9]")))) << cell.toStdString();
}

TEST(ViewerChartLimits, SpectraAndReportSelections)
{
    std::vector<DatalogRecord> records(60);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].log = int32_t(i) + 1, records[i].time = int64_t(i) * 60, records[i].standard = i == 5 || i == 30;
    const auto pointers = [&](std::size_t first, std::size_t count) {
        std::vector<const DatalogRecord*> p;
        for (std::size_t i = first; i < first + count; ++i) p.push_back(&records[i]);
        return p;
    };
    // At most 40 spectra are drawn.
    for (std::size_t count : {std::size_t(40), std::size_t(41)}) {
        std::unique_ptr<QChart> chart(ViewerCharts::Spectra(pointers(0, count)));
        EXPECT_EQ(chart->series().size(), 40) << count;
    }
    // The report: the latest standard and at most ten samples after it.
    const auto logs = [](const std::vector<const DatalogRecord*>& shown) {
        QList<int> l;
        for (const DatalogRecord* r : shown) l << r->log;
        return l;
    };
    EXPECT_EQ(logs(DatalogReport::ReportSpectra(pointers(0, 41))), QList<int>({31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}));
    EXPECT_EQ(logs(DatalogReport::ReportSpectra(pointers(0, 40))), QList<int>({31, 32, 33, 34, 35, 36, 37, 38, 39, 40}));
    EXPECT_EQ(logs(DatalogReport::ReportSpectra(pointers(0, 42))).size(), 11);
    // Without a standard: the ten latest records.
    EXPECT_EQ(logs(DatalogReport::ReportSpectra(pointers(6, 24))), QList<int>({21, 22, 23, 24, 25, 26, 27, 28, 29, 30}));
}

}  // namespace
