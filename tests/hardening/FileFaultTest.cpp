// Files the operator names that cannot take what is written: a device, a
// FIFO, a folder, a folder that lets no new file be made, a full disk. Each
// writer of the program (text files, the saved screen picture, the datalog
// viewer's PDF report) refuses or fails with the file and the system's
// reason, and an earlier file, or the device, is left as it was. Full disks and read-only folders are real
// (tmpfs mounts) where the machine lets the tests mount.
#include "DatalogCapture.h"
#include "DatalogReport.h"
#include "ProgressSink.h"
#include "RaisedError.h"
#include "SimDatalog.h"
#include "TestFiles.h"
#include "TextFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// What each writer writes: a megabyte, more than the full disk below holds.
const QByteArray Content = QByteArray(1 << 20, 'x');

const struct { const char* name; std::function<void(const QString& target)> write; } Writers[] = {
    {"text file",
     [](const QString& target) {
         TextFileWriter file(target);
         for (int i = 0; i < 1024; ++i) file.writeLine(Content.left(1022));
         file.commit();
     }},
    {"screen picture",
     [](const QString& target) {
         QTemporaryDir sourceFolder;
         const QString source = sourceFolder.filePath(QStringLiteral("picture.bmp"));
         WriteWhole(source, Content);
         CopyFileReplacing(source, target);
     }},
    {"datalog report",
     [](const QString& target) {
         // A page of charts a product: more than the full disk holds.
         DatalogDocument document;
         for (int i = 0; i < 40; ++i) {
             DatalogRecord& record = document.records.emplace_back();
             record.log = i + 1, record.product = QString::number(i), record.setup = 1;
         }
         DatalogReport::Write(document, target);
     }},
};

// The description of the FileAccess error the call raises.
QString errorText(const std::function<void()>& call)
{
    const AppError error = RaisedError(call);
    EXPECT_EQ(error.number(), ErrorNumber::FileAccess);
    return error.description();
}

// A tmpfs of the size mounted on the folder while the object lives, when the
// machine lets this process mount (root in a container that allows it).
struct SmallDisk {
    QString folder;
    bool mounted = false;
    SmallDisk(const QString& at, const QString& size) : folder(at)
    {
        QDir().mkpath(folder);
        mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", folder}) == 0;
    }
    ~SmallDisk() { if (mounted) QProcess::execute("umount", {folder}); }
};

TEST(FileFaults, TargetsThatAreNoRegularFileAreRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // A device: as root, a node of the full device of the test's own (root
    // could replace /dev/full itself were the refusal ever lost); else
    // /dev/full, which no other user can replace.
    QString device = dir.filePath("full");
    if (::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) device = "/dev/full";
    const struct { QString target; mode_t type; const char* reason; } targets[] = {
        {device, S_IFCHR, "it is not a regular file"},
        {fifo, S_IFIFO, "it is not a regular file"},
        {dir.path(), S_IFDIR, "it is a folder"},
        {dir.filePath("missing/file.txt"), 0, "the folder"},
    };
    for (const auto& writer : Writers) {
        for (const auto& t : targets) {
            SCOPED_TRACE(std::string(writer.name) + " to " + t.target.toStdString());
            // A FIFO without a reader would block an open for writing: the
            // refusal must come before any open.
            const QString text = errorText([&] { writer.write(t.target); });
            EXPECT_TRUE(text.startsWith("Cannot write the file " + QDir::toNativeSeparators(t.target) + ": ") &&
                        text.contains(QLatin1String(t.reason)))
                << qPrintable(text);
            struct stat status {};
            const bool exists = ::stat(QFile::encodeName(t.target).constData(), &status) == 0;
            EXPECT_EQ(exists ? (status.st_mode & S_IFMT) : 0, t.type) << "still what it was";
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System).filter(QStringLiteral("fifo")), QStringList{"fifo"})
            << "nothing left beside";
    }
}

TEST(FileFaults, AFullDiskIsAnErrorWithTheSystemsReasonAndKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("disk"), QStringLiteral("64k"));
    if (!disk.mounted) GTEST_SKIP() << "no tmpfs can be mounted here (needs root in a container that allows it)";
    const QString target = disk.folder + QStringLiteral("/target.txt");
    for (const auto& writer : Writers) {
        SCOPED_TRACE(writer.name);
        WriteWhole(target, "earlier file\r\n");
        const QString text = errorText([&] { writer.write(target); });
        EXPECT_TRUE(text.startsWith("Cannot write to the file " + target + ": No space left on device")) << qPrintable(text);
        EXPECT_EQ(ReadWhole(target), "earlier file\r\n");
        EXPECT_EQ(QDir(disk.folder).entryList(QDir::Files), QStringList{"target.txt"}) << "no temporary file left";
    }

    // A capture that fills the disk part-way keeps nothing and says why.
    const Exchange datalog = [](const QByteArray& command) {
        return "s" + EncodeDatalogReplyFields(SimDatalogRecord{}, command.mid(2).toInt(nullptr, 16));
    };
    SilentProgress progress;
    const QString text = errorText([&] { DatalogCapture::Run(datalog, 400, target, ",", progress, QLocale::c()); });
    EXPECT_TRUE(text.contains(QStringLiteral("No space left on device")) &&
                text.contains("None of the 400 records was saved (") && text.endsWith("an earlier file " + target + " is unchanged."))
        << qPrintable(text);
    EXPECT_EQ(ReadWhole(target), "earlier file\r\n");
}

TEST(FileFaults, AFolderThatTakesNoNewFileIsNamedAndTheEarlierFileKept)
{
    // The earlier file itself can be written; writing it in place would
    // lose it to a failure, so it is refused.
    QTemporaryDir dir;
    SmallDisk disk(dir.filePath("locked"), QStringLiteral("64k"));
    const QString folder = disk.folder;
    const QString target = folder + QStringLiteral("/target.txt");
    WriteWhole(target, "earlier file\r\n");
    ASSERT_TRUE(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    // Root writes into any folder whatever its permissions; a read-only
    // mount stops it.
    if (QFileInfo(folder).isWritable() && !(disk.mounted && QProcess::execute("mount", {"-o", "remount,ro", folder}) == 0))
        GTEST_SKIP() << "running as root without mounts: no folder here refuses a new file";
    for (const auto& writer : Writers) {
        SCOPED_TRACE(writer.name);
        const QString text = errorText([&] { writer.write(target); });
        EXPECT_TRUE(text.startsWith("Cannot write the file " + target + ": the folder " + folder)) << qPrintable(text);
        EXPECT_EQ(ReadWhole(target), "earlier file\r\n");
    }
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
