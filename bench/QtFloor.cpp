// tr8kz-qt-floor: a Qt program that does nothing: its whole run is what
// loading Qt and making the application object cost, the floor under every
// whole-process figure of a Qt program.
#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return 0;
}
