#pragma once
// Writes a file the operator named in one piece and safely: the bytes go to a
// temporary file beside it, which replaces the named file only when all of
// them were written. Raises AppError (file access) naming the file and the
// system's reason; an earlier file of that name is then left as it was.

#include <QByteArray>
#include <QString>

void WriteWholeFile(const QString& fileName, const QByteArray& bytes);
