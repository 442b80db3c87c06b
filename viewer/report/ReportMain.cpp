// tr8kz-report FILE OUT.pdf [--delimiter D]: the Datalog Viewer's PDF report
// of a capture, stored or converted datalog file. Run by "tr8kz datalog
// report"; it draws on Qt's offscreen platform (a PDF needs no display).
// Exit codes: 0 written, 1 a file could not be read or written, 2 a wrong
// command line.

#include "AppError.h"
#include "DatalogFileReader.h"
#include "DatalogReport.h"
#include "Preferences.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

namespace {

void tell(const QString& text)
{
    std::fprintf(stderr, "tr8kz-report: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tr8kz-report"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Write the PDF report of a datalog file."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("delimiter"), QStringLiteral("Delimiter of the file: tab, comma or one character."),
                      QStringLiteral("tab|comma|C"), QStringLiteral("tab")});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The datalog file."));
    parser.addPositionalArgument(QStringLiteral("OUT.pdf"), QStringLiteral("The report to write (replaced when it exists)."));
    if (!parser.parse(QCoreApplication::arguments())) {
        tell(parser.errorText());
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2) {
        tell(QStringLiteral("needs FILE and OUT.pdf"));
        return 2;
    }
    const QString delimiter = Preferences::DelimiterNamed(parser.value(QStringLiteral("delimiter")));
    if (delimiter.isEmpty()) {
        tell(QStringLiteral("--delimiter takes tab, comma or one character, not \"%1\"")
                 .arg(parser.value(QStringLiteral("delimiter"))));
        return 2;
    }
    try {
        const DatalogDocument document = DatalogFileReader::Read(arguments[0], delimiter, QLocale());
        for (const UnreadableLine& line : document.unreadable) tell(UnreadableText(arguments[0], line));
        DatalogReport::Write(document, arguments[1]);
        return 0;
    } catch (const AppError& error) {
        tell(error.description());
        return 1;
    }
}
