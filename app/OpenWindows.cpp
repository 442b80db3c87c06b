#include "OpenWindows.h"

#include "frmAbout.h"
#include "frmBitmap.h"
#include "frmConfig.h"
#include "frmDateTime.h"
#include "frmEditProduct.h"
#include "frmPreferences.h"
#include "frmUtility.h"

namespace OpenWindows {

void Preferences(DelimiterChoice& mainWindowCopies) { RunPreferencesCommand(mainWindowCopies, &frmUtility::instance()); }

void EditProductSetup() { frmEditProduct::instance().ShowModal(); }

void Identification() { ShowIdentification(&frmUtility::instance()); }

void SetDateAndTime() { ShowSetClock(&frmUtility::instance()); }

void CaptureScreen() { ShowScreenCapture(&frmUtility::instance()); }

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
