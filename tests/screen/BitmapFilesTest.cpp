#include "AppError.h"
#include "BitmapFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
    return file.readAll();
}

void writeFile(const QString& name, const QByteArray& content)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

TEST(BitmapFiles, TemporaryBitmapsAreNewFilesInTheFolder)
{
    QTemporaryDir dir;
    const QString first = ScreenCapture::WriteTemporaryBitmap(dir.path(), "first");
    const QString second = ScreenCapture::WriteTemporaryBitmap(dir.path(), "second");
    EXPECT_NE(first, second);
    for (const QString& name : {first, second}) {
        const QFileInfo info(name);
        EXPECT_EQ(info.absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
        EXPECT_TRUE(info.fileName().startsWith("BMP")) << name.toStdString();
        EXPECT_TRUE(info.fileName().endsWith(".bmp")) << name.toStdString();
    }
    EXPECT_EQ(readAll(first), "first");
    EXPECT_EQ(readAll(second), "second");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    try {
        ScreenCapture::WriteTemporaryBitmap(dir.filePath("missing/folder"), "x");
        FAIL() << "a file was made in a folder that does not exist";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileAccess);
    }
}

TEST(BitmapFiles, CopyReplacesAnExistingFileOnlyWhenItCanBeCompleted)
{
    QTemporaryDir dir;
    const QString source = dir.filePath("source.bmp");
    const QString target = dir.filePath("target.bmp");
    writeFile(source, "new picture");
    writeFile(target, "an older and longer picture");

    ScreenCapture::CopyFileReplacing(source, target);
    EXPECT_EQ(readAll(target), "new picture");
    EXPECT_EQ(readAll(source), "new picture");

    // The source is gone: the target keeps what it had.
    writeFile(target, "good picture");
    EXPECT_THROW(ScreenCapture::CopyFileReplacing(dir.filePath("gone.bmp"), target), AppError);
    EXPECT_EQ(readAll(target), "good picture");

    // A target that cannot be a file, and one in a missing folder.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.bmp"));
    try {
        ScreenCapture::CopyFileReplacing(source, dir.filePath("folder.bmp"));
        FAIL() << "copied over a folder";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileAccess);
        EXPECT_TRUE(error.description().contains("folder.bmp")) << error.description().toStdString();
    }
    EXPECT_THROW(ScreenCapture::CopyFileReplacing(source, dir.filePath("missing/target.bmp")), AppError);
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.bmp")).isDir());
}
