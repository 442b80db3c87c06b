#pragma once
// The temporary bitmap of a screen capture, which the window shows; the copy
// that the operator saves is made from it by CopyFileReplacing (SafeFileWriter.h).

#include <QByteArray>
#include <QString>

namespace ScreenCapture {

// Writes the image to a new file named "BMP", six unique characters and
// ".bmp" in the folder, and returns its full name. The file stays until the
// caller removes it. Raises AppError (file access) when no file can be made
// or written; a file that was made but not completely written is removed.
QString WriteTemporaryBitmap(const QString& folder, const QByteArray& image);

}  // namespace ScreenCapture
