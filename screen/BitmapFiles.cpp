#include "BitmapFiles.h"

#include "AppError.h"
#include "SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace ScreenCapture {

namespace {

[[noreturn]] void fileError(const QString& what, const QString& fileName, const QString& reason)
{
    throw AppError(ErrorNumber::FileAccess,
                   QStringLiteral("%1 %2: %3").arg(what, QDir::toNativeSeparators(fileName), reason));
}

}  // namespace

QString WriteTemporaryBitmap(const QString& folder, const QByteArray& image)
{
    QTemporaryFile file(QDir(folder).filePath(QStringLiteral("BMPXXXXXX.bmp")));
    file.setAutoRemove(false);
    if (!file.open()) fileError(QStringLiteral("Cannot create a temporary file in"), folder, file.errorString());
    const QString name = file.fileName();
    if (file.write(image) != image.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        QFile::remove(name);
        fileError(QStringLiteral("Cannot write the temporary file"), name, reason);
    }
    file.close();
    return name;
}

void CopyFileReplacing(const QString& source, const QString& target)
{
    // The whole source is read first: nothing of the target is touched when
    // the source cannot be read.
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly)) fileError(QStringLiteral("Cannot read"), source, input.errorString());
    const QByteArray content = input.readAll();
    if (input.error() != QFileDevice::NoError) fileError(QStringLiteral("Cannot read"), source, input.errorString());
    input.close();

    SafeFileWriter output(target);
    output.write(content);
    output.commit();
}

}  // namespace ScreenCapture
