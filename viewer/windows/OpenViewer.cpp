#include "OpenViewer.h"

#include "DatalogCapture.h"
#include "Environment.h"
#include "MainWindowServices.h"
#include "frmCapture.h"
#include "frmDatalogViewer.h"
#include "modGlobals.h"

#include <QFile>

namespace OpenViewer {

namespace {
frmDatalogViewer& viewer()
{
    const bool first = !frmDatalogViewer::exists();
    frmDatalogViewer& window = frmDatalogViewer::instance();
    if (first) {
        // A window of the main window's: the program still ends when the
        // main window closes, and the viewer with it.
        if (MainWindowExists()) window.setParent(MainWindow().Window(), Qt::Window);
        modGlobals::ApplyFormIcon(&window);
    }
    return window;
}
}  // namespace

void ViewDatalogFile() { viewer().ChooseAndOpen(); }

void ViewInstrumentDatalog()
{
    MainWindowServices& main = MainWindow();
    const int16_t count = main.DatalogCount();
    if (count == 0) {
        Env().ShowMessage(DatalogCapture::EmptyText, MessageButtons::Ok, MessageIcon::Exclamation,
                          modGlobals::MainCaption);
        return;
    }
    frmDatalogViewer& window = viewer();
    const QString file = window.NewCaptureFileName();
    frmCapture::instance().CaptureDatalog(main.ReportingExchange(), count, file);
    // A failed capture was told by the progress window and left no file.
    if (QFile::exists(file)) window.ShowInstrumentCapture(file);
}

}  // namespace OpenViewer
