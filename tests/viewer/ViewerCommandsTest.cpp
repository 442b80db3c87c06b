// tr8kz datalog summary and datalog report, run as a script runs them, on a
// capture of the simulated instrument whose product names hold the
// delimiter: the CSV agrees with the engine's own reading, and the PDF,
// read back by poppler's pdftotext, names every product.
#include "DatalogFileReader.h"
#include "TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

// The numbers' forms and the quoting are the engine's (ViewerStatistics);
// here every record of a capture in decimal commas read through the options.
TEST(ViewerCommands, SummaryAsCsvAndAsTableAndAReportNamingEveryProduct)
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    env.insert("LC_ALL", "de_DE.UTF-8");  // decimal commas in the capture
    // No display: tr8kz-report must choose offscreen itself.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    const auto tr8kz = [&](const QStringList& arguments) { return RunProgram(TR8KZ_CLI_EXECUTABLE, arguments, env); };
    const QString capture = dir.filePath("capture.txt");
    const Ran captured = tr8kz({"--simulator", "--delimiter", "comma", "datalog", "capture", capture});
    ASSERT_EQ(captured.code, 0) << captured.err.toStdString();

    const Ran csv = tr8kz({"datalog", "summary", capture, "--delimiter", "comma", "--csv"});
    ASSERT_TRUE(csv.code == 0 && csv.err.isEmpty()) << csv.err.toStdString();
    const QStringList lines = csv.out.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], "product,setup,records,samples,mean,sd,min,max");
    // The simulated plant's first product holds a comma and a semicolon.
    EXPECT_GE(lines.indexOf(QRegularExpression("^\"RED ENAMEL, GLOSS; LINE 2\",1,\\d+,\\d+,[-0-9.]+,.*$")), 0)
        << csv.out.toStdString();
    int records = 0;
    for (const QString& line : lines.mid(1)) records += line.section(',', -6, -6).toInt();
    EXPECT_EQ(records, 120);

    const Ran table = tr8kz({"datalog", "summary", capture, "--delimiter", "comma"});
    EXPECT_TRUE(table.code == 0 && table.out.startsWith("product ")) << table.out.toStdString();
    EXPECT_EQ(table.out.split('\n', Qt::SkipEmptyParts).size(), lines.size());

    // Read with the wrong delimiter, every line is listed as unreadable.
    const Ran wrong = tr8kz({"datalog", "summary", capture, "--delimiter", "tab", "--csv"});
    EXPECT_TRUE(wrong.code == 0 && wrong.err.contains("line 120 cannot be read")) << wrong.err.toStdString();
    EXPECT_EQ(wrong.out, "product,setup,records,samples,mean,sd,min,max\r\n");

    const QString pdf = dir.filePath("report.pdf");
    const Ran report = tr8kz({"datalog", "report", capture, pdf, "--delimiter", "comma"});
    ASSERT_EQ(report.code, 0) << report.err.toStdString();
    const Ran text = RunProgram("pdftotext", {"-layout", pdf, "-"}, env);
    ASSERT_EQ(text.code, 0) << text.err.toStdString();
    EXPECT_TRUE(text.out.contains("Datalog Report") && text.out.contains("Records: 120"));
    QLocale::setDefault(QLocale("de_DE"));
    const DatalogDocument document = DatalogFileReader::Read(capture, ",", QLocale("de_DE"));
    QLocale::setDefault(QLocale::system());
    std::set<QString> products;
    for (const DatalogRecord& r : document.records) products.insert(r.product);
    ASSERT_GT(products.size(), 5u);
    for (const QString& product : products) EXPECT_TRUE(text.out.contains(product)) << product.toStdString();

    // A report that cannot be written leaves nothing behind and says why.
    const Ran refused = tr8kz({"datalog", "report", capture, dir.filePath("no/such/folder/r.pdf"), "--delimiter", "comma"});
    EXPECT_TRUE(refused.code == 1 && refused.err.contains("no/such/folder/r.pdf")) << refused.err.toStdString();
}
