#include "WholeFile.h"

#include "AppError.h"

#include <QSaveFile>

void WriteWholeFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot create the file %1: %2").arg(fileName, file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot write to the file %1: %2").arg(fileName, reason));
    }
    if (!file.commit())
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot complete the file %1: %2").arg(fileName, file.errorString()));
}
