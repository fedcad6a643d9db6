#include "app/mainwindow.h"

#include "app/linepanemodel.h"
#include "core/rundriver.h"
#include "core/simstate.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The window geometry lives in a store of its own, apart from the recent-file list.
const QString kGeometryOrganization = QStringLiteral("Brelloc");
const QString kGeometryApplication = QStringLiteral("Tessivane");

// A list pane of a run: rows can be very many, so all rows share one height, and
// nothing in a pane can be selected or edited.
QListView *makePane(LinePaneModel *model, QWidget *parent)
{
    auto *view = new QListView(parent);
    view->setModel(model);
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

QGroupBox *boxAround(const QString &title, QWidget *content, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

MainWindow::MainWindow() : state(std::make_unique<SimState>(this))
{
    createPanes();
    createCentralWidget();
    createFileActions();
    createEditActions();
    createOtherActions();
    createMenus();
    createToolBars();
    statusBar()->showMessage(tr("Ready"));
    readSettings();
    connect(textEdit->document(), &QTextDocument::contentsChanged,
            this, &MainWindow::documentWasModified);
    setCurrentFile(QString());
    // "[*]" is not shown: it is where the window system puts its unsaved-changes mark.
    setWindowTitle(tr("Simulador de circuitos digitales para diagramas ASM") + QStringLiteral("[*]"));
    setUnifiedTitleAndToolBarOnMac(true);
}

// Defined here, where SimState is complete.
MainWindow::~MainWindow() = default;

void MainWindow::createPanes()
{
    textEdit = new QPlainTextEdit(this);
    outputLines = new LinePaneModel(this);
    processLines = new LinePaneModel(this);
    outputView = makePane(outputLines, this);
    processView = makePane(processLines, this);
}

void MainWindow::createCentralWidget()
{
    auto *central = new QWidget(this);
    editorBox = boxAround(tr("Ventana de edicion del archivo .vdo"), textEdit, central);
    outputBox = boxAround(tr("Ventana de salida del archivo tras la simulación"), outputView, central);
    processBox = boxAround(tr("Ventana con el proceso de la simulación"), processView, central);
    // Row 0 is left empty on purpose; the three boxes stack below it.
    auto *grid = new QGridLayout(central);
    grid->addWidget(editorBox, 1, 0);
    grid->addWidget(outputBox, 2, 0);
    grid->addWidget(processBox, 3, 0);
    setCentralWidget(central);
}

QAction *MainWindow::makeAction(const char *name, const QString &text, const QString &statusTip,
                                const QString &icon)
{
    auto *act = icon.isEmpty() ? new QAction(text, this) : new QAction(QIcon(icon), text, this);
    act->setObjectName(QLatin1String(name));
    act->setStatusTip(statusTip);
    return act;
}

void MainWindow::createFileActions()
{
    newAct = makeAction("newAct", tr("&New"), tr("Crear un archivo nuevo"), QStringLiteral(":/images/new.png"));
    newAct->setShortcuts(QKeySequence::New);
    connect(newAct, &QAction::triggered, this, &MainWindow::newFile);

    openAct = makeAction("openAct", tr("&Open..."), tr("Abrir un archivo existente"), QStringLiteral(":/images/open.png"));
    openAct->setShortcuts(QKeySequence::Open);
    connect(openAct, &QAction::triggered, this, &MainWindow::open);

    saveAct = makeAction("saveAct", tr("&Save"), tr("Guardar el archivo en el disco"), QStringLiteral(":/images/save.png"));
    saveAct->setShortcuts(QKeySequence::Save);
    connect(saveAct, &QAction::triggered, this, &MainWindow::save);

    saveAsAct = makeAction("saveAsAct", tr("Save &As..."), tr("Guardar archivo como..."));
    saveAsAct->setShortcuts(QKeySequence::SaveAs);
    connect(saveAsAct, &QAction::triggered, this, &MainWindow::saveAs);

    createRecentFileActions();

    exitAct = makeAction("exitAct", tr("E&xit"), tr("Salir de la aplicacion"));
    // Some platforms bind no key to the standard Quit; Ctrl+Q is what users expect there.
    if (QKeySequence::keyBindings(QKeySequence::Quit).isEmpty())
        exitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    else
        exitAct->setShortcuts(QKeySequence::Quit);
    connect(exitAct, &QAction::triggered, this, &QWidget::close);
}

// The entries stay hidden until the recent-file list gives them a file.
void MainWindow::createRecentFileActions()
{
    for (int i = 0; i < MaxRecentFiles; ++i) {
        QAction *act = new QAction(this);
        act->setObjectName(QStringLiteral("recentFileAct%1").arg(i + 1));
        act->setVisible(false);
        connect(act, &QAction::triggered, this, &MainWindow::openRecentFile);
        recentFileActs[i] = act;
    }
}

void MainWindow::createEditActions()
{
    cutAct = makeAction("cutAct", tr("Cu&t"), tr("Cortar texto seleccionado"), QStringLiteral(":/images/cut.png"));
    cutAct->setShortcuts(QKeySequence::Cut);
    connect(cutAct, &QAction::triggered, textEdit, &QPlainTextEdit::cut);

    copyAct = makeAction("copyAct", tr("&Copy"), tr("Copiar el texto seleccionado"), QStringLiteral(":/images/copy.png"));
    copyAct->setShortcuts(QKeySequence::Copy);
    connect(copyAct, &QAction::triggered, textEdit, &QPlainTextEdit::copy);

    pasteAct = makeAction("pasteAct", tr("&Paste"), tr("Pegar"), QStringLiteral(":/images/paste.png"));
    pasteAct->setShortcuts(QKeySequence::Paste);
    connect(pasteAct, &QAction::triggered, textEdit, &QPlainTextEdit::paste);

    // Cut and Copy only make sense while text is selected.
    cutAct->setEnabled(false);
    copyAct->setEnabled(false);
    connect(textEdit, &QPlainTextEdit::copyAvailable, cutAct, &QAction::setEnabled);
    connect(textEdit, &QPlainTextEdit::copyAvailable, copyAct, &QAction::setEnabled);
}

void MainWindow::createOtherActions()
{
    runAct = makeAction("runAct", tr("Run"), tr("Ejecuta el simulador"));
    connect(runAct, &QAction::triggered, this, &MainWindow::run);

    aboutAct = makeAction("aboutAct", tr("&About"), tr("Muestra la informacion acerca de la aplicacion"));
    connect(aboutAct, &QAction::triggered, this, &MainWindow::about);

    aboutQtAct = makeAction("aboutQtAct", tr("About &Qt"), tr("Show the Qt library's About box"));
    connect(aboutQtAct, &QAction::triggered, qApp, &QApplication::aboutQt);
}

void MainWindow::createMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addActions({newAct, openAct, saveAct, saveAsAct});
    separatorAct = fileMenu->addSeparator();
    separatorAct->setObjectName(QStringLiteral("recentFileSeparator"));
    for (QAction *act : recentFileActs)
        fileMenu->addAction(act);
    fileMenu->addSeparator();
    fileMenu->addAction(exitAct);
    updateRecentFileActions();

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addActions({cutAct, copyAct, pasteAct});

    menuBar()->addSeparator();

    simulatorMenu = menuBar()->addMenu(tr("&Simulator"));
    simulatorMenu->addAction(runAct);
    simulatorMenu->addSeparator();

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addActions({aboutAct, aboutQtAct});
}

void MainWindow::createToolBars()
{
    fileToolBar = addToolBar(tr("File"));
    fileToolBar->setObjectName(QStringLiteral("fileToolBar"));
    fileToolBar->addActions({newAct, openAct, saveAct});

    editToolBar = addToolBar(tr("Edit"));
    editToolBar->setObjectName(QStringLiteral("editToolBar"));
    editToolBar->addActions({cutAct, copyAct, pasteAct});

    simulatorToolBar = addToolBar(tr("Simulator"));
    simulatorToolBar->setObjectName(QStringLiteral("simulatorToolBar"));
    simulatorToolBar->addAction(runAct);
}

QAction *MainWindow::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void MainWindow::readSettings()
{
    const QSettings settings(kGeometryOrganization, kGeometryApplication);
    const QPoint pos = settings.value(QStringLiteral("pos"), QPoint(200, 200)).toPoint();
    const QSize size = settings.value(QStringLiteral("size"), QSize(400, 400)).toSize();
    resize(size);
    move(pos);
}

void MainWindow::writeSettings()
{
    QSettings settings(kGeometryOrganization, kGeometryApplication);
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("size"), size());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (maybeSave()) {
        writeSettings();
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::about()
{
    QMessageBox::about(this, tr("About Application"),
                       tr("Simulador de circuitos digitales integrable en un compilador de diagramas ASM . "
                          "La aplicacion se encarga de mostrar un archivo .vdo, analizarlo y mostrar su "
                          "procesamiento de validación y el archivo LOG de salida que muestra si hay "
                          "errores o no en el archivo .vdo"));
}

void MainWindow::documentWasModified()
{
    setWindowModified(textEdit->document()->isModified());
}

// Run simulates the saved file named by the current document, never the editor's text.
void MainWindow::run()
{
    QMessageBox box(this);
    if (curFile.isEmpty()) {
        box.setText(tr("No hay ningun archivo seleccionado"));
        box.exec();
        statusBar()->showMessage(tr("No hay ningun archivo seleccionado"));
        return;
    }
    box.setText(tr("Simulando el archivo."));
    box.exec();
    statusBar()->showMessage(tr("Simulando el archivo"));
    runSimulation(*state, curFile);
    // The panes must be complete when the slot returns, not at the next event-loop turn.
    outputLines->flush();
    processLines->flush();
}

void MainWindow::clearOutputPane()
{
    outputLines->clear();
}

void MainWindow::clearProcessPane()
{
    processLines->clear();
}

void MainWindow::appendToOutputPane(const QStringList &lines)
{
    outputLines->appendItems(lines);
}

void MainWindow::appendToProcessPane(const QStringList &lines)
{
    processLines->appendItems(lines);
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}
