#include "OpenWindows.h"

#include "frmAbout.h"
#include "frmUtility.h"

namespace OpenWindows {

void Preferences() {}
void EditProductSetup() {}
void Identification() {}
void SetDateAndTime() {}
void CaptureScreen() {}

void About()
{
    frmAbout about(&frmUtility::instance());
    about.exec();
}

void UploadDatalog(const QString&) {}
void ConvertDatalog(const QString&, const QString&) {}
void UploadSetups(const QString&) {}
void DownloadSetups(const QString&) {}

}  // namespace OpenWindows
