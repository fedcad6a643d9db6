// asmsim: the simulator's window program.

#include "app/mainwindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The icons live in the window library; make sure its resources are registered.
    Q_INIT_RESOURCE(icons);

    QApplication app(argc, argv);
    // The identity of the settings store that keeps the recent-file list.
    QCoreApplication::setOrganizationName(QStringLiteral("Brelloc"));
    QCoreApplication::setApplicationName(QStringLiteral("Simulador de circuitos digitales"));

    MainWindow window;
    window.show();
    return app.exec();
}
