// The saved file's warnings in the window: the shapes and texts that will not run as
// drawn, found when a file is loaded or saved (never on the editor's unsaved text), shown
// as the "Avisos" tab of the reports and as marks in the editor's gutter. New clears them.

#include "app/mainwindow.h"

#include "app/codeeditor.h"
#include "app/warninglist.h"
#include "check/checkdesign.h"

#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>

namespace {

constexpr int kJumpStatusTimeout = 5000;

} // namespace

void MainWindow::createWarningsPane()
{
    warningList = new WarningList(this);
    warningList->setObjectName(QStringLiteral("warningList"));
    warningsPage = reportPage("warningsPage", warningList, nullptr);
    reports->addTab(warningsPage, warningList->title());
    reports->setTabToolTip(reports->indexOf(warningsPage),
                           tr("Avisos del archivo guardado: lo que no se simulará como está dibujado"));
    connect(warningList, &WarningList::changed, this, &MainWindow::showWarningCount);
    connect(warningList, &WarningList::lineRequested, this, &MainWindow::jumpToWarning);
    connect(textEdit->document(), &QTextDocument::modificationChanged, warningList, &WarningList::setEditorModified);
}

// Called once the file is on disk, so the check reads what a run would read. A design of
// 300 boxes is checked in a few milliseconds, so the window does not wait on it.
void MainWindow::checkSavedFile()
{
    const DesignCheck check = checkDesignFile(curFile);
    warningList->showCheck(curFile, check);
    textEdit->setLineMarks(warningMarks(check.warnings));
}

void MainWindow::clearWarnings()
{
    warningList->clear();
    textEdit->setLineMarks({});
}

void MainWindow::showWarningCount()
{
    reports->setTabText(reports->indexOf(warningsPage), warningList->title());
}

// The line belongs to the saved file; with unsaved edits the header says so.
void MainWindow::jumpToWarning(int line)
{
    if (line < 1 || !textEdit->selectLine(line)) {
        statusBar()->showMessage(line < 1 ? tr("El aviso no señala ninguna línea")
                                          : tr("La línea %1 no está en el editor").arg(line),
                                 kJumpStatusTimeout);
        return;
    }
    textEdit->setFocus(Qt::OtherFocusReason);
}
