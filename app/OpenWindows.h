#pragma once
// The windows that the main window's menus open, in one place so that the
// main window needs no knowledge of how each is built.

#include "Preferences.h"

#include <QString>

namespace OpenWindows {

// The preferences dialog on the main window's copies of the choice.
void Preferences(DelimiterChoice& mainWindowCopies);
void EditProductSetup();
void Identification();
void SetDateAndTime();
void CaptureScreen();
void About();

// Long operations in the progress window.
void UploadDatalog(const QString& sFileName);
void ConvertDatalog(const QString& sSource, const QString& sFileName);
void UploadSetups(const QString& sFileName);
// The restore, then the offer to read the setups back and compare them with
// the file; the differences window shows the result.
void DownloadSetups(const QString& sFileName);
// The instrument's setups read and compared with the archive file, then the
// differences window.
void CompareSetups(const QString& sFileName);

}  // namespace OpenWindows
