// asmsim: the simulator's window program. `asmsim [FILE.vdo]` opens the window, with
// FILE in the editor when one is named.

#include "gui/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstring>

#ifndef ASMSIM_VERSION
#define ASMSIM_VERSION "0"
#endif

namespace {

void setIdentity()
{
    // The identity of the settings store that keeps the recent-file list.
    QCoreApplication::setOrganizationName(QStringLiteral("Brelloc"));
    QCoreApplication::setApplicationName(QStringLiteral("Simulador de circuitos digitales"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ASMSIM_VERSION));
}

void describeArguments(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Simulador de circuitos digitales para diagramas ASM"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("archivo"),
                                 QCoreApplication::translate("main", "El archivo .vdo que se abre en el editor."),
                                 QStringLiteral("[archivo.vdo]"));
}

// Help and version need no screen: they are answered before the window's toolkit starts.
bool asksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "-?", "-v", "--version", "--help-all"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        setIdentity();
        QCommandLineParser parser;
        describeArguments(parser);
        parser.process(app);  // prints the text and ends the program
        return 0;
    }

    // The icons live in the window library; make sure its resources are registered.
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(appicon);

    QApplication app(argc, argv);
    setIdentity();
    // The desktop matches the window to its entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("asmsim"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("asmsim"), QIcon(QStringLiteral(":/asmsim.png"))));
    QCommandLineParser parser;
    describeArguments(parser);
    // The toolkit has taken its own options out already; anything else unknown is
    // passed over rather than refused, as the window has no options of its own.
    parser.parse(QCoreApplication::arguments());

    MainWindow window;
    window.show();
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        window.openFile(QFileInfo(files.first()).absoluteFilePath());
    return app.exec();
}
