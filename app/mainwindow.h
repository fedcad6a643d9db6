#pragma once
// The simulator's one window: the editor of the .vdo document, the output and process
// panes of a run, and the actions, menus and tool bars that drive them. The editor and
// the panes sit in splitters whose sizes are remembered; each has a find bar.

#include "core/panesink.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class CodeEditor;
class FindBar;
class LinePaneModel;
class QAction;
class QCloseEvent;
class QGroupBox;
class QListView;
class QMenu;
class QMimeData;
class QModelIndex;
class QSplitter;
class QToolBar;
struct SimState;

// Where a window opens the first time, when no geometry is stored: about 1100 x 800,
// never more than 90 % of the available screen area, centred in it.
QRect firstStartGeometry(const QRect &available);

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
    QString currentFile() const { return curFile; }

    // Access for tests and tools.
    CodeEditor *editor() const { return textEdit; }
    QListView *outputPane() const { return outputView; }
    QListView *processPane() const { return processView; }
    LinePaneModel *outputModel() const { return outputLines; }
    LinePaneModel *processModel() const { return processLines; }
    QSplitter *mainSplitter() const { return editorAndResults; }
    QSplitter *resultsSplitter() const { return results; }
    // The find bar under the editor or under one of the panes.
    FindBar *findBarOf(const QWidget *searched) const;
    // Every action has an objectName ("newAct", "recentFileAct1", ...).
    QAction *action(const QString &objectName) const;

    // Adds another view of a run's results (the waveform view) in a titled box below
    // the output and process panes; its size is remembered with theirs. Call it while
    // building the window, before it is shown.
    QGroupBox *addResultsPane(const QString &title, QWidget *view);

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

private:
    enum { MaxRecentFiles = 5 };
    enum class RunChoice { SaveAndRun, RunSaved, Cancel };

    void createPanes();
    void createCentralWidget();
    QGroupBox *boxAround(const QString &title, QWidget *content, FindBar *findBar);
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

    bool maybeSave();
    void setCurrentFile(const QString &fileName);
    void updateRecentFileActions();
    static QString strippedName(const QString &fullFileName);

    RunChoice askAboutUnsavedChanges();
    void confirmSimulating();
    bool editorHoldsSimulatedFile() const;
    bool acceptDesignDrag(QDropEvent *event);

    QSplitter *editorAndResults = nullptr;  // the editor above, the results below
    QSplitter *results = nullptr;           // the output pane, the process pane, ...
    QGroupBox *editorBox = nullptr;
    QGroupBox *outputBox = nullptr;
    QGroupBox *processBox = nullptr;
    CodeEditor *textEdit = nullptr;
    QListView *outputView = nullptr;
    QListView *processView = nullptr;
    LinePaneModel *outputLines = nullptr;
    LinePaneModel *processLines = nullptr;
    FindBar *editorFind = nullptr;
    FindBar *outputFind = nullptr;
    FindBar *processFind = nullptr;
    QString curFile;

    QMenu *fileMenu = nullptr;
    QMenu *editMenu = nullptr;
    QMenu *simulatorMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QToolBar *fileToolBar = nullptr;
    QToolBar *editToolBar = nullptr;
    QToolBar *simulatorToolBar = nullptr;

    QAction *newAct = nullptr;
    QAction *openAct = nullptr;
    QAction *saveAct = nullptr;
    QAction *saveAsAct = nullptr;
    QAction *exitAct = nullptr;
    QAction *cutAct = nullptr;
    QAction *copyAct = nullptr;
    QAction *pasteAct = nullptr;
    QAction *findAct = nullptr;
    QAction *runAct = nullptr;
    QAction *aboutAct = nullptr;
    QAction *aboutQtAct = nullptr;
    QAction *separatorAct = nullptr;
    QAction *recentFileActs[MaxRecentFiles] = {};

    // The state of every run; its log shows lines through this window.
    std::unique_ptr<SimState> state;
};
