#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

QString SingleInstance::RuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
    return QDir::tempPath();
}

QString SingleInstance::LockFileName()
{
#ifdef Q_OS_UNIX
    const QString user = QString::number(::getuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
#endif
    return QStringLiteral("tr8kz-utility-%1.lock").arg(user);
}

SingleInstance::SingleInstance(const QString& folder)
    : path_(QDir(folder).filePath(LockFileName())), lock_(path_)
{
    // Stale only when its process is gone: a long-running instance keeps it.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::Acquire()
{
    if (lock_.tryLock(0)) return true;
    if (lock_.error() == QLockFile::LockFailedError) return false;
    problem_ = QStringLiteral("Could not create the single-instance lock %1 (%2); starting anyway")
                   .arg(QDir::toNativeSeparators(path_),
                        lock_.error() == QLockFile::PermissionError ? QStringLiteral("no permission") : QStringLiteral("unknown error"));
    std::fprintf(stderr, "tr8kz-utility: %s\n", qPrintable(problem_));
    return true;
}
