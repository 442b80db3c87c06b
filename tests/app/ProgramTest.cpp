// The utility as a program: one instance at a time, and the top-level report
// of an error that nothing else caught.
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QProcessEnvironment isolatedEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", home.path());
    environment.insert("TMPDIR", home.path());
    environment.insert("XDG_RUNTIME_DIR", home.path());
    return environment;
}
}  // namespace

TEST(SingleInstance, ASecondInstanceReturnsAtOnce)
{
    QTemporaryDir home;
    const QProcessEnvironment environment = isolatedEnvironment(home);

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(TR8KZ_UTILITY_EXE, {"--simulator"});
    ASSERT_TRUE(first.waitForStarted());
    // The first instance is up once it has taken its lock and opened the
    // simulated instrument; it then waits for the operator.
    EXPECT_FALSE(first.waitForFinished(1500)) << first.readAllStandardError().constData();

    EXPECT_EQ(RunProgram(TR8KZ_UTILITY_EXE, {"--simulator"}, environment, 5000).code, 0);

    first.kill();
    first.waitForFinished();
}

TEST(TopLevelHandler, AnEscapedStartUpErrorIsReportedAsFatal)
{
    // The simulated instrument on a pseudo-terminal garbles its
    // identification: the error escapes start-up, where nothing catches it.
    QTemporaryDir home;
    QProcess sim;
    sim.start(TR8KZ_SIM_EXE, {"--fault", "#:1:garbled"});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const QString port = QString::fromLatin1(sim.readLine()).trimmed();

    QProcess utility;
    utility.setProcessEnvironment(isolatedEnvironment(home));
    utility.start(TR8KZ_UTILITY_EXE, {"--port", port});
    ASSERT_TRUE(utility.waitForStarted());
    QByteArray errors;
    for (int i = 0; i < 50 && !errors.contains("\n\n"); ++i) {
        utility.waitForReadyRead(100);
        errors += utility.readAllStandardError();
    }
    // The report goes to the error stream too, then waits in its message box.
    EXPECT_TRUE(errors.contains("Fatal Error #-2147213404\n\nExpected")) << errors.constData();
    utility.kill();
    utility.waitForFinished();
    sim.terminate();
    sim.waitForFinished();
}
