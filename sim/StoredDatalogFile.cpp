#include "StoredDatalogFile.h"

#include "AppError.h"
#include "SimInstrument.h"

#include <QSaveFile>

void WriteStoredDatalog(const SimInstrument& instrument, const QString& fileName)
{
    QByteArray text = instrument.IdentificationReply() + "\r\n";
    const auto& datalog = instrument.Datalog();
    for (size_t i = 0; i < datalog.size(); ++i)
        text += EncodeStoredDatalogLine(datalog[i], static_cast<int>(i)) + "\r\n";

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot write the datalog file %1: %2").arg(fileName, file.errorString()));
}
