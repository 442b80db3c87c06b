#include "UtilityOptions.h"

#include "DriverSelection.h"
#include "Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstring>
#include <memory>
#include <vector>

namespace UtilityOptions {

void Add(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QStringLiteral("TR8 KZ Utility"));
    parser.addHelpOption();
    parser.addVersionOption();
    DriverSelection::AddOptions(parser);
}

namespace {

enum class Request { None, Information, QtOptions };

Request request(int argc, char** argv)
{
    Request found = Request::None;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--") == 0) break;
        if (std::strcmp(argument, "--help-all") == 0) return Request::QtOptions;
        for (const char* word : {"-h", "-?", "--help", "-v", "--version"})
            if (std::strcmp(argument, word) == 0) found = Request::Information;
    }
    return found;
}

}  // namespace

void AnswerWithoutDisplay(int argc, char** argv)
{
    const Request asked = request(argc, argv);
    if (asked == Request::None) return;

    // --help-all lists the window system's options too, which only a GUI
    // application knows: one on the platform that needs no display (no
    // window opens). The rest needs no more than the core.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (asked == Request::QtOptions) qputenv("QT_QPA_PLATFORM", "offscreen");
    {
        // Qt takes its own options out of the list it is given: a copy, so
        // that the program's application still gets them.
        std::vector<char*> arguments(argv, argv + argc + 1);
        int count = argc;
        const std::unique_ptr<QCoreApplication> application =
            asked == Request::QtOptions ? std::make_unique<QApplication>(count, arguments.data())
                                        : std::make_unique<QCoreApplication>(count, arguments.data());
        QCoreApplication::setApplicationName(QStringLiteral("tr8kz-utility"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TR8KZ_VERSION_TEXT));
        QCommandLineParser parser;
        Add(parser);
        parser.process(*application);  // ends the program on help, version or a mistake
    }
    // The word was the value of an option ("--trace -v"): start as asked.
    if (platform.isNull())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", platform);
}

}  // namespace UtilityOptions
