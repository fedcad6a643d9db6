// The saved file's chart in the window: the "Diagrama" tab beside the waveforms, laid
// out from the file on disk when it is loaded and after each save (never from the
// editor's unsaved text) on a worker thread, with the last run's path of the cycle under
// the waveform cursor. The waveform cursor and the chart's cycle are one. New clears it.

#include "gui/mainwindow.h"

#include "gui/chartloader.h"
#include "gui/chartview.h"
#include "gui/codeeditor.h"
#include "gui/sourcejump.h"
#include "gui/waveformview.h"

#include <QStatusBar>
#include <QTabWidget>
#include <QTextDocument>

namespace {

constexpr int kJumpStatusTimeout = 5000;

} // namespace

void MainWindow::createChartPane()
{
    m_chartView = new ChartView(this);
    m_chartView->setObjectName(QStringLiteral("chartView"));
    m_chartPage = addResultsPane(tr("Diagrama"), m_chartView);
    m_reports->setTabToolTip(m_reports->indexOf(m_chartPage),
                             tr("El diagrama del archivo guardado, con el estado y el camino del ciclo elegido"));
    m_chartLoader = new ChartLoader(this);
    connect(m_chartLoader, &ChartLoader::started, this, [this] {
        if (!m_chartView->hasChart())
            m_chartView->showMessage(tr("Dibujando el diagrama…"));
    });
    connect(m_chartLoader, &ChartLoader::laidOut, m_chartView, &ChartView::setChart);
    connect(m_chartLoader, &ChartLoader::failed, this, [this](const QString &error) {
        m_chartView->showMessage(tr("No se puede dibujar el diagrama del archivo guardado:\n%1").arg(error));
    });
    connect(m_chartLoader, &ChartLoader::tooSlow, this, [this] {
        m_chartView->showMessage(tr("El diagrama tarda demasiado en dibujarse; el resto de la ventana sigue "
                                    "funcionando. Guarde de nuevo para volver a intentarlo."));
    });
    // One cycle for both views.
    connect(m_waveformView, &WaveformView::cursorCycleChanged, m_chartView, &ChartView::setCycle);
    connect(m_chartView, &ChartView::cycleChanged, m_waveformView, &WaveformView::setCursorCycle);
    connect(m_chartView, &ChartView::boxClicked, this, &MainWindow::jumpToBox);
    connect(m_textEdit->document(), &QTextDocument::modificationChanged, m_chartView, &ChartView::setEditorModified);

    // Fit brings the chart into view, fits it there and gives it the keys, so that ←/→
    // go through the cycles at once.
    QAction *fitAct = m_chartView->fitAction();
    fitAct->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_0));
    connect(fitAct, &QAction::triggered, this, [this] {
        m_reports->setCurrentWidget(m_chartPage);
        m_chartView->setFocus(Qt::ShortcutFocusReason);
    });
}

// Called once the file is on disk. A path of an earlier run belongs to the file as it
// was, so it goes.
void MainWindow::layOutSavedFile(const DesignWarnings &warnings)
{
    m_chartView->clearResults();
    // Another file's chart goes at once; the file's own stays until its new layout comes.
    if (m_chartFile != m_curFile)
        m_chartView->showMessage(tr("Dibujando el diagrama…"));
    m_chartFile = m_curFile;
    m_chartView->setWarnings(warnings);
    m_chartLoader->request(m_curFile);
}

void MainWindow::clearChart()
{
    m_chartLoader->clear();
    m_chartFile.clear();
    m_chartView->clearResults();
    m_chartView->setWarnings({});
    m_chartView->showMessage(tr("Abra o guarde un archivo .vdo para ver su diagrama."));
}

// The chart is of the saved file; the editor may hold edits, so the box is found in the
// editor's text by its place among the boxes, as the reader counts them.
void MainWindow::jumpToBox(int position, qint32 id)
{
    const QStringList lines = m_textEdit->toPlainText().split(QLatin1Char('\n'));
    const int line = boxPositionLine(lines, position);
    if (line == 0 || !m_textEdit->selectLine(line)) {
        statusBar()->showMessage(tr("No hay ninguna caja con ID %1 en el editor").arg(id), kJumpStatusTimeout);
        return;
    }
    m_textEdit->setFocus(Qt::OtherFocusReason);
}
