#pragma once
// The files of a screen capture: the temporary bitmap that the window shows,
// and the copy that the operator saves.

#include <QByteArray>
#include <QString>

namespace ScreenCapture {

// Writes the image to a new file named "BMP", six unique characters and
// ".bmp" in the folder, and returns its full name. The file stays until the
// caller removes it. Raises AppError (file access) when no file can be made
// or written; a file that was made but not completely written is removed.
QString WriteTemporaryBitmap(const QString& folder, const QByteArray& image);

// Copies the source file to the target, replacing any existing target. The
// copy is written beside the target and renamed over it only when complete
// (SafeFileWriter), so a failure leaves an earlier target as it was. Raises
// AppError (file access) naming the file and the reason; a target that is not
// a regular file is refused before anything is written.
void CopyFileReplacing(const QString& source, const QString& target);

}  // namespace ScreenCapture
