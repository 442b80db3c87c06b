#pragma once
// The windows that the main window's menus open, in one place so that the
// main window needs no knowledge of how each is built.

#include <QString>

namespace OpenWindows {

// Preferences: runs the dialog on the main window's copy of the choice and
// returns whether anything could have changed.
void Preferences();
void EditProductSetup();
void Identification();
void SetDateAndTime();
void CaptureScreen();
void About();

// Long operations in the progress window.
void UploadDatalog(const QString& sFileName);
void ConvertDatalog(const QString& sSource, const QString& sFileName);
void UploadSetups(const QString& sFileName);
void DownloadSetups(const QString& sFileName);

}  // namespace OpenWindows
