// The document in the editor: new, open, save, the question before unsaved changes are
// lost, the title that names it, and the list of recently used files in the File menu.
// A new or opened document leaves no result of an earlier run in the window.

#include "gui/mainwindow.h"

#include "gui/codeeditor.h"
#include "gui/documentfile.h"
#include "gui/encodingquestion.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace {

const QString kRecentFilesKey = QStringLiteral("recentFileList");
const QString kUntitled = QStringLiteral("untitled.vdo");
const QString kDesignSuffix = QStringLiteral("vdo");
constexpr int kStatusTimeout = 2000;

// Reading or writing a document can take a moment on a large file.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

void MainWindow::newFile()
{
    if (maybeSave()) {
        m_textEdit->clear();
        setCurrentFile(QString());
        clearRunResults();
        clearWarnings();
        clearChart();
    }
}

void MainWindow::open()
{
    if (!maybeSave())
        return;
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Abrir un diseño"), QString(),
                                                          tr("Diseños ASM (*.vdo)"));
    if (!fileName.isEmpty())
        openDocument(fileName);
}

void MainWindow::openFile(const QString &fileName)
{
    if (maybeSave())
        openDocument(fileName);
}

// A file that cannot be loaded changes nothing, the results of the last run included.
void MainWindow::openDocument(const QString &fileName)
{
    const quint64 before = m_documentsMadeCurrent;
    loadFile(fileName);
    if (m_documentsMadeCurrent != before)
        clearRunResults();
}

QString droppedDesign(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return QString();
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".vdo"), Qt::CaseInsensitive))
            return url.toLocalFile();
    }
    return QString();
}

// A drag that carries a .vdo file is taken, on the editor as anywhere else.
bool MainWindow::acceptDesignDrag(QDropEvent *event)
{
    if (droppedDesign(event->mimeData()).isEmpty())
        return false;
    event->acceptProposedAction();
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    acceptDesignDrag(event);
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString fileName = droppedDesign(event->mimeData());
    if (fileName.isEmpty())
        return;
    event->acceptProposedAction();
    // The save question is a modal box: it is asked once the drop is over, so that the
    // application the file came from is not kept waiting.
    QTimer::singleShot(0, this, [this, fileName] { openFile(fileName); });
}

// The editor would take a dropped file as text to insert; a .vdo file is opened instead.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_textEdit->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (acceptDesignDrag(static_cast<QDropEvent *>(event)))
                return true;
            break;
        case QEvent::Drop:
            if (!droppedDesign(static_cast<QDropEvent *>(event)->mimeData()).isEmpty()) {
                dropEvent(static_cast<QDropEvent *>(event));
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::save()
{
    return m_curFile.isEmpty() ? saveAs() : saveFile(m_curFile);
}

// The dialog adds ".vdo" to a name typed without a suffix before it checks whether the
// file exists; a name it hands back without one gets it here all the same.
bool MainWindow::saveAs()
{
    QFileDialog dialog(this, tr("Guardar el diseño como"), m_curFile.isEmpty() ? kUntitled : m_curFile,
                       tr("Diseños ASM (*.vdo)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(kDesignSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    QString fileName = dialog.selectedFiles().constFirst();
    if (fileName.isEmpty())
        return false;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QLatin1Char('.') + kDesignSuffix;
    return saveFile(fileName);
}

// Opening a recent file asks about unsaved changes first, as New and Open do: replacing
// the editor's text silently would lose the user's work.
void MainWindow::openRecentFile()
{
    auto *act = qobject_cast<QAction *>(sender());
    if (!act || std::find(std::begin(m_recentFileActs), std::end(m_recentFileActs), act) == std::end(m_recentFileActs))
        return;
    if (maybeSave())
        openDocument(act->data().toString());
}

bool MainWindow::maybeSave()
{
    if (!m_textEdit->document()->isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        this, programName(), tr("El documento se ha modificado.\n¿Quieres guardar los cambios?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void MainWindow::loadFile(const QString &fileName)
{
    // Read raw: the document keeps each line's own ending and the file's encoding.
    QFile file(fileName);
    if (!file.open(QFile::ReadOnly)) {
        QMessageBox::warning(this, programName(),
                             tr("No se puede cargar el archivo %1:\n%2.").arg(fileName, file.errorString()));
        return;
    }
    {
        WaitCursor wait;
        m_textEdit->setDocumentText(readDocument(file.readAll()));
    }
    setCurrentFile(fileName);
    checkSavedFile();
    statusBar()->showMessage(tr("Archivo cargado"), kStatusTimeout);
}

bool MainWindow::saveFile(const QString &fileName)
{
    // An untitled document is a new file, whatever file the editor held before New.
    if (m_curFile.isEmpty())
        m_textEdit->setFileFormat(DocumentFormat());
    DocumentText text = m_textEdit->documentText();
    std::optional<QByteArray> bytes = writeDocument(text);
    if (!bytes) {
        // Asked before the file is opened, so that Cancel leaves it as it was.
        if (!askToSaveAsUtf8(this, text))
            return false;
        text.format.encoding = TextEncoding::Utf8;
        text.format.byteOrderMark = false;
        bytes = writeDocument(text);  // UTF-8 holds every character
    }
    QFile file(fileName);
    bool written = file.open(QFile::WriteOnly | QFile::Truncate);
    if (written) {
        WaitCursor wait;
        written = file.write(*bytes) == bytes->size() && file.flush();
    }
    if (!written) {
        QMessageBox::warning(this, programName(),
                             tr("No se puede guardar el archivo %1:\n%2.").arg(fileName, file.errorString()));
        return false;
    }
    m_textEdit->setFileFormat(text.format);
    setCurrentFile(fileName);
    checkSavedFile();
    statusBar()->showMessage(tr("Archivo guardado"), kStatusTimeout);
    return true;
}

void MainWindow::setCurrentFile(const QString &fileName)
{
    m_curFile = fileName;
    ++m_documentsMadeCurrent;
    m_textEdit->document()->setModified(false);
    setWindowModified(false);

    if (!fileName.isEmpty()) {
        // The list belongs to the application's own settings store, not the geometry's.
        QSettings settings;
        QStringList files = settings.value(kRecentFilesKey).toStringList();
        files.removeAll(fileName);
        files.prepend(fileName);
        while (files.size() > MaxRecentFiles)
            files.removeLast();
        settings.setValue(kRecentFilesKey, files);
    }

    // Every open window shows the same list.
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<MainWindow *>(widget))
            window->updateRecentFileActions();
    }

    setWindowFilePath(fileName.isEmpty() ? kUntitled : fileName);
    updateTitle();
}

// "counter.vdo[*] — Simulador de ...": the file that Run simulates, and where the window
// system puts its unsaved-changes mark.
void MainWindow::updateTitle()
{
    const QString shown = m_curFile.isEmpty() ? kUntitled : strippedName(m_curFile);
    setWindowTitle(tr("%1[*] — %2").arg(shown, programName()));
}

void MainWindow::updateRecentFileActions()
{
    const QStringList files = QSettings().value(kRecentFilesKey).toStringList();
    const int shown = qMin(int(files.size()), int(MaxRecentFiles));
    for (int i = 0; i < shown; ++i) {
        m_recentFileActs[i]->setText(tr("&%1 %2").arg(QString::number(i + 1), strippedName(files[i])));
        m_recentFileActs[i]->setData(files[i]);
        m_recentFileActs[i]->setVisible(true);
    }
    for (int i = shown; i < MaxRecentFiles; ++i)
        m_recentFileActs[i]->setVisible(false);
    m_separatorAct->setVisible(shown > 0);
}

QString MainWindow::strippedName(const QString &fullFileName)
{
    return QFileInfo(fullFileName).fileName();
}
