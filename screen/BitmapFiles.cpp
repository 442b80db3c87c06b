#include "BitmapFiles.h"

#include "AppError.h"

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

}  // namespace ScreenCapture
