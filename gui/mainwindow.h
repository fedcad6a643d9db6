#pragma once
// The simulator's one window: the editor of the .vdo document beside the reports of a
// run (the output pane, the process pane, the waveforms and the chart, as tabs of one
// area, with the saved file's warnings as one more tab), the
// verdict on the last run above them, and the actions, menus and tool bars that drive
// them. The splitter between editor and reports, the report in view and the tool bars
// are remembered; the editor and each pane have a find bar.

#include "check/designwarning.h"
#include "core/panesink.h"
#include "run/rundriver.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class ChartLoader;
class ChartView;
class CodeEditor;
class FindBar;
class LinePaneModel;
class LinePaneView;
class QAction;
class QCloseEvent;
class QGroupBox;
class QListView;
class QMenu;
class QMimeData;
class QModelIndex;
class QSplitter;
class QTabWidget;
class QToolBar;
class VerdictBar;
class WarningList;
class WaveformView;
struct RunResults;
struct SimState;

// Where a window opens the first time, when no geometry is stored: about 1280 x 860,
// never more than 96 % of the available width and 92 % of its height (room for the
// window's frame), centred in the available area. On a 1366 x 768 laptop that is
// 1280 x 706.
QRect firstStartGeometry(const QRect &available);

// The program's name, as the title bar and the dialogs carry it.
QString programName();

// The first local .vdo file among the dropped URLs; empty when there is none.
QString droppedDesign(const QMimeData *mime);

class MainWindow : public QMainWindow, public PaneSink {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    // Documents (documents.cpp). Public so that tests and callers can drive them.
    void loadFile(const QString &fileName);
    bool saveFile(const QString &fileName);
    // Opens a file as the command line and a drop do: after the question about unsaved
    // changes, if there are any.
    void openFile(const QString &fileName);
    QString currentFile() const { return m_curFile; }

    // Access for tests and tools.
    CodeEditor *editor() const { return m_textEdit; }
    QListView *outputPane() const;
    QListView *processPane() const;
    LinePaneModel *outputModel() const { return m_outputLines; }
    LinePaneModel *processModel() const { return m_processLines; }
    // The editor on one side, the reports on the other.
    QSplitter *mainSplitter() const { return m_editorAndReports; }
    // The reports of a run, one tab each: output, process, waveforms, ...
    QTabWidget *reportTabs() const { return m_reports; }
    VerdictBar *verdictBar() const { return m_verdict; }
    // The find bar under the editor or under one of the panes.
    FindBar *findBarOf(const QWidget *searched) const;
    // Every action has an objectName ("newAct", "recentFileAct1", ...).
    QAction *action(const QString &objectName) const;

    WaveformView *waveforms() const { return m_waveformView; }
    // The saved file's chart (chartpane.cpp) and what lays it out.
    ChartView *chart() const { return m_chartView; }
    ChartLoader *chartLoader() const { return m_chartLoader; }
    // The saved file's warnings (warningspane.cpp); their marks are in the editor's gutter.
    WarningList *warnings() const { return m_warningList; }
    // The results of the last run, as the waveform view and the VCD export read them.
    const RunResults &lastResults() const { return *m_results; }
    // What the runs carry from one to the next; it lives as long as the window.
    SimState &runState() const { return *m_state; }

    // Adds another view of a run's results (the waveform view) as one more tab of the
    // reports, before the warnings, and returns its page. Whether it was the one in view
    // is remembered.
    QWidget *addResultsPane(const QString &title, QWidget *view);

    // PaneSink: how a run shows its lines in this window.
    void clearOutputPane() override;
    void clearProcessPane() override;
    void appendToOutputPane(const QStringList &lines) override;
    void appendToProcessPane(const QStringList &lines) override;
    void showStatus(const QString &text) override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void newFile();
    void open();
    bool save();
    bool saveAs();
    void openRecentFile();
    void run();
    void about();
    void documentWasModified();
    // Opens the find bar of the pane with the focus, or of the editor.
    void find();
    // From a pane line that names a file line or a box to that line in the editor.
    void jumpToSource(const QModelIndex &paneRow);
    // Writes the last run's simulation as a VCD file chosen by the user.
    void exportWaveform();
    // Scrolls the process pane to the log of a simulation cycle.
    void showCycleInProcessPane(int cycle);
    // Goes to what the verdict names as failed: the first error's line in the output
    // pane, or the first wrong verification's mark in the waveforms (and its cycle in
    // the process pane).
    void showFailure();
    // Selects the Id line of the box at a position (as the reader counts boxes).
    void jumpToBox(int position, qint32 id);

private:
    enum { MaxRecentFiles = 5 };
    enum class RunChoice { SaveAndRun, RunSaved, Cancel };

    void createPanes();
    void createCentralWidget();
    QGroupBox *boxAround(const QString &title, QWidget *content, FindBar *findBar);
    QWidget *reportPage(const char *name, QWidget *content, FindBar *findBar);
    void createFileActions();
    void createRecentFileActions();
    void createEditActions();
    void createOtherActions();
    QAction *makeAction(const char *name, const QString &text, const QString &statusTip,
                        const QString &icon = QString());
    void createMenus();
    void createToolBars();
    void readSettings();
    void writeSettings();
    void restoreSplitterSizes(QSplitter *splitter);
    void restoreReportInView();

    bool maybeSave();
    void setCurrentFile(const QString &fileName);
    void updateTitle();
    // Loads a file as Open does: a file that loads leaves no result of an earlier run.
    void openDocument(const QString &fileName);
    void updateRecentFileActions();
    static QString strippedName(const QString &fullFileName);

    RunChoice askAboutUnsavedChanges();
    void confirmSimulating();
    void setShowSimulating(bool show);
    void showRunResults();
    void startPanesAfterRun(int outputTopRow);
    // Empties the panes, the waveforms, the verdict and the results; the run state, and
    // what it carries from run to run, stays.
    void clearRunResults();
    bool editorHoldsSimulatedFile() const;
    // The warnings of the saved file (warningspane.cpp): computed when a file is loaded
    // or saved, cleared by New, shown as a tab and as marks in the editor's gutter.
    void createWarningsPane();
    void checkSavedFile();
    void clearWarnings();
    void showWarningCount();
    void jumpToWarning(int line);
    bool acceptDesignDrag(QDropEvent *event);
    // The chart of the saved file (chartpane.cpp): laid out when a file is loaded or
    // saved, with its warnings marked; cleared by New.
    void createChartPane();
    void layOutSavedFile(const DesignWarnings &warnings);
    void clearChart();

    QSplitter *m_editorAndReports = nullptr;  // the editor, and beside it the reports
    QTabWidget *m_reports = nullptr;          // the output pane, the process pane, ...
    VerdictBar *m_verdict = nullptr;
    QGroupBox *m_editorBox = nullptr;
    QWidget *m_outputPage = nullptr;
    QWidget *m_processPage = nullptr;
    QWidget *m_wavesPage = nullptr;
    CodeEditor *m_textEdit = nullptr;
    LinePaneView *m_outputView = nullptr;
    LinePaneView *m_processView = nullptr;
    LinePaneModel *m_outputLines = nullptr;
    LinePaneModel *m_processLines = nullptr;
    FindBar *m_editorFind = nullptr;
    FindBar *m_outputFind = nullptr;
    FindBar *m_processFind = nullptr;
    QString m_curFile;
    quint64 m_documentsMadeCurrent = 0;  // goes up with every setCurrentFile: a load took

    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_simulatorMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QToolBar *m_fileToolBar = nullptr;
    QToolBar *m_editToolBar = nullptr;
    QToolBar *m_simulatorToolBar = nullptr;

    QAction *m_newAct = nullptr;
    QAction *m_openAct = nullptr;
    QAction *m_saveAct = nullptr;
    QAction *m_saveAsAct = nullptr;
    QAction *m_exitAct = nullptr;
    QAction *m_cutAct = nullptr;
    QAction *m_copyAct = nullptr;
    QAction *m_pasteAct = nullptr;
    QAction *m_findAct = nullptr;
    QAction *m_runAct = nullptr;
    QAction *m_exportVcdAct = nullptr;
    QAction *m_showSimulatingAct = nullptr;
    QAction *m_aboutAct = nullptr;
    QAction *m_aboutQtAct = nullptr;
    QAction *m_separatorAct = nullptr;
    QAction *m_recentFileActs[MaxRecentFiles] = {};

    // The state of every run; its log shows lines through this window.
    RunStateHandle m_state;
    std::unique_ptr<RunResults> m_results;
    WaveformView *m_waveformView = nullptr;
    WarningList *m_warningList = nullptr;
    QWidget *m_warningsPage = nullptr;
    ChartView *m_chartView = nullptr;
    ChartLoader *m_chartLoader = nullptr;
    QWidget *m_chartPage = nullptr;
    QString m_chartFile;  // the file the chart is of, or is being laid out from
};
