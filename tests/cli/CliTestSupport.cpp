#include "CliTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace clitest {

Workspace::Workspace() : environment_(QProcessEnvironment::systemEnvironment())
{
    // The operator's own settings are never read or written by a test.
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    environment_.remove(QStringLiteral("TR8KZ_PORT"));
    environment_.remove(QStringLiteral("TR8KZ_TIMEOUT_MS"));
}

void Workspace::StoreDelimiter(const QString& storedText)
{
    // Where QSettings keeps the store of the application "TR8KZ USW" under
    // the test's XDG_CONFIG_HOME.
    QDir().mkpath(dir_.filePath(QStringLiteral("config")));
    QFile file(dir_.filePath(QStringLiteral("config/TR8KZ USW.conf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Preferences]\nDelimiter=" + storedText.toUtf8() + "\n");
}

std::unique_ptr<QProcess> Workspace::Start(const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment_);
    process->setWorkingDirectory(dir_.path());
    process->start(QStringLiteral(TR8KZ_CLI_EXECUTABLE), arguments);
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
}

CliRun Workspace::Run(const QStringList& arguments, int timeoutMs) const
{
    std::unique_ptr<QProcess> process = Start(arguments);
    CliRun run;
    if (!process->waitForFinished(timeoutMs)) {
        ADD_FAILURE() << "tr8kz " << arguments.join(QLatin1Char(' ')).toStdString() << " did not finish";
        process->kill();
        process->waitForFinished();
    }
    run.crashed = process->exitStatus() != QProcess::NormalExit;
    run.exitCode = process->exitCode();
    run.out = process->readAllStandardOutput();
    run.err = process->readAllStandardError();
    return run;
}

SimulatedInstrument::SimulatedInstrument(const QStringList& options)
{
    process_.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE), options);
    if (!process_.waitForStarted(10000)) {
        ADD_FAILURE() << "tr8kz-sim did not start";
        return;
    }
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(10000)) {
            ADD_FAILURE() << "tr8kz-sim printed no device: " << process_.readAllStandardError().constData();
            return;
        }
    }
    device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

QByteArray SimulatedInstrument::Stop()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    return process_.readAllStandardError();
}

SimulatedInstrument::~SimulatedInstrument() { Stop(); }

QList<QByteArray> CrLfLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    if (bytes.isEmpty()) return lines;
    EXPECT_TRUE(bytes.endsWith("\r\n")) << "the file does not end with CR LF";
    lines = bytes.left(bytes.size() - 2).split('\n');
    for (QByteArray& line : lines) {
        if (&line != &lines.last()) {
            EXPECT_TRUE(line.endsWith('\r')) << "a line ends without CR: " << line.left(60).constData();
            line.chop(1);
        }
        EXPECT_FALSE(line.contains('\r')) << line.left(60).constData();
    }
    return lines;
}

QByteArray ReadFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

}  // namespace clitest
