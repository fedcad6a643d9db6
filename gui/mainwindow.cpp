#include "gui/mainwindow.h"

#include "gui/chartview.h"
#include "gui/codeeditor.h"
#include "gui/findbar.h"
#include "gui/linepanemodel.h"
#include "gui/linepaneview.h"
#include "gui/runverdict.h"
#include "gui/sourcejump.h"
#include "gui/summaryrows.h"
#include "gui/verdictbar.h"
#include "gui/waveformview.h"
#include "run/rundriver.h"
#include "run/collectresults.h"
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

MainWindow::MainWindow() : m_state(makeRunState(this)), m_results(std::make_unique<RunResults>())
{
    createPanes();
    createCentralWidget();
    m_waveformView = new WaveformView(this);
    m_waveformView->setObjectName(QStringLiteral("waveformView"));
    m_wavesPage = addResultsPane(tr("Formas de onda"), m_waveformView);
    connect(m_waveformView, &WaveformView::cycleClicked, this, &MainWindow::showCycleInProcessPane);
    createWarningsPane();
    createChartPane();
    createFileActions();
    createEditActions();
    createOtherActions();
    createMenus();
    createToolBars();
    statusBar()->showMessage(tr("Listo"));
    readSettings();
    connect(m_textEdit->document(), &QTextDocument::contentsChanged,
            this, &MainWindow::documentWasModified);
    setCurrentFile(QString());
    setUnifiedTitleAndToolBarOnMac(true);
    // A .vdo file dropped anywhere on the window is opened, the editor included.
    setAcceptDrops(true);
    m_textEdit->viewport()->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::createPanes()
{
    m_textEdit = new CodeEditor(this);
    m_outputLines = new LinePaneModel(this);
    m_processLines = new LinePaneModel(this);
    m_outputView = new LinePaneView(m_outputLines, this);
    m_processView = new LinePaneView(m_processLines, this);
    // Enter on a pane row, or a double click, goes to the file line or box it names.
    connect(m_outputView, &QAbstractItemView::activated, this, &MainWindow::jumpToSource);
    connect(m_processView, &QAbstractItemView::activated, this, &MainWindow::jumpToSource);

    m_editorFind = new FindBar(new EditorFindTarget(m_textEdit), this);
    m_outputFind = new FindBar(new PaneFindTarget(m_outputView, m_outputLines), this);
    m_processFind = new FindBar(new PaneFindTarget(m_processView, m_processLines), this);
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
    m_editorBox = boxAround(tr("Ventana de edicion del archivo .vdo"), m_textEdit, m_editorFind);
    m_outputPage = reportPage("outputPage", m_outputView, m_outputFind);
    m_processPage = reportPage("processPage", m_processView, m_processFind);

    m_reports = new QTabWidget(this);
    m_reports->setObjectName(QStringLiteral("reportTabs"));
    m_reports->setDocumentMode(true);
    m_reports->addTab(m_outputPage, tr("Salida de la simulación"));
    m_reports->setTabToolTip(0, tr("Ventana de salida del archivo tras la simulación"));
    m_reports->addTab(m_processPage, tr("Proceso de la simulación"));
    m_reports->setTabToolTip(1, tr("Ventana con el proceso de la simulación"));
    // More views of a run's results (the waveform view) follow, through addResultsPane().

    m_editorAndReports = new QSplitter(Qt::Horizontal, this);
    m_editorAndReports->setObjectName(kMainSplitterKey);
    m_editorAndReports->setChildrenCollapsible(false);
    m_editorAndReports->addWidget(m_editorBox);
    m_editorAndReports->addWidget(m_reports);
    m_editorAndReports->setStretchFactor(0, kEditorStretch);
    m_editorAndReports->setStretchFactor(1, kReportsStretch);

    m_verdict = new VerdictBar(this);
    connect(m_verdict, &VerdictBar::failureClicked, this, &MainWindow::showFailure);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(m_verdict);
    layout->addWidget(m_editorAndReports, 1);
    setCentralWidget(central);
}

QWidget *MainWindow::addResultsPane(const QString &title, QWidget *view)
{
    QWidget *page = reportPage("", view, nullptr);
    // The page is remembered by its name when it is the one in view.
    page->setObjectName(view->objectName().isEmpty() ? title : view->objectName() + QStringLiteral("Page"));
    // The run's views stay together, before the saved file's warnings.
    m_reports->insertTab(m_warningsPage ? m_reports->indexOf(m_warningsPage) : m_reports->count(), page, title);
    // The report kept in view may be this one.
    restoreReportInView();
    return page;
}

QListView *MainWindow::outputPane() const
{
    return m_outputView;
}

QListView *MainWindow::processPane() const
{
    return m_processView;
}

FindBar *MainWindow::findBarOf(const QWidget *searched) const
{
    for (FindBar *bar : {m_editorFind, m_outputFind, m_processFind}) {
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
    m_newAct = makeAction("newAct", tr("&New"), tr("Crear un archivo nuevo"), QStringLiteral(":/images/new.png"));
    m_newAct->setShortcuts(QKeySequence::New);
    connect(m_newAct, &QAction::triggered, this, &MainWindow::newFile);

    m_openAct = makeAction("openAct", tr("&Open..."), tr("Abrir un archivo existente"), QStringLiteral(":/images/open.png"));
    m_openAct->setShortcuts(QKeySequence::Open);
    connect(m_openAct, &QAction::triggered, this, &MainWindow::open);

    m_saveAct = makeAction("saveAct", tr("&Save"), tr("Guardar el archivo en el disco"), QStringLiteral(":/images/save.png"));
    m_saveAct->setShortcuts(QKeySequence::Save);
    connect(m_saveAct, &QAction::triggered, this, &MainWindow::save);

    m_saveAsAct = makeAction("saveAsAct", tr("Save &As..."), tr("Guardar archivo como..."));
    m_saveAsAct->setShortcuts(QKeySequence::SaveAs);
    connect(m_saveAsAct, &QAction::triggered, this, &MainWindow::saveAs);

    createRecentFileActions();

    m_exitAct = makeAction("exitAct", tr("E&xit"), tr("Salir de la aplicacion"));
    // Some platforms bind no key to the standard Quit; Ctrl+Q is what users expect there.
    if (QKeySequence::keyBindings(QKeySequence::Quit).isEmpty())
        m_exitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    else
        m_exitAct->setShortcuts(QKeySequence::Quit);
    connect(m_exitAct, &QAction::triggered, this, &QWidget::close);
}

// The entries stay hidden until the recent-file list gives them a file.
void MainWindow::createRecentFileActions()
{
    for (int i = 0; i < MaxRecentFiles; ++i) {
        QAction *act = new QAction(this);
        act->setObjectName(QStringLiteral("recentFileAct%1").arg(i + 1));
        act->setVisible(false);
        connect(act, &QAction::triggered, this, &MainWindow::openRecentFile);
        m_recentFileActs[i] = act;
    }
}

void MainWindow::createEditActions()
{
    m_cutAct = makeAction("cutAct", tr("Cu&t"), tr("Cortar texto seleccionado"), QStringLiteral(":/images/cut.png"));
    m_cutAct->setShortcuts(QKeySequence::Cut);
    connect(m_cutAct, &QAction::triggered, m_textEdit, &QPlainTextEdit::cut);

    m_copyAct = makeAction("copyAct", tr("&Copy"), tr("Copiar el texto seleccionado"), QStringLiteral(":/images/copy.png"));
    m_copyAct->setShortcuts(QKeySequence::Copy);
    connect(m_copyAct, &QAction::triggered, m_textEdit, &QPlainTextEdit::copy);

    m_pasteAct = makeAction("pasteAct", tr("&Paste"), tr("Pegar"), QStringLiteral(":/images/paste.png"));
    m_pasteAct->setShortcuts(QKeySequence::Paste);
    connect(m_pasteAct, &QAction::triggered, m_textEdit, &QPlainTextEdit::paste);

    // Cut and Copy only make sense while text is selected.
    m_cutAct->setEnabled(false);
    m_copyAct->setEnabled(false);
    connect(m_textEdit, &QPlainTextEdit::copyAvailable, m_cutAct, &QAction::setEnabled);
    connect(m_textEdit, &QPlainTextEdit::copyAvailable, m_copyAct, &QAction::setEnabled);

    m_findAct = makeAction("findAct", tr("&Find..."), tr("Buscar en el editor o en el panel que tiene el foco"));
    m_findAct->setShortcuts(QKeySequence::Find);
    connect(m_findAct, &QAction::triggered, this, &MainWindow::find);
}

void MainWindow::createOtherActions()
{
    m_runAct = makeAction("runAct", tr("Run"), tr("Ejecuta el simulador"), QStringLiteral(":/images/run.png"));
    m_runAct->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    connect(m_runAct, &QAction::triggered, this, &MainWindow::run);

    m_exportVcdAct = makeAction("exportVcdAct", tr("Export Waveform (VCD)..."),
                              tr("Guarda la simulacion como Value Change Dump para un visor de ondas"));
    m_exportVcdAct->setEnabled(false);  // until a run has results
    connect(m_exportVcdAct, &QAction::triggered, this, &MainWindow::exportWaveform);

    // Fit brings the waveforms into view, and there fits them to the width.
    QAction *fitAct = m_waveformView->fitAction();
    fitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fitAct, &QAction::triggered, this, [this] { m_reports->setCurrentWidget(m_wavesPage); });

    // Turns the "Simulando el archivo." box back on after "No volver a mostrar".
    m_showSimulatingAct = makeAction("showSimulatingAct", tr("Show \"Simulando\" &Message"),
                                   tr("Muestra el aviso «Simulando el archivo.» antes de cada simulación"));
    m_showSimulatingAct->setCheckable(true);
    m_showSimulatingAct->setChecked(QSettings().value(kShowSimulatingKey, true).toBool());
    connect(m_showSimulatingAct, &QAction::toggled, this, &MainWindow::setShowSimulating);

    m_aboutAct = makeAction("aboutAct", tr("&About"), tr("Muestra la informacion acerca de la aplicacion"));
    connect(m_aboutAct, &QAction::triggered, this, &MainWindow::about);

    m_aboutQtAct = makeAction("aboutQtAct", tr("About &Qt"), tr("Muestra la información acerca de la biblioteca Qt"));
    connect(m_aboutQtAct, &QAction::triggered, qApp, &QApplication::aboutQt);
}

void MainWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->addActions({m_newAct, m_openAct, m_saveAct, m_saveAsAct});
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_exportVcdAct);
    m_separatorAct = m_fileMenu->addSeparator();
    m_separatorAct->setObjectName(QStringLiteral("recentFileSeparator"));
    for (QAction *act : m_recentFileActs)
        m_fileMenu->addAction(act);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_exitAct);
    updateRecentFileActions();

    m_editMenu = menuBar()->addMenu(tr("&Edit"));
    m_editMenu->addActions({m_cutAct, m_copyAct, m_pasteAct});
    m_editMenu->addSeparator();
    m_editMenu->addAction(m_findAct);

    menuBar()->addSeparator();

    m_simulatorMenu = menuBar()->addMenu(tr("&Simulator"));
    m_simulatorMenu->addAction(m_runAct);
    m_simulatorMenu->addSeparator();
    m_simulatorMenu->addAction(m_waveformView->fitAction());
    m_simulatorMenu->addAction(m_chartView->fitAction());
    m_simulatorMenu->addSeparator();
    m_simulatorMenu->addAction(m_showSimulatingAct);

    m_helpMenu = menuBar()->addMenu(tr("&Help"));
    m_helpMenu->addActions({m_aboutAct, m_aboutQtAct});
}

void MainWindow::createToolBars()
{
    m_fileToolBar = addToolBar(tr("File"));
    m_fileToolBar->setObjectName(QStringLiteral("fileToolBar"));
    m_fileToolBar->addActions({m_newAct, m_openAct, m_saveAct});

    m_editToolBar = addToolBar(tr("Edit"));
    m_editToolBar->setObjectName(QStringLiteral("editToolBar"));
    m_editToolBar->addActions({m_cutAct, m_copyAct, m_pasteAct});

    m_simulatorToolBar = addToolBar(tr("Simulator"));
    m_simulatorToolBar->setObjectName(QStringLiteral("simulatorToolBar"));
    m_simulatorToolBar->addAction(m_runAct);
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
    restoreSplitterSizes(m_editorAndReports);
    restoreReportInView();
}

void MainWindow::restoreReportInView()
{
    const QString name = QSettings(kGeometryOrganization, kGeometryApplication).value(kReportTabKey).toString();
    if (name.isEmpty())
        return;
    for (int i = 0; i < m_reports->count(); ++i) {
        if (m_reports->widget(i)->objectName() == name)
            m_reports->setCurrentIndex(i);
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
    for (int size : m_editorAndReports->sizes())
        sizes << size;
    settings.setValue(m_editorAndReports->objectName(), sizes);
    settings.setValue(kReportTabKey, m_reports->currentWidget()->objectName());
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
    setWindowModified(m_textEdit->document()->isModified());
}

// Run simulates the saved file named by the current document, never the editor's text;
// with unsaved changes it asks which of the two is meant.
void MainWindow::run()
{
    if (m_curFile.isEmpty()) {
        QMessageBox box(this);
        box.setText(tr("No hay ningun archivo seleccionado"));
        box.exec();
        statusBar()->showMessage(tr("No hay ningun archivo seleccionado"));
        return;
    }
    if (m_textEdit->document()->isModified()) {
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
    *m_results = runSimulation(*m_state, m_curFile);
    // The panes must be complete when the slot returns, not at the next event-loop turn.
    m_outputLines->flush();
    m_processLines->flush();
    showRunResults();
}

// What a run leaves in view: the verdict, the errors and warnings in their colours, each
// pane at its start and the waveforms fitted to the width.
void MainWindow::showRunResults()
{
    m_waveformView->setResults(*m_results);
    m_waveformView->fit();
    m_chartView->setResults(*m_results);
    m_exportVcdAct->setEnabled(true);
    m_verdict->setVerdict(runVerdict(*m_results));
    const SummaryRows summary = markSummaryRows(*m_outputLines, *m_results);
    startPanesAfterRun(summary.found() ? summary.header : 0);
    statusBar()->showMessage(tr("Simulación terminada"));
}

// The output pane opens at the summary of warnings and errors, the process pane at its
// top, both at the start of their rows sideways.
void MainWindow::startPanesAfterRun(int outputTopRow)
{
    m_outputView->clearSelection();
    m_processView->clearSelection();
    m_outputView->scrollTo(m_outputLines->index(outputTopRow), QAbstractItemView::PositionAtTop);
    m_processView->scrollToTop();
    m_outputView->scrollToLeft();
    m_processView->scrollToLeft();
}

void MainWindow::clearRunResults()
{
    m_outputLines->clear();
    m_processLines->clear();
    *m_results = RunResults();
    m_waveformView->clear();
    m_chartView->clearResults();
    m_verdict->clear();
    m_exportVcdAct->setEnabled(false);
}

void MainWindow::showFailure()
{
    const RunVerdict shown = runVerdict(*m_results);
    if (shown.firstError >= 0) {
        const SummaryRows summary = findSummaryRows(*m_outputLines, *m_results);
        if (!summary.found())
            return;
        m_reports->setCurrentWidget(m_outputPage);
        const QModelIndex row = m_outputLines->index(summary.firstError);
        m_outputView->scrollTo(row, QAbstractItemView::PositionAtCenter);
        m_outputView->setCurrentIndex(row);
        m_outputView->scrollToLeft();
        // From there Enter or a double click goes to the design line, as on any row.
        m_outputView->setFocus(Qt::OtherFocusReason);
    } else if (shown.firstWrong >= 0) {
        const ResultVerification &wrong = m_results->verifications.at(shown.firstWrong);
        m_reports->setCurrentWidget(m_wavesPage);
        m_waveformView->showVerification(wrong.signal, wrong.cycle);
        showCycleInProcessPane(wrong.cycle);
    }
}

void MainWindow::exportWaveform()
{
    const QString suggested = QFileInfo(m_results->designPath).completeBaseName() + QStringLiteral(".vcd");
    const QString path = QFileDialog::getSaveFileName(this, tr("Exportar las formas de onda (VCD)"), suggested,
                                                      tr("Formas de onda VCD (*.vcd)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writeVcd(*m_results, path, error)) {
        QMessageBox::warning(this, programName(), error);
        return;
    }
    statusBar()->showMessage(tr("Ondas guardadas en %1").arg(QDir::toNativeSeparators(path)), kJumpStatusTimeout);
}

// The cycle's log begins with its own row in the process pane, counted as the run wrote
// it, so a box whose text reads like a heading cannot take the jump.
void MainWindow::showCycleInProcessPane(int cycle)
{
    const int row = m_results->processRowOfCycle(cycle);
    if (row < 0 || row >= m_processLines->rowCount())
        return;
    const QModelIndex index = m_processLines->index(row);
    m_processView->scrollTo(index, QAbstractItemView::PositionAtTop);
    m_processView->setCurrentIndex(index);
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
        m_showSimulatingAct->setChecked(false);
}

void MainWindow::setShowSimulating(bool show)
{
    QSettings().setValue(kShowSimulatingKey, show);
}

void MainWindow::find()
{
    const QWidget *focus = QApplication::focusWidget();
    FindBar *bar = m_editorFind;
    if (focus && m_outputPage->isAncestorOf(focus))
        bar = m_outputFind;
    else if (focus && m_processPage->isAncestorOf(focus))
        bar = m_processFind;
    // A short selection in the editor is what the user most likely wants to find.
    const QString selected = m_textEdit->textCursor().selectedText();
    if (bar == m_editorFind && !selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        bar->termEdit()->setText(selected);
    bar->open();
}

bool MainWindow::editorHoldsSimulatedFile() const
{
    const QString &simulated = m_results->designPath;
    if (simulated.isEmpty() || m_curFile.isEmpty())
        return false;
    return m_curFile == simulated
        || QFileInfo(m_curFile).canonicalFilePath() == QFileInfo(simulated).canonicalFilePath();
}

void MainWindow::jumpToSource(const QModelIndex &paneRow)
{
    const SourceRef ref = sourceRefIn(paneRow.data(Qt::DisplayRole).toString());
    if (ref.kind == SourceRef::None)
        return;
    // Line numbers and box IDs belong to the file that was simulated.
    if (!editorHoldsSimulatedFile()) {
        statusBar()->showMessage(tr("El editor no tiene el archivo simulado (%1)").arg(m_results->designPath),
                                 kJumpStatusTimeout);
        return;
    }
    const QStringList lines = m_textEdit->toPlainText().split(QLatin1Char('\n'));
    const int line = ref.kind == SourceRef::FileLine ? editorLineOfFileLine(lines, ref.number)
                                                     : boxIdLine(lines, ref.number);
    if (line == 0 || !m_textEdit->selectLine(line)) {
        statusBar()->showMessage(ref.kind == SourceRef::FileLine
                                     ? tr("La línea %1 no está en el editor").arg(ref.number)
                                     : tr("No hay ninguna caja con ID %1 en el editor").arg(ref.number),
                                 kJumpStatusTimeout);
        return;
    }
    m_textEdit->setFocus(Qt::OtherFocusReason);
}

void MainWindow::clearOutputPane()
{
    m_outputLines->clear();
}

void MainWindow::clearProcessPane()
{
    m_processLines->clear();
}

void MainWindow::appendToOutputPane(const QStringList &lines)
{
    m_outputLines->appendItems(lines);
}

void MainWindow::appendToProcessPane(const QStringList &lines)
{
    m_processLines->appendItems(lines);
}

void MainWindow::showStatus(const QString &text)
{
    statusBar()->showMessage(text);
}
