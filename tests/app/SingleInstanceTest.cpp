// The single-instance lock: another instance of the same user stops a start,
// nothing else does (a folder where no lock can be made, a lock left by a
// crashed instance).
#include "SingleInstance.h"
#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

TEST(SingleInstance, OnlyALiveInstanceOfTheSameUserStopsAStartAndTheRuntimeFolderComesFirst)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_TRUE(SingleInstance::LockFileName().contains(QString::number(getuid())))
        << "keyed on the user id, not on a variable";
    {
        SingleInstance first(folder.path()), second(folder.path());
        EXPECT_TRUE(first.Acquire() && first.Problem().isEmpty());
        EXPECT_FALSE(second.Acquire()) << "a live instance holds the lock";
        EXPECT_TRUE(second.Problem().isEmpty());
    }
    EXPECT_TRUE(SingleInstance(folder.path()).Acquire()) << "after the first ended";

    // A crashed instance's lock in QLockFile's own layout (process id, program
    // name, host name); a process id above the kernel's limit (4194304) never runs.
    WriteWhole(QDir(folder.path()).filePath(SingleInstance::LockFileName()), "4194305\ntr8kz-utility\n\n");
    SingleInstance stale(folder.path()), nowhere(QStringLiteral("/dev/null/not-a-folder"));
    EXPECT_TRUE(stale.Acquire() && stale.Problem().isEmpty()) << qPrintable(stale.Problem());
    EXPECT_TRUE(nowhere.Acquire() && !nowhere.Problem().isEmpty()) << "a folder that cannot hold a file";

    // The runtime folder comes before the temp folder.
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    EXPECT_EQ(SingleInstance::RuntimeFolder(), folder.path());
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(SingleInstance::RuntimeFolder(), QDir::tempPath());
    if (!saved.isEmpty()) qputenv("XDG_RUNTIME_DIR", saved);
}
