// Runs the screen capture window as the Sensor menu does, against the
// simulated instrument, and saves what it shows as a PNG, to look at the
// window as the operator will see it:
//   screen_capture_screenshot [output.png]     (default /tmp/tr8kz-screen-capture.png)
// Run under a real display (xvfb-run -a) or offscreen.

#include "ScriptedEnvironment.h"
#include "SimInstrument.h"
#include "SimulatorDriver.h"
#include "frmBitmap.h"
#include "frmUtility.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/tr8kz-screen-capture.png");

    ScriptedEnvironment env;
    auto instrument = std::make_shared<SimInstrument>(SimOptions{});
    frmUtility main(SimulatorFactory(instrument));
    main.Form_Load();

    int status = 1;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<frmBitmap*>(QApplication::activeModalWidget());
        if (!window) {
            std::fprintf(stderr, "the screen capture window is not shown\n");
            return;
        }
        if (!QTest::qWaitFor([&] { return !window->TemporaryFiles().isEmpty(); })) {
            std::fprintf(stderr, "the window was never activated: no picture\n");
        } else {
            QTest::qWait(200);  // let the window manager settle the frame
            if (window->grab().save(output)) {
                std::printf("%s\n", qPrintable(output));
                status = 0;
            } else {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
            }
        }
        window->reject();
    });
    ShowScreenCapture(&main);
    return env.messages.empty() ? status : 1;
}
