#include "OpenWindows.h"

#include "frmAbout.h"
#include "frmBitmap.h"
#include "frmCapture.h"
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

void UploadDatalog(const QString& sFileName) { frmCapture::instance().UploadDatalog(sFileName); }

void ConvertDatalog(const QString& sSource, const QString& sFileName)
{
    frmCapture::instance().ConvertDatalog(sSource, sFileName);
}

void UploadSetups(const QString& sFileName) { frmCapture::instance().UploadSetups(sFileName); }

void DownloadSetups(const QString& sFileName) { frmCapture::instance().DownloadSetups(sFileName); }

}  // namespace OpenWindows
