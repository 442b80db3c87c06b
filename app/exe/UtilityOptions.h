#pragma once
// The desktop utility's command line. --help, --help-all and --version are
// answered before the window system starts, so that they work without a
// display: a terminal on a server, and the build, which makes the manual
// page from them.

class QCommandLineParser;

namespace UtilityOptions {

// The description and every option of tr8kz-utility.
void Add(QCommandLineParser& parser);

// When the arguments ask for help or the version, writes the answer (or the
// parser's complaint about them) and ends the program, as
// QCommandLineParser::process does. Otherwise returns, having changed
// nothing, and the program starts.
void AnswerWithoutDisplay(int argc, char** argv);

}  // namespace UtilityOptions
