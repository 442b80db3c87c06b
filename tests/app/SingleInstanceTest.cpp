// The utility as a program: a second instance returns at once.
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SingleInstance, ASecondInstanceReturnsAtOnce)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", home.path());
    environment.insert("TMPDIR", home.path());

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(TR8KZ_UTILITY_EXE, {"--simulator"});
    ASSERT_TRUE(first.waitForStarted());
    // The first instance is up once it has taken its lock and opened the
    // simulated instrument; it then waits for the operator.
    EXPECT_FALSE(first.waitForFinished(1500)) << first.readAllStandardError().constData();

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(TR8KZ_UTILITY_EXE, {"--simulator"});
    EXPECT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    first.kill();
    first.waitForFinished();
}
