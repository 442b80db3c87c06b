// tr8kz-qt-floor: a Qt program that does nothing: its whole run is what
// loading Qt and making the application object cost, the floor under every
// whole-process figure of a Qt program.
//
//   tr8kz-qt-floor [DEVICE]
//
// With a DEVICE it also opens and closes that serial port with QSerialPort,
// whose lock file (written and synced to disk before the port opens) is part
// of every run of a program that talks to the instrument.
#include <QCoreApplication>
#include <QSerialPort>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) return 0;
    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "tr8kz-qt-floor: %s: %s\n", argv[1], qPrintable(port.errorString()));
        return 1;
    }
    port.close();
    return 0;
}
