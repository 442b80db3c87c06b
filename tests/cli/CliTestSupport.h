#pragma once
// Running the built tr8kz and tr8kz-sim for the command-line tests: a run of
// tr8kz with its exit code and both outputs, and a simulated instrument on a
// pseudo-terminal that lives as long as the object.

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace clitest {

struct CliRun {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
    QString outText() const { return QString::fromLocal8Bit(out); }
    QString errText() const { return QString::fromLocal8Bit(err); }
};

// A folder of the test's own; tr8kz runs in it with a settings store of its
// own (nothing stored: the delimiter is a tab) unless the test writes one.
class Workspace {
public:
    Workspace();
    QString path(const QString& name) const { return dir_.filePath(name); }
    // Stores the delimiter preference as the utility stores it.
    void StoreDelimiter(const QString& storedText);
    QProcessEnvironment environment() const { return environment_; }
    void setVariable(const QString& name, const QString& value) { environment_.insert(name, value); }

    // Runs tr8kz with the arguments and waits for it to end.
    CliRun Run(const QStringList& arguments, int timeoutMs = 30000) const;
    // Starts tr8kz and returns at once.
    std::unique_ptr<QProcess> Start(const QStringList& arguments) const;

private:
    QTemporaryDir dir_;
    QProcessEnvironment environment_;
};

// tr8kz-sim on a pseudo-terminal; ended (SIGTERM) when the object goes.
class SimulatedInstrument {
public:
    explicit SimulatedInstrument(const QStringList& options = {});
    ~SimulatedInstrument();
    const QString& device() const { return device_; }
    // Ends it and waits; its standard error, for messages.
    QByteArray Stop();

private:
    QProcess process_;
    QString device_;
};

// The lines of a file split at CR LF; false (and the test fails) when a line
// ends otherwise or the file does not end with CR LF.
QList<QByteArray> CrLfLines(const QByteArray& bytes);
QByteArray ReadFile(const QString& fileName);

}  // namespace clitest
