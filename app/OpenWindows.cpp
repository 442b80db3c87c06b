#include "OpenWindows.h"

#include "frmAbout.h"
#include "frmBitmap.h"
#include "frmCapture.h"
#include "frmConfig.h"
#include "frmDateTime.h"
#include "frmEditProduct.h"
#include "frmPreferences.h"
#include "frmSetupDifferences.h"
#include "frmUtility.h"

#include "Environment.h"

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

void DownloadSetups(const QString& sFileName)
{
    const SetupArchive::RestoreResult restored = frmCapture::instance().DownloadSetups(sFileName);
    if (restored.SetupsRestored == 0) return;
    const QString question =
        QStringLiteral("%1 product setups were restored. Read them back from the instrument and compare them with "
                       "the file?")
            .arg(restored.SetupsRestored);
    if (Env().ShowMessage(question, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    if (const auto comparison = frmCapture::instance().VerifyRestore(restored, sFileName))
        ShowSetupDifferences(*comparison, VerifyCaption, &frmUtility::instance());
}

void CompareSetups(const QString& sFileName)
{
    if (const auto comparison = frmCapture::instance().CompareSetups(sFileName))
        ShowSetupDifferences(*comparison, CompareCaption, &frmUtility::instance());
}

}  // namespace OpenWindows
