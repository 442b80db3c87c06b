// tr8kz datalog summary and datalog report, run as a script runs them, on a
// capture of the simulated instrument whose product names hold the
// delimiter: the CSV agrees with the engine's own reading, and the PDF,
// read back by poppler's pdftotext, names every product.
#include "DatalogFileReader.h"
#include "TestFiles.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

class ViewerCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("LC_ALL", "de_DE.UTF-8");  // decimal commas in the capture
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");  // tr8kz-report must choose offscreen itself
        const Ran capture = tr8kz({"--simulator", "--delimiter", "comma", "datalog", "capture", capturePath()});
        ASSERT_EQ(capture.code, 0) << capture.err.toStdString();
    }
    Ran tr8kz(const QStringList& arguments) { return RunProgram(TR8KZ_CLI_EXECUTABLE, arguments, env); }
    QString capturePath() const { return dir.filePath("capture.txt"); }

    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};

// The numbers' forms and the quoting are the engine's (ViewerStatistics);
// here every record of a capture in decimal commas read through the options.
TEST_F(ViewerCommands, SummaryAsCsvAndAsTableAndAReportNamingEveryProduct)
{
    const Ran csv = tr8kz({"datalog", "summary", capturePath(), "--delimiter", "comma", "--csv"});
    ASSERT_EQ(csv.code, 0) << csv.err.toStdString();
    EXPECT_TRUE(csv.err.isEmpty()) << csv.err.toStdString();
    const QStringList lines = csv.out.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], "product,setup,records,samples,mean,sd,min,max");
    // The simulated plant's first product holds a comma and a semicolon.
    EXPECT_GE(lines.indexOf(QRegularExpression("^\"RED ENAMEL, GLOSS; LINE 2\",1,\\d+,\\d+,[-0-9.]+,.*$")), 0)
        << csv.out.toStdString();
    int records = 0;
    for (const QString& line : lines.mid(1)) records += line.section(',', -6, -6).toInt();
    EXPECT_EQ(records, 120);

    const Ran table = tr8kz({"datalog", "summary", capturePath(), "--delimiter", "comma"});
    EXPECT_TRUE(table.code == 0 && table.out.startsWith("product ")) << table.out.toStdString();
    EXPECT_EQ(table.out.split('\n', Qt::SkipEmptyParts).size(), lines.size());

    // Read with the wrong delimiter, every line is listed as unreadable.
    const Ran wrong = tr8kz({"datalog", "summary", capturePath(), "--delimiter", "tab", "--csv"});
    EXPECT_EQ(wrong.code, 0);
    EXPECT_TRUE(wrong.err.contains("line 120 cannot be read")) << wrong.err.toStdString();
    EXPECT_EQ(wrong.out, "product,setup,records,samples,mean,sd,min,max\r\n");

    const QString pdf = dir.filePath("report.pdf");
    const Ran report = tr8kz({"datalog", "report", capturePath(), pdf, "--delimiter", "comma"});
    ASSERT_EQ(report.code, 0) << report.err.toStdString();
    const Ran text = RunProgram("pdftotext", {"-layout", pdf, "-"}, env);
    ASSERT_EQ(text.code, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("Datalog Report") && text.out.contains("Records: 120"));
    QLocale::setDefault(QLocale("de_DE"));
    const DatalogDocument document = DatalogFileReader::Read(capturePath(), ",", QLocale("de_DE"));
    QLocale::setDefault(QLocale::system());
    std::set<QString> products;
    for (const DatalogRecord& r : document.records) products.insert(r.product);
    ASSERT_GT(products.size(), 5u);
    for (const QString& product : products) EXPECT_TRUE(text.out.contains(product)) << product.toStdString();

    // A report that cannot be written leaves nothing behind and says why.
    const Ran refused = tr8kz({"datalog", "report", capturePath(), dir.filePath("no/such/folder/r.pdf"), "--delimiter", "comma"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("no/such/folder/r.pdf")) << refused.err.toStdString();
}

TEST_F(ViewerCommands, InstalledTr8kzRunsTheReportProgramFromItsLibFolder)
{
    QProcessEnvironment staging = env;
    staging.insert("DESTDIR", dir.filePath("stage"));
    const Ran install = RunProgram(TR8KZ_CMAKE_COMMAND, {"--install", TR8KZ_BUILD_DIR, "--prefix", "/usr", "--component", "cli"},
                            staging);
    ASSERT_EQ(install.code, 0) << install.err.toStdString();
    const QString installed = dir.filePath("stage/usr/bin/tr8kz");
    ASSERT_TRUE(QFileInfo(dir.filePath("stage/usr/lib/tr8kz/tr8kz-report")).isExecutable());
    const QString pdf = dir.filePath("installed.pdf");
    const Ran report = RunProgram(installed, {"datalog", "report", capturePath(), pdf, "--delimiter", "comma"}, env);
    EXPECT_EQ(report.code, 0) << report.err.toStdString();
    EXPECT_TRUE(QFileInfo(pdf).size() > 1000);
}

}  // namespace
