// screen: what the screen capture window does, its picture saved at once.
#include "CommandContext.h"
#include "Commands.h"

#include "AppError.h"
#include "BitmapFiles.h"
#include "CliFailure.h"
#include "DisplayRead.h"
#include "Environment.h"
#include "SafeFileWriter.h"
#include "ScreenBitmap.h"

#include <QDir>
#include <QFile>

namespace CliCommands {

int CaptureScreen(CommandContext& context)
{
    const QString file = context.Arguments().at(0);
    CheckTargetFile(file);  // before the instrument is asked anything
    InstrumentSession& session = context.Instrument();
    const QByteArray image = ScreenBitmap::FileImage(ScreenCapture::ReadDisplay(session.exchange()));

    // The window's way: the picture goes to a temporary bitmap, which Save
    // copies to the chosen file.
    const QString temporary = ScreenCapture::WriteTemporaryBitmap(QDir::tempPath(), image);
    struct RemoveOnExit {
        QString name;
        ~RemoveOnExit() { QFile::remove(name); }
    } removal{temporary};
    try {
        CopyFileReplacing(temporary, file);
    } catch (const AppError& error) {
        // The window's words for a picture it could not save.
        Env().ShowMessage(QStringLiteral("The picture could not be saved.\r\n\r\n%1").arg(error.description()),
                          MessageButtons::Ok, MessageIcon::Critical);
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

}  // namespace CliCommands
