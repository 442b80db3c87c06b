// The single-instance lock: another instance of the same user stops a start,
// nothing else does (a folder where no lock can be made, a lock left by a
// crashed instance).
#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
void writeLock(const QString& path, const QByteArray& pid)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // QLockFile's own layout: process id, program name, host name.
    file.write(pid + "\ntr8kz-utility\n\n");
}
}  // namespace

TEST(SingleInstance, OnlyALiveInstanceOfTheSameUserStopsAStart)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_TRUE(SingleInstance::LockFileName().contains(QString::number(getuid())))
        << "keyed on the user id, not on a variable";

    {
        SingleInstance first(folder.path());
        EXPECT_TRUE(first.Acquire());
        EXPECT_TRUE(first.Problem().isEmpty());
        SingleInstance second(folder.path());
        EXPECT_FALSE(second.Acquire()) << "a live instance holds the lock";
        EXPECT_TRUE(second.Problem().isEmpty());
    }
    SingleInstance afterFirstEnded(folder.path());
    EXPECT_TRUE(afterFirstEnded.Acquire());
}

TEST(SingleInstance, AStaleOrUncreatableLockDoesNotStopAStart)
{
    QTemporaryDir folder;
    struct Case {
        const char* name;
        QString folder;
        bool problem;
    };
    // A process id above the kernel's limit (4194304) never runs.
    writeLock(QDir(folder.path()).filePath(SingleInstance::LockFileName()), "4194305");
    const Case cases[] = {
        {"lock of a crashed instance", folder.path(), false},
        {"folder that cannot hold a file", QStringLiteral("/dev/null/not-a-folder"), true},
    };
    for (const Case& c : cases) {
        SingleInstance instance(c.folder);
        EXPECT_TRUE(instance.Acquire()) << c.name;
        EXPECT_EQ(!instance.Problem().isEmpty(), c.problem) << c.name << ": " << qPrintable(instance.Problem());
    }
}

TEST(SingleInstance, TheRuntimeFolderComesBeforeTheTempFolder)
{
    QTemporaryDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    EXPECT_EQ(SingleInstance::RuntimeFolder(), runtime.path());
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SingleInstance::RuntimeFolder(), QDir::tempPath());
    if (!saved.isEmpty()) qputenv("XDG_RUNTIME_DIR", saved);
}
