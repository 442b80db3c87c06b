// tr8kz-icons OUTDIR: draws the program's icon (the one its windows carry)
// as PNG files OUTDIR/NxN/apps/tr8kz-utility.png, the layout of the desktop's
// icon theme folders. Run by the build; needs no display.

#include "ProgramArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: tr8kz-icons OUTDIR\n");
        return 2;
    }
    const QDir out(arguments[1]);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QStringLiteral("/tr8kz-utility.png"));
        const QPixmap picture = ProgramIcon().pixmap(size, size);
        if (!out.mkpath(folder) || picture.size() != QSize(size, size) || !picture.save(file, "PNG")) {
            std::fprintf(stderr, "tr8kz-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
