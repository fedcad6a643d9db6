#pragma once
// The simulator's one window: the editor of the .vdo document, the output and process
// panes of a run, and the actions, menus and tool bars that drive them.

#include "core/panesink.h"

#include <QMainWindow>
#include <QString>
#include <memory>

class LinePaneModel;
class QAction;
class QCloseEvent;
class QGroupBox;
class QListView;
class QMenu;
class QPlainTextEdit;
class QToolBar;
struct SimState;

class MainWindow : public QMainWindow, public PaneSink {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    // Documents (documents.cpp). Public so that tests and callers can drive them.
    void loadFile(const QString &fileName);
    bool saveFile(const QString &fileName);
    QString currentFile() const { return curFile; }

    // Access for tests and tools.
    QPlainTextEdit *editor() const { return textEdit; }
    QListView *outputPane() const { return outputView; }
    QListView *processPane() const { return processView; }
    LinePaneModel *outputModel() const { return outputLines; }
    LinePaneModel *processModel() const { return processLines; }
    // Every action has an objectName ("newAct", "recentFileAct1", ...).
    QAction *action(const QString &objectName) const;

    // PaneSink: how a run shows its lines in this window.
    void clearOutputPane() override;
    void clearProcessPane() override;
    void appendToOutputPane(const QStringList &lines) override;
    void appendToProcessPane(const QStringList &lines) override;
    void showStatus(const QString &text) override;

protected:
    void closeEvent(QCloseEvent *event) override;

public slots:
    void newFile();
    void open();
    bool save();
    bool saveAs();
    void openRecentFile();
    void run();
    void about();
    void documentWasModified();

private:
    enum { MaxRecentFiles = 5 };

    void createPanes();
    void createCentralWidget();
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

    bool maybeSave();
    void setCurrentFile(const QString &fileName);
    void updateRecentFileActions();
    static QString strippedName(const QString &fullFileName);

    QGroupBox *editorBox = nullptr;
    QGroupBox *outputBox = nullptr;
    QGroupBox *processBox = nullptr;
    QPlainTextEdit *textEdit = nullptr;
    QListView *outputView = nullptr;
    QListView *processView = nullptr;
    LinePaneModel *outputLines = nullptr;
    LinePaneModel *processLines = nullptr;
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
    QAction *runAct = nullptr;
    QAction *aboutAct = nullptr;
    QAction *aboutQtAct = nullptr;
    QAction *separatorAct = nullptr;
    QAction *recentFileActs[MaxRecentFiles] = {};

    // The state of every run; its log shows lines through this window.
    std::unique_ptr<SimState> state;
};
