// The installation: cmake --install of the command line's components into a
// staging folder, then the installed programs run from there.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

Finished run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Finished result;
    if (!process.waitForStarted(10000) || !process.waitForFinished(60000)) {
        ADD_FAILURE() << program.toStdString() << " did not run to its end";
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QString readText(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

TEST(CliInstall, InstalledProgramsRunAndTheUdevRuleNamesBothIdentities)
{
    QTemporaryDir stage;
    ASSERT_TRUE(stage.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), stage.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), stage.filePath(QStringLiteral("config")));
    for (const QString& component : {QStringLiteral("cli"), QStringLiteral("desktop"), QStringLiteral("udev")}) {
        const Finished install = run(QStringLiteral(TR8KZ_CMAKE_COMMAND),
                                     {QStringLiteral("--install"), QStringLiteral(TR8KZ_BUILD_DIR), QStringLiteral("--prefix"),
                                      QStringLiteral("/usr"), QStringLiteral("--component"), component},
                                     environment);
        ASSERT_EQ(install.exitCode, 0) << component.toStdString() << ": " << install.err.toStdString();
    }
    const QDir usr(stage.filePath(QStringLiteral("usr")));

    const QString tr8kz = usr.filePath(QStringLiteral("bin/tr8kz"));
    const Finished version = run(tr8kz, {QStringLiteral("--version")}, environment);
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^tr8kz \\d+\\.\\d+\\.\\d+\\n$")).match(version.out).hasMatch())
        << version.out.toStdString();
    const Finished identify = run(tr8kz, {QStringLiteral("identify"), QStringLiteral("--simulator")}, environment);
    EXPECT_EQ(identify.exitCode, 0) << identify.err.toStdString();
    EXPECT_TRUE(identify.out.startsWith(QStringLiteral("Instrument: TR8 KZ\n"))) << identify.out.toStdString();
    EXPECT_TRUE(QFileInfo(usr.filePath(QStringLiteral("bin/tr8kz-sim"))).isExecutable());

    // One rule per USB identity, each giving the seat's operator access.
    const QString rules = readText(usr.filePath(QStringLiteral("lib/udev/rules.d/60-tr8kz.rules")));
    for (const char* product : {"5c03", "5c7b"}) {
        const QRegularExpression rule(
            QStringLiteral("^SUBSYSTEM==\"tty\", ATTRS\\{idVendor\\}==\"1d89\", ATTRS\\{idProduct\\}==\"%1\",.*"
                           "TAG\\+=\"uaccess\"")
                .arg(QLatin1String(product)),
            QRegularExpression::MultilineOption);
        EXPECT_TRUE(rule.match(rules).hasMatch()) << product << " in:\n" << rules.toStdString();
    }
    EXPECT_TRUE(rules.contains(QStringLiteral("MODE=\"0660\", GROUP=\"dialout\"")));

    const QString desktop = readText(usr.filePath(QStringLiteral("share/applications/tr8kz-utility.desktop")));
    EXPECT_TRUE(desktop.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nExec=tr8kz-utility\n")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nIcon=tr8kz-utility\n")));
    for (const int size : {16, 48, 256}) {
        const QImage icon(usr.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/tr8kz-utility.png").arg(size)));
        ASSERT_EQ(icon.size(), QSize(size, size));
        // Drawn, not blank: the lens at the centre is opaque.
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size * 23 / 64)), 255) << size;
    }
}
