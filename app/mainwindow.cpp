#include "app/mainwindow.h"

#include "app/codeeditor.h"
#include "app/findbar.h"
#include "app/linepanemodel.h"
#include "app/linepaneview.h"
#include "app/runverdict.h"
#include "app/sourcejump.h"
#include "app/summaryrows.h"
#include "app/verdictbar.h"
#include "app/waveformview.h"
#include "run/rundriver.h"
#include "run/collectresults.h"
#include "run/simstate.h"
#include "results/vcdexport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#ifndef ASMSIM_VERSION
#define ASMSIM_VERSION "0"
#endif

namespace {

// The window geometry lives in a store of its own, apart from the recent-file list.
const QString kGeometryOrganization = QStringLiteral("Brelloc");
const QString kGeometryApplication = QStringLiteral("Tessivane");
// Kept with the geometry: the sizes of the editor and the reports beside it, under the
// splitter's object name (a name of its own: the sizes kept when the editor sat above
// the reports do not fit side by side), the report in view and the tool bars.
const QString kMainSplitterKey = QStringLiteral("editorAndReports");
const QString kReportTabKey = QStringLiteral("reportInView");
const QString kWindowStateKey = QStringLiteral("windowState");
// Kept with the recent-file list: whether Run shows "Simulando el archivo." first.
const QString kShowSimulatingKey = QStringLiteral("showSimulatingMessage");

const QSize kFirstStartSize(1280, 860);
// Of the available area, a first start takes at most this much: the rest is left to the
// window's frame and title bar, which the area does not count.
constexpr int kFirstStartWidthPercent = 96;
constexpr int kFirstStartHeightPercent = 92;
constexpr int kJumpStatusTimeout = 5000;
// Splitter sizes given as shares: the splitter scales them to its width.
constexpr int kShareUnit = 1000;
// The editor takes two parts of the width, the reports three.
constexpr int kEditorStretch = 2;
constexpr int kReportsStretch = 3;

} // namespace

QRect firstStartGeometry(const QRect &available)
{
    if (available.isEmpty())
        return QRect(QPoint(0, 0), kFirstStartSize);
    const QSize size(qMin(kFirstStartSize.width(), available.width() * kFirstStartWidthPercent / 100),
                     qMin(kFirstStartSize.height(), available.height() * kFirstStartHeightPercent / 100));
    const QPoint topLeft(available.x() + (available.width() - size.width()) / 2,
                         available.y() + (available.height() - size.height()) / 2);
    return QRect(topLeft, size);
}

QString programName()
{
    return MainWindow::tr("Simulador de circuitos digitales para diagramas ASM");
}

MainWindow::MainWindow() : state(std::make_unique<SimState>(this)), results_(std::make_unique<RunResults>())
{
    createPanes();
    createCentralWidget();
    waveformView = new WaveformView(this);
    waveformView->setObjectName(QStringLiteral("waveformView"));
    wavesPage = addResultsPane(tr("Formas de onda"), waveformView);
    connect(waveformView, &WaveformView::cycleClicked, this, &MainWindow::showCycleInProcessPane);
    createWarningsPane();
    createFileActions();
    createEditActions();
    createOtherActions();
    createMenus();
    createToolBars();
    statusBar()->showMessage(tr("Listo"));
    readSettings();
    connect(textEdit->document(), &QTextDocument::contentsChanged,
            this, &MainWindow::documentWasModified);
    setCurrentFile(QString());
    setUnifiedTitleAndToolBarOnMac(true);
    // A .vdo file dropped anywhere on the window is opened, the editor included.
    setAcceptDrops(true);
    textEdit->viewport()->installEventFilter(this);
}

// Defined here, where SimState is complete.
MainWindow::~MainWindow() = default;

void MainWindow::createPanes()
{
    textEdit = new CodeEditor(this);
    outputLines = new LinePaneModel(this);
    processLines = new LinePaneModel(this);
    outputView = new LinePaneView(outputLines, this);
    processView = new LinePaneView(processLines, this);
    // Enter on a pane row, or a double click, goes to the file line or box it names.
    connect(outputView, &QAbstractItemView::activated, this, &MainWindow::jumpToSource);
    connect(processView, &QAbstractItemView::activated, this, &MainWindow::jumpToSource);

    editorFind = new FindBar(new EditorFindTarget(textEdit), this);
    outputFind = new FindBar(new PaneFindTarget(outputView, outputLines), this);
    processFind = new FindBar(new PaneFindTarget(processView, processLines), this);
}

QGroupBox *MainWindow::boxAround(const QString &title, QWidget *content, FindBar *findBar)
{
    auto *box = new QGroupBox(title, this);
    auto *layout = new QVBoxLayout(box);
    layout->addWidget(content);
    if (findBar)
        layout->addWidget(findBar);
    return box;
}

// A report's page: the view, and under it its find bar, if it has one.
QWidget *MainWindow::reportPage(const char *name, QWidget *content, FindBar *findBar)
{
    auto *page = new QWidget(this);
    page->setObjectName(QLatin1String(name));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(content);
    if (findBar)
        layout->addWidget(findBar);
    return page;
}

// The verdict above everything; below it the editor, and beside the editor the reports as
// tabs of one area, so that on a laptop screen each report gets the full height. The
// splitter keeps its sizes between program starts; neither side can be squeezed away.
void MainWindow::createCentralWidget()
{
    editorBox = boxAround(tr("Ventana de edicion del archivo .vdo"), textEdit, editorFind);
    outputPage = reportPage("outputPage", outputView, outputFind);
    processPage = reportPage("processPage", processView, processFind);

    reports = new QTabWidget(this);
    reports->setObjectName(QStringLiteral("reportTabs"));
    reports->setDocumentMode(true);
    reports->addTab(outputPage, tr("Salida de la simulación"));
    reports->setTabToolTip(0, tr("Ventana de salida del archivo tras la simulación"));
    reports->addTab(processPage, tr("Proceso de la simulación"));
    reports->setTabToolTip(1, tr("Ventana con el proceso de la simulación"));
    // More views of a run's results (the waveform view) follow, through addResultsPane().

    editorAndReports = new QSplitter(Qt::Horizontal, this);
    editorAndReports->setObjectName(kMainSplitterKey);
    editorAndReports->setChildrenCollapsible(false);
    editorAndReports->addWidget(editorBox);
    editorAndReports->addWidget(reports);
    editorAndReports->setStretchFactor(0, kEditorStretch);
    editorAndReports->setStretchFactor(1, kReportsStretch);

    verdict = new VerdictBar(this);
    connect(verdict, &VerdictBar::failureClicked, this, &MainWindow::showFailure);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(verdict);
    layout->addWidget(editorAndReports, 1);
    setCentralWidget(central);
}

QWidget *MainWindow::addResultsPane(const QString &title, QWidget *view)
{
    QWidget *page = reportPage("", view, nullptr);
    // The page is remembered by its name when it is the one in view.
    page->setObjectName(view->objectName().isEmpty() ? title : view->objectName() + QStringLiteral("Page"));
    // The run's views stay together, before the saved file's warnings.
    reports->insertTab(warningsPage ? reports->indexOf(warningsPage) : reports->count(), page, title);
    // The report kept in view may be this one.
    restoreReportInView();
    return page;
}

QListView *MainWindow::outputPane() const
{
    return outputView;
}

QListView *MainWindow::processPane() const
{
    return processView;
}

FindBar *MainWindow::findBarOf(const QWidget *searched) const
{
    for (FindBar *bar : {editorFind, outputFind, processFind}) {
        if (bar->target()->widget() == searched)
            return bar;
    }
    return nullptr;
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

    findAct = makeAction("findAct", tr("&Find..."), tr("Buscar en el editor o en el panel que tiene el foco"));
    findAct->setShortcuts(QKeySequence::Find);
    connect(findAct, &QAction::triggered, this, &MainWindow::find);
}

void MainWindow::createOtherActions()
{
    runAct = makeAction("runAct", tr("Run"), tr("Ejecuta el simulador"), QStringLiteral(":/images/run.png"));
    runAct->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    connect(runAct, &QAction::triggered, this, &MainWindow::run);

    exportVcdAct = makeAction("exportVcdAct", tr("Export Waveform (VCD)..."),
                              tr("Guarda la simulacion como Value Change Dump para un visor de ondas"));
    exportVcdAct->setEnabled(false);  // until a run has results
    connect(exportVcdAct, &QAction::triggered, this, &MainWindow::exportWaveform);

    // Fit brings the waveforms into view, and there fits them to the width.
    QAction *fitAct = waveformView->fitAction();
    fitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fitAct, &QAction::triggered, this, [this] { reports->setCurrentWidget(wavesPage); });

    // Turns the "Simulando el archivo." box back on after "No volver a mostrar".
    showSimulatingAct = makeAction("showSimulatingAct", tr("Show \"Simulando\" &Message"),
                                   tr("Muestra el aviso «Simulando el archivo.» antes de cada simulación"));
    showSimulatingAct->setCheckable(true);
    showSimulatingAct->setChecked(QSettings().value(kShowSimulatingKey, true).toBool());
    connect(showSimulatingAct, &QAction::toggled, this, &MainWindow::setShowSimulating);

    aboutAct = makeAction("aboutAct", tr("&About"), tr("Muestra la informacion acerca de la aplicacion"));
    connect(aboutAct, &QAction::triggered, this, &MainWindow::about);

    aboutQtAct = makeAction("aboutQtAct", tr("About &Qt"), tr("Muestra la información acerca de la biblioteca Qt"));
    connect(aboutQtAct, &QAction::triggered, qApp, &QApplication::aboutQt);
}

void MainWindow::createMenus()
{
    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addActions({newAct, openAct, saveAct, saveAsAct});
    fileMenu->addSeparator();
    fileMenu->addAction(exportVcdAct);
    separatorAct = fileMenu->addSeparator();
    separatorAct->setObjectName(QStringLiteral("recentFileSeparator"));
    for (QAction *act : recentFileActs)
        fileMenu->addAction(act);
    fileMenu->addSeparator();
    fileMenu->addAction(exitAct);
    updateRecentFileActions();

    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addActions({cutAct, copyAct, pasteAct});
    editMenu->addSeparator();
    editMenu->addAction(findAct);

    menuBar()->addSeparator();

    simulatorMenu = menuBar()->addMenu(tr("&Simulator"));
    simulatorMenu->addAction(runAct);
    simulatorMenu->addSeparator();
    simulatorMenu->addAction(waveformView->fitAction());
    simulatorMenu->addSeparator();
    simulatorMenu->addAction(showSimulatingAct);

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

// Stored geometry is restored as it was left; with none, the window opens at a size
// that shows the work, centred on its screen.
void MainWindow::readSettings()
{
    const QSettings settings(kGeometryOrganization, kGeometryApplication);
    const QScreen *where = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect first = firstStartGeometry(where ? where->availableGeometry() : QRect(0, 0, 1280, 1024));
    const QPoint pos = settings.value(QStringLiteral("pos"), first.topLeft()).toPoint();
    const QSize size = settings.value(QStringLiteral("size"), first.size()).toSize();
    resize(size);
    move(pos);
    // The tool bars first: where they stand decides the room the splitter has.
    restoreState(settings.value(kWindowStateKey).toByteArray());
    restoreSplitterSizes(editorAndReports);
    restoreReportInView();
}

void MainWindow::restoreReportInView()
{
    const QString name = QSettings(kGeometryOrganization, kGeometryApplication).value(kReportTabKey).toString();
    if (name.isEmpty())
        return;
    for (int i = 0; i < reports->count(); ++i) {
        if (reports->widget(i)->objectName() == name)
            reports->setCurrentIndex(i);
    }
}

// Sizes stored for another number of panes (a pane added since) are left alone: the
// splitter then shares its room by the panes' stretch factors.
void MainWindow::restoreSplitterSizes(QSplitter *splitter)
{
    const QSettings settings(kGeometryOrganization, kGeometryApplication);
    const QVariantList stored = settings.value(splitter->objectName()).toList();
    if (stored.size() != splitter->count()) {
        QList<int> shares;
        for (int i = 0; i < splitter->count(); ++i)
            shares << kShareUnit * splitter->widget(i)->sizePolicy().horizontalStretch();
        splitter->setSizes(shares);
        return;
    }
    QList<int> sizes;
    for (const QVariant &size : stored) {
        bool ok = false;
        const int pixels = size.toInt(&ok);
        if (!ok || pixels < 0)
            return;
        sizes << pixels;
    }
    splitter->setSizes(sizes);
}

void MainWindow::writeSettings()
{
    QSettings settings(kGeometryOrganization, kGeometryApplication);
    settings.setValue(QStringLiteral("pos"), pos());
    settings.setValue(QStringLiteral("size"), size());
    QVariantList sizes;
    for (int size : editorAndReports->sizes())
        sizes << size;
    settings.setValue(editorAndReports->objectName(), sizes);
    settings.setValue(kReportTabKey, reports->currentWidget()->objectName());
    settings.setValue(kWindowStateKey, saveState());
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
    QMessageBox::about(this, tr("Acerca de: %1").arg(programName()),
                       tr("%1, versión %2\n\n").arg(programName(), QStringLiteral(ASMSIM_VERSION))
                           + tr("Simulador de circuitos digitales integrable en un compilador de diagramas ASM . "
                                "La aplicacion se encarga de mostrar un archivo .vdo, analizarlo y mostrar su "
                                "procesamiento de validación y el archivo LOG de salida que muestra si hay "
                                "errores o no en el archivo .vdo"));
}

void MainWindow::documentWasModified()
{
    setWindowModified(textEdit->document()->isModified());
}

// Run simulates the saved file named by the current document, never the editor's text;
// with unsaved changes it asks which of the two is meant.
void MainWindow::run()
{
    if (curFile.isEmpty()) {
        QMessageBox box(this);
        box.setText(tr("No hay ningun archivo seleccionado"));
        box.exec();
        statusBar()->showMessage(tr("No hay ningun archivo seleccionado"));
        return;
    }
    if (textEdit->document()->isModified()) {
        switch (askAboutUnsavedChanges()) {
        case RunChoice::Cancel:
            return;
        case RunChoice::SaveAndRun:
            if (!save())
                return;
            break;
        case RunChoice::RunSaved:
            break;
        }
    }
    confirmSimulating();
    statusBar()->showMessage(tr("Simulando el archivo"));
    *results_ = runSimulation(*state, curFile);
    // The panes must be complete when the slot returns, not at the next event-loop turn.
    outputLines->flush();
    processLines->flush();
    showRunResults();
}

// What a run leaves in view: the verdict, the errors and warnings in their colours, each
// pane at its start and the waveforms fitted to the width.
void MainWindow::showRunResults()
{
    waveformView->setResults(*results_);
    waveformView->fit();
    exportVcdAct->setEnabled(true);
    verdict->setVerdict(runVerdict(*results_));
    const SummaryRows summary = markSummaryRows(*outputLines, *results_);
    startPanesAfterRun(summary.found() ? summary.header : 0);
    statusBar()->showMessage(tr("Simulación terminada"));
}

// The output pane opens at the summary of warnings and errors, the process pane at its
// top, both at the start of their rows sideways.
void MainWindow::startPanesAfterRun(int outputTopRow)
{
    outputView->clearSelection();
    processView->clearSelection();
    outputView->scrollTo(outputLines->index(outputTopRow), QAbstractItemView::PositionAtTop);
    processView->scrollToTop();
    outputView->scrollToLeft();
    processView->scrollToLeft();
}

void MainWindow::clearRunResults()
{
    outputLines->clear();
    processLines->clear();
    *results_ = RunResults();
    waveformView->clear();
    verdict->clear();
    exportVcdAct->setEnabled(false);
}

void MainWindow::showFailure()
{
    const RunVerdict shown = runVerdict(*results_);
    if (shown.firstError >= 0) {
        const SummaryRows summary = findSummaryRows(*outputLines, *results_);
        if (!summary.found())
            return;
        reports->setCurrentWidget(outputPage);
        const QModelIndex row = outputLines->index(summary.firstError);
        outputView->scrollTo(row, QAbstractItemView::PositionAtCenter);
        outputView->setCurrentIndex(row);
        outputView->scrollToLeft();
        // From there Enter or a double click goes to the design line, as on any row.
        outputView->setFocus(Qt::OtherFocusReason);
    } else if (shown.firstWrong >= 0) {
        const ResultVerification &wrong = results_->verifications.at(shown.firstWrong);
        reports->setCurrentWidget(wavesPage);
        waveformView->showVerification(wrong.signal, wrong.cycle);
        showCycleInProcessPane(wrong.cycle);
    }
}

void MainWindow::exportWaveform()
{
    const QString suggested = QFileInfo(results_->designPath).completeBaseName() + QStringLiteral(".vcd");
    const QString path = QFileDialog::getSaveFileName(this, tr("Exportar las formas de onda (VCD)"), suggested,
                                                      tr("Formas de onda VCD (*.vcd)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writeVcd(*results_, path, error)) {
        QMessageBox::warning(this, programName(), error);
        return;
    }
    statusBar()->showMessage(tr("Ondas guardadas en %1").arg(QDir::toNativeSeparators(path)), kJumpStatusTimeout);
}

// The cycle's log begins with its own row in the process pane, counted as the run wrote
// it, so a box whose text reads like a heading cannot take the jump.
void MainWindow::showCycleInProcessPane(int cycle)
{
    const int row = results_->processRowOfCycle(cycle);
    if (row < 0 || row >= processLines->rowCount())
        return;
    const QModelIndex index = processLines->index(row);
    processView->scrollTo(index, QAbstractItemView::PositionAtTop);
    processView->setCurrentIndex(index);
}

MainWindow::RunChoice MainWindow::askAboutUnsavedChanges()
{
    QMessageBox box(QMessageBox::Warning, programName(),
                    tr("El documento se ha modificado.\n¿Quieres guardar los cambios?"), QMessageBox::NoButton, this);
    QPushButton *saveAndRun = box.addButton(tr("Guardar y simular"), QMessageBox::AcceptRole);
    QPushButton *runSaved = box.addButton(tr("Simular el archivo guardado"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(tr("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(saveAndRun);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == saveAndRun)
        return RunChoice::SaveAndRun;
    if (box.clickedButton() == runSaved)
        return RunChoice::RunSaved;
    return RunChoice::Cancel;
}

// The "Simulando el archivo." box, unless the user has asked not to see it again.
void MainWindow::confirmSimulating()
{
    QSettings settings;
    if (!settings.value(kShowSimulatingKey, true).toBool())
        return;
    QMessageBox box(this);
    box.setText(tr("Simulando el archivo."));
    box.setCheckBox(new QCheckBox(tr("No volver a mostrar"), &box));
    box.exec();
    if (box.checkBox()->isChecked())
        showSimulatingAct->setChecked(false);
}

void MainWindow::setShowSimulating(bool show)
{
    QSettings().setValue(kShowSimulatingKey, show);
}

void MainWindow::find()
{
    const QWidget *focus = QApplication::focusWidget();
    FindBar *bar = editorFind;
    if (focus && outputPage->isAncestorOf(focus))
        bar = outputFind;
    else if (focus && processPage->isAncestorOf(focus))
        bar = processFind;
    // A short selection in the editor is what the user most likely wants to find.
    const QString selected = textEdit->textCursor().selectedText();
    if (bar == editorFind && !selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        bar->termEdit()->setText(selected);
    bar->open();
}

bool MainWindow::editorHoldsSimulatedFile() const
{
    const QString &simulated = state->simulatedFileName;
    if (simulated.isEmpty() || curFile.isEmpty())
        return false;
    return curFile == simulated
        || QFileInfo(curFile).canonicalFilePath() == QFileInfo(simulated).canonicalFilePath();
}

void MainWindow::jumpToSource(const QModelIndex &paneRow)
{
    const SourceRef ref = sourceRefIn(paneRow.data(Qt::DisplayRole).toString());
    if (ref.kind == SourceRef::None)
        return;
    // Line numbers and box IDs belong to the file that was simulated.
    if (!editorHoldsSimulatedFile()) {
        statusBar()->showMessage(tr("El editor no tiene el archivo simulado (%1)").arg(state->simulatedFileName),
                                 kJumpStatusTimeout);
        return;
    }
    const QStringList lines = textEdit->toPlainText().split(QLatin1Char('\n'));
    const int line = ref.kind == SourceRef::FileLine ? editorLineOfFileLine(lines, ref.number)
                                                     : boxIdLine(lines, ref.number);
    if (line == 0 || !textEdit->selectLine(line)) {
        statusBar()->showMessage(ref.kind == SourceRef::FileLine
                                     ? tr("La línea %1 no está en el editor").arg(ref.number)
                                     : tr("No hay ninguna caja con ID %1 en el editor").arg(ref.number),
                                 kJumpStatusTimeout);
        return;
    }
    textEdit->setFocus(Qt::OtherFocusReason);
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
