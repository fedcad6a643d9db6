// The saved file's warnings in the window: the shapes and texts that will not run as
// drawn, found when a file is loaded or saved (never on the editor's unsaved text), shown
// as the "Avisos" tab of the reports and as marks in the editor's gutter. New clears them.

#include "gui/mainwindow.h"

#include "gui/codeeditor.h"
#include "gui/warninglist.h"
#include "check/checkdesign.h"

#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>

namespace {

constexpr int kJumpStatusTimeout = 5000;

} // namespace

void MainWindow::createWarningsPane()
{
    m_warningList = new WarningList(this);
    m_warningList->setObjectName(QStringLiteral("warningList"));
    m_warningsPage = reportPage("warningsPage", m_warningList, nullptr);
    m_reports->addTab(m_warningsPage, m_warningList->title());
    m_reports->setTabToolTip(m_reports->indexOf(m_warningsPage),
                           tr("Avisos del archivo guardado: lo que no se simulará como está dibujado"));
    connect(m_warningList, &WarningList::changed, this, &MainWindow::showWarningCount);
    connect(m_warningList, &WarningList::lineRequested, this, &MainWindow::jumpToWarning);
    connect(m_textEdit->document(), &QTextDocument::modificationChanged, m_warningList, &WarningList::setEditorModified);
}

// Called once the file is on disk, so the check reads what a run would read. A design of
// 300 boxes is checked in a few milliseconds, so the window does not wait on it.
void MainWindow::checkSavedFile()
{
    const DesignCheck check = checkDesignFile(m_curFile);
    m_warningList->showCheck(m_curFile, check);
    m_textEdit->setLineMarks(warningMarks(check.warnings));
    layOutSavedFile(check.warnings);
}

void MainWindow::clearWarnings()
{
    m_warningList->clear();
    m_textEdit->setLineMarks({});
}

void MainWindow::showWarningCount()
{
    m_reports->setTabText(m_reports->indexOf(m_warningsPage), m_warningList->title());
}

// The line belongs to the saved file; with unsaved edits the header says so.
void MainWindow::jumpToWarning(int line)
{
    if (line < 1 || !m_textEdit->selectLine(line)) {
        statusBar()->showMessage(line < 1 ? tr("El aviso no señala ninguna línea")
                                          : tr("La línea %1 no está en el editor").arg(line),
                                 kJumpStatusTimeout);
        return;
    }
    m_textEdit->setFocus(Qt::OtherFocusReason);
}
