#include "SafeFileWriter.h"

#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

[[noreturn]] void refuse(const QString& fileName, const QString& reason)
{
    throw AppError(ErrorNumber::FileAccess,
                   QStringLiteral("Cannot write the file %1: %2").arg(QDir::toNativeSeparators(fileName), reason));
}

// The system's reason for the last failure: Qt's text of it, or, where Qt has
// none ("Unknown error" after a failed flush or rename), the text of errno.
QString systemReason(const QFileDevice& file, int savedErrno)
{
    const QString qtReason = file.errorString();
    if (!qtReason.isEmpty() && qtReason != QLatin1String("Unknown error")) return qtReason;
    if (savedErrno != 0) return QString::fromLocal8Bit(std::strerror(savedErrno));
    return qtReason;
}

}  // namespace

void CheckTargetFile(const QString& fileName)
{
    const QFileInfo target(fileName);
    const QString folder = QDir::toNativeSeparators(target.absolutePath());
    if (target.exists() && !target.isFile())
        refuse(fileName, target.isDir() ? QStringLiteral("it is a folder")
                                        : QStringLiteral("it is not a regular file (a device or a FIFO), so it "
                                                         "cannot be replaced safely"));
    const QFileInfo parent(target.absolutePath());
    if (!parent.isDir()) refuse(fileName, QStringLiteral("the folder %1 does not exist").arg(folder));
    if (!parent.isWritable())
        refuse(fileName, QStringLiteral("the folder %1 does not let a new file be made in it (the file is written "
                                        "beside its old version and then takes its place)")
                             .arg(folder));
}

void CopyFileReplacing(const QString& source, const QString& target)
{
    // The whole source is read first: an unreadable source is told before the
    // target is checked or anything is made beside it.
    QFile input(source);
    const auto unreadable = [&] {
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(source), input.errorString()));
    };
    if (!input.open(QIODevice::ReadOnly)) unreadable();
    const QByteArray content = input.readAll();
    if (input.error() != QFileDevice::NoError) unreadable();
    input.close();
    SafeFileWriter::WriteAll(target, content);
}

SafeFileWriter::SafeFileWriter(const QString& fileName) : fileName_(fileName), file_(fileName)
{
    CheckTargetFile(fileName_);
    // Never in place: an earlier file would be lost to a failed write.
    file_.setDirectWriteFallback(false);
    // Unbuffered: this writer's callers buffer, and each write reports its own
    // failure with the system's reason instead of a later flush.
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QString reason = systemReason(file_, errno);
        refuse(fileName_, QStringLiteral("no new file can be made in the folder %1: %2")
                              .arg(QDir::toNativeSeparators(QFileInfo(fileName_).absolutePath()), reason));
    }
}

SafeFileWriter::~SafeFileWriter()
{
    if (!committed_) file_.cancelWriting();
}

void SafeFileWriter::fail(const QString& what, const QString& reason)
{
    file_.cancelWriting();
    throw AppError(ErrorNumber::FileAccess,
                   QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(fileName_), reason));
}

void SafeFileWriter::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 written = file_.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) fail(QStringLiteral("Cannot write to the file"), systemReason(file_, errno));
        done += written;
    }
}

void SafeFileWriter::WriteAll(const QString& fileName, const QByteArray& bytes)
{
    SafeFileWriter file(fileName);
    file.write(bytes);
    file.commit();
}

void SafeFileWriter::commit()
{
#ifdef Q_OS_UNIX
    // A disk that accepted the writes into its cache may still refuse them
    // when they go to the disk itself; that is known only here (QSaveFile
    // syncs too, but does not report a failure). The data and the size are
    // what the file's contents need; fdatasync spares the disk the times.
    errno = 0;
#if defined(_POSIX_SYNCHRONIZED_IO) && _POSIX_SYNCHRONIZED_IO > 0
    const int synced = ::fdatasync(file_.handle());
#else
    const int synced = ::fsync(file_.handle());
#endif
    if (synced != 0 && errno != EINVAL && errno != EROFS)
        fail(QStringLiteral("Cannot save the file"), QString::fromLocal8Bit(std::strerror(errno)));
#endif
    errno = 0;
    if (!file_.commit()) fail(QStringLiteral("Cannot save the file"), systemReason(file_, errno));
    committed_ = true;
}
