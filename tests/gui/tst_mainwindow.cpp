// The main window: its layout, actions and menus, the geometry it keeps, the document
// in its editor, the recent-file list, the Run command, dropping files, finding text
// and going from a pane line to the file.

#include "gui/chartview.h"
#include "gui/codeeditor.h"
#include "gui/findbar.h"
#include "gui/linepanemodel.h"
#include "gui/mainwindow.h"
#include "gui/verdictbar.h"
#include "gui/waveformview.h"
#include "results/runresults.h"
#include "testmain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>
#include <memory>

namespace {

const QString kOrganization = QStringLiteral("Brelloc");
const QString kApplication = QStringLiteral("Simulador de circuitos digitales");
const QString kGeometryApplication = QStringLiteral("Tessivane");
const QString kMaybeSaveText = QStringLiteral("El documento se ha modificado.\n¿Quieres guardar los cambios?");
const QString kRule = QStringLiteral("---------------------------------------------");
const QString kProgramName = QStringLiteral("Simulador de circuitos digitales para diagramas ASM");

// Answers the modal windows that open while it lives, one handler per window, in order.
// A modal window only appears once its own event loop runs, so it polls. A window for
// which no handler is left is rejected, so that a test never hangs; it is still counted.
class ModalAnswerer : public QObject {
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalAnswerer(QList<Handler> handlers = {}) : m_handlers(std::move(handlers))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
    }

    int seen() const { return int(titles.size()); }

    QStringList titles;
    QStringList texts;
    int stuck = 0;  // windows that their handler left open
    QList<QMessageBox::StandardButtons> buttons;
    QList<QStringList> buttonTexts;  // every button's text, in the box's order
    QStringList checkBoxes;          // the check box's text, empty for none

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || m_answered.contains(modal))
            return;
        m_answered << modal;
        record(modal);
        Handler handler = m_handlers.isEmpty() ? Handler(&rejectLater) : m_handlers.takeFirst();
        // Answer a little later: a dialog can become modal while it is still being shown,
        // before its own event loop runs, and an answer given then would be lost.
        QPointer<QWidget> target(modal);
        QTimer::singleShot(30, this, [target, handler] {
            if (target)
                handler(target);
        });
        // A window that its handler failed to close would hang the test; close it.
        QTimer::singleShot(5000, this, [this, target] {
            if (target && target->isVisible()) {
                ++stuck;
                rejectLater(target);
            }
        });
    }

    static void rejectLater(QWidget *modal)
    {
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    }

    void record(QWidget *modal)
    {
        titles << modal->windowTitle();
        auto *box = qobject_cast<QMessageBox *>(modal);
        texts << (box ? box->text() : QString());
        buttons << (box ? box->standardButtons() : QMessageBox::StandardButtons());
        QStringList names;
        if (box) {
            for (QAbstractButton *button : box->buttons())
                names << button->text();
        }
        buttonTexts << names;
        checkBoxes << (box && box->checkBox() ? box->checkBox()->text() : QString());
    }

    QTimer m_timer;
    QList<Handler> m_handlers;
    QList<QPointer<QWidget>> m_answered;
};

// Types text at the end of the document, as a user adding to a loaded file does.
void typeAtEnd(MainWindow &window, const QString &text)
{
    window.editor()->moveCursor(QTextCursor::End);
    window.editor()->insertPlainText(text);
}

ModalAnswerer::Handler press(QMessageBox::StandardButton which)
{
    return [which](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QAbstractButton *button = box ? box->button(which) : nullptr;
        if (button)
            button->click();
        else
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    };
}

// Clicks the button with this text.
ModalAnswerer::Handler click(const QString &text)
{
    return [text](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        const QList<QAbstractButton *> all = box ? box->buttons() : QList<QAbstractButton *>();
        for (QAbstractButton *button : all) {
            if (button->text() == text) {
                button->click();
                return;
            }
        }
        QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
    };
}

// Ticks the box's check box, then presses the button.
ModalAnswerer::Handler tickAndPress(QMessageBox::StandardButton which)
{
    return [which](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box && box->checkBox())
            box->checkBox()->setChecked(true);
        press(which)(modal);
    };
}

ModalAnswerer::Handler chooseFile(const QString &path)
{
    return [path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        // The dialog leaves its name field alone while the field has the focus.
        if (QWidget *focused = dialog->focusWidget())
            focused->clearFocus();
        dialog->selectFile(path);
        // accept() is protected in QFileDialog; its slot is what the Save button calls.
        QMetaObject::invokeMethod(dialog, "accept");
    };
}

ModalAnswerer::Handler cancelDialog()
{
    return [](QWidget *modal) { QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection); };
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// What the file system says when the file cannot be opened that way.
QString openError(const QString &path, QIODevice::OpenMode mode)
{
    QFile probe(path);
    probe.open(mode);
    return probe.errorString();
}

QStringList recentList()
{
    return QSettings().value(QStringLiteral("recentFileList")).toStringList();
}

QStringList lastRows(const QStringList &rows, int count)
{
    return rows.mid(qMax(0, int(rows.size()) - count));
}

const QString kShowSimulatingKey = QStringLiteral("showSimulatingMessage");

void showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QMimeData *urlsOf(const QStringList &paths)
{
    auto *mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    mime->setUrls(urls);
    mime->setText(paths.join(QLatin1Char('\n')));
    return mime;
}

// Sends a drag over target and drops it there; true when the drag was taken.
bool dragAndDrop(QWidget *target, const QStringList &paths)
{
    std::unique_ptr<QMimeData> mime(urlsOf(paths));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// The row of a pane that holds exactly this text; -1 when there is none.
int rowWith(const LinePaneModel *model, const QString &text)
{
    return int(model->rows().indexOf(text));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    QString makeFile(const QString &name, const QByteArray &content);
    QString path(const QString &name) const { return m_files->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<QTemporaryDir> m_files;
    QString m_oldOrganization, m_oldApplication, m_oldCurrentDir;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    // Window and actions
    void firstStartGeometry_data();
    void firstStartGeometry();
    void defaultGeometryWithEmptyStore();
    void storedGeometryIsRestored();
    void layoutOfTheWindow();
    void fixedFontInEditorAndPanes();
    void splitterSizesAreRestored();
    void resultsPaneAddedLater();
    void actionTable_data();
    void actionTable();
    void menusAndToolBars();
    void cutAndCopyFollowTheSelection();
    void paneLinesCanBeSelectedAndCopied();
    void modifiedFlagFollowsTheEditor();
    void aboutBox();

    // Closing
    void closeWithCancelKeepsWindowAndWritesNoGeometry();
    void closeUnmodifiedWritesGeometry();
    void exitActionClosesTheWindow();

    // Documents
    void newFileOnModifiedDocumentCancel();
    void newFileOnModifiedDocumentDiscard();
    void newFileOnModifiedDocumentSave();
    void newFileOnUnmodifiedDocumentAsksNothing();
    void saveOnUntitledAsksForName();
    void saveAsDialogClosedWithoutName();
    void saveAsOffersDesignsAndAddsTheSuffix();
    void openDialogOffersDesigns();
    void titleNamesTheDocument();
    void saveOnNamedDocumentWritesWithoutDialog();
    void saveFileThatCannotBeWritten();
    void loadMissingFileChangesNothing();
    void documentsAreUtf8();

    // Recent files
    void recentEntriesStartHidden();
    void recentListKeepsFiveMostRecent();
    void recentListIsSharedByAllWindows();
    void openRecentAsksBeforeDiscardingUnsavedChanges();
    void recentEntryOfVanishedFile();

    // Run
    void runWithoutFile();
    void runSavedFile();
    void runShowsTheCycleCount();
    void secondRunReplacesFirstAndCanIgnoreUnsavedText();
    void unsavedChangesQuestion_data();
    void unsavedChangesQuestion();
    void saveAndRunStopsWhenTheSaveFails();
    void simulatingMessageCanBeTurnedOff();
    void runKeys();
    void runFillsTheWaveforms();

    // Opening by command line and by dropping
    void dropOpensDesign();
    void dropOnTheEditorOpensDesign();
    void dropAsksAboutUnsavedChanges();
    void commandLineOpensFile();
    void commandLineHelpNeedsNoScreen();

    // From a pane line to the source, and finding
    void jumpFromPaneToSource_data();
    void jumpFromPaneToSource();
    void jumpWhenTheEditorHoldsAnotherFile();
    void jumpToWhatIsNotThere();
    void findOpensUnderTheFocusedPane();
};

QString TestMainWindow::makeFile(const QString &name, const QByteArray &content)
{
    const QString filePath = path(name);
    if (!writeBytes(filePath, content))
        qWarning("could not write %s", qPrintable(filePath));
    return filePath;
}

void TestMainWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_settingsDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_settingsDir->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir->path());
    m_oldOrganization = QCoreApplication::organizationName();
    m_oldApplication = QCoreApplication::applicationName();
    QCoreApplication::setOrganizationName(kOrganization);
    QCoreApplication::setApplicationName(kApplication);
    m_oldCurrentDir = QDir::currentPath();
}

void TestMainWindow::cleanupTestCase()
{
    QCoreApplication::setOrganizationName(m_oldOrganization);
    QCoreApplication::setApplicationName(m_oldApplication);
}

void TestMainWindow::init()
{
    QSettings().clear();
    QSettings(kOrganization, kGeometryApplication).clear();
    m_files = std::make_unique<QTemporaryDir>();
    QVERIFY(m_files->isValid());
}

void TestMainWindow::cleanup()
{
    QDir::setCurrent(m_oldCurrentDir);
    m_files.reset();
}

// ---- Window and actions ------------------------------------------------------------

void TestMainWindow::firstStartGeometry_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    // 1280 x 860 centred: (1920 - 1280) / 2 = 320, (1080 - 860) / 2 = 110.
    QTest::newRow("full HD") << QRect(0, 0, 1920, 1080) << QRect(320, 110, 1280, 860);
    // A 1366 x 768 laptop: the whole width (96 % of 1366 is 1311) but 92 % of 768, 706,
    // centred at ((1366 - 1280) / 2, (768 - 706) / 2).
    QTest::newRow("laptop") << QRect(0, 0, 1366, 768) << QRect(43, 31, 1280, 706);
    // The same with a panel of 27 pixels at the top: 92 % of 741 is 681.
    QTest::newRow("laptop with a panel") << QRect(0, 27, 1366, 741) << QRect(43, 57, 1280, 681);
    // 96 % of 800 is 768, 92 % of 600 is 552, centred at (16, 24).
    QTest::newRow("small screen") << QRect(0, 0, 800, 600) << QRect(16, 24, 768, 552);
    // Wide enough but short (a panel takes 40 pixels at the top): 92 % of 700 is 644.
    QTest::newRow("short screen") << QRect(0, 40, 1600, 700) << QRect(160, 68, 1280, 644);
    // A second screen right of the first.
    QTest::newRow("second screen") << QRect(1920, 0, 2560, 1440) << QRect(1920 + 640, 290, 1280, 860);
    // A platform that tells nothing of its screen.
    QTest::newRow("no screen area") << QRect() << QRect(0, 0, 1280, 860);
}

void TestMainWindow::firstStartGeometry()
{
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QCOMPARE(::firstStartGeometry(available), expected);
}

void TestMainWindow::defaultGeometryWithEmptyStore()
{
    MainWindow window;
    const QRect expected = ::firstStartGeometry(window.screen()->availableGeometry());
    QCOMPARE(window.pos(), expected.topLeft());
    QCOMPARE(window.size(), expected.size());
    // The old default of 400 x 400 is gone.
    QVERIFY(window.size() != QSize(400, 400));
}

void TestMainWindow::storedGeometryIsRestored()
{
    {
        QSettings geometry(kOrganization, kGeometryApplication);
        geometry.setValue(QStringLiteral("pos"), QPoint(310, 240));
        geometry.setValue(QStringLiteral("size"), QSize(640, 520));
        // The recent-file store is another store: its keys must not be taken for geometry.
        QSettings().setValue(QStringLiteral("pos"), QPoint(5, 5));
    }
    MainWindow window;
    QCOMPARE(window.pos(), QPoint(310, 240));
    QCOMPARE(window.size(), QSize(640, 520));
}

void TestMainWindow::layoutOfTheWindow()
{
    MainWindow window;
    // The title names the untitled document; "[*]" marks where the unsaved-changes mark goes.
    QCOMPARE(window.windowTitle(),
             QStringLiteral("untitled.vdo[*] — Simulador de circuitos digitales para diagramas ASM"));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Listo"));
    QCOMPARE(window.currentFile(), QString());
    QCOMPARE(window.windowFilePath(), QStringLiteral("untitled.vdo"));

    // The verdict above; below it the editor beside the reports, which are tabs of one
    // area: the output pane, the process pane and the waveforms, each pane with its find
    // bar, hidden until asked for.
    QWidget *central = window.centralWidget();
    auto *column = qobject_cast<QVBoxLayout *>(central->layout());
    QVERIFY(column);
    QCOMPARE(column->itemAt(0)->widget(), window.verdictBar());
    QSplitter *main = window.mainSplitter();
    QCOMPARE(column->itemAt(1)->widget(), main);
    QCOMPARE(main->orientation(), Qt::Horizontal);
    QCOMPARE(main->count(), 2);
    QCOMPARE(main->widget(1), window.reportTabs());
    QTabWidget *tabs = window.reportTabs();
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Salida de la simulación"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Proceso de la simulación"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Formas de onda"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("Diagrama"));
    // The saved file's warnings; no file yet, so no count.
    QCOMPARE(tabs->tabText(4), QStringLiteral("Avisos"));
    QCOMPARE(tabs->tabToolTip(0), QStringLiteral("Ventana de salida del archivo tras la simulación"));
    QCOMPARE(tabs->tabToolTip(1), QStringLiteral("Ventana con el proceso de la simulación"));
    QCOMPARE(tabs->widget(2)->layout()->itemAt(0)->widget(), window.waveforms());
    QCOMPARE(tabs->widget(3)->layout()->itemAt(0)->widget(), window.chart());

    auto *editorBox = qobject_cast<QGroupBox *>(main->widget(0));
    QVERIFY(editorBox);
    QCOMPARE(editorBox->title(), QStringLiteral("Ventana de edicion del archivo .vdo"));
    const QList<QPair<QWidget *, QWidget *>> places = {
        {editorBox, window.editor()}, {tabs->widget(0), window.outputPane()}, {tabs->widget(1), window.processPane()}};
    for (const auto &[holder, content] : places) {
        auto *inner = qobject_cast<QVBoxLayout *>(holder->layout());
        QVERIFY(inner);
        QCOMPARE(inner->count(), 2);
        QCOMPARE(inner->itemAt(0)->widget(), content);
        FindBar *bar = window.findBarOf(content);
        QVERIFY(bar);
        QCOMPARE(inner->itemAt(1)->widget(), bar);
        QVERIFY(bar->isHidden());
    }
}

void TestMainWindow::fixedFontInEditorAndPanes()
{
    MainWindow window;
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QVERIFY(QFontInfo(fixed).fixedPitch());
    QCOMPARE(window.editor()->font(), fixed);
    QCOMPARE(window.outputPane()->font(), fixed);
    QCOMPARE(window.processPane()->font(), fixed);
    const qreal column = QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' '));
    QCOMPARE(window.editor()->tabStopDistance(), 8 * column);
    QCOMPARE(window.outputPane()->textElideMode(), Qt::ElideNone);
}

// The sizes of editor and reports, the report in view and a moved tool bar are kept.
void TestMainWindow::splitterSizesAreRestored()
{
    QList<int> mainSizes;
    {
        MainWindow window;
        window.resize(1000, 700);
        showActive(window);
        // Move the handle from where it starts; what the splitter then shows is kept.
        auto *simulator = window.findChild<QToolBar *>(QStringLiteral("simulatorToolBar"));
        window.addToolBar(Qt::LeftToolBarArea, simulator);
        QApplication::processEvents();
        const QList<int> main = window.mainSplitter()->sizes();
        window.mainSplitter()->setSizes({main[0] + 60, main[1] - 60});
        mainSizes = window.mainSplitter()->sizes();
        QCOMPARE(mainSizes[0], main[0] + 60);
        window.reportTabs()->setCurrentIndex(1);
        ModalAnswerer answers;
        QVERIFY(window.close());
    }
    MainWindow next;
    showActive(next);
    QCOMPARE(next.size(), QSize(1000, 700));
    QCOMPARE(next.mainSplitter()->sizes(), mainSizes);
    QCOMPARE(next.reportTabs()->currentWidget(), next.processPane()->parentWidget());
    QCOMPARE(next.toolBarArea(next.findChild<QToolBar *>(QStringLiteral("simulatorToolBar"))), Qt::LeftToolBarArea);
}

// Another results view after the waveforms is one more tab, before the warnings, and is
// remembered as the one in view like the others.
void TestMainWindow::resultsPaneAddedLater()
{
    {
        MainWindow window;
        auto *view = new QLabel(QStringLiteral("vista"));
        view->setObjectName(QStringLiteral("otraVista"));
        QWidget *page = window.addResultsPane(QStringLiteral("Otra vista"), view);
        QCOMPARE(window.reportTabs()->count(), 6);
        QCOMPARE(window.reportTabs()->widget(4), page);
        QCOMPARE(window.reportTabs()->tabText(5), QStringLiteral("Avisos"));
        QCOMPARE(window.reportTabs()->tabText(4), QStringLiteral("Otra vista"));
        QVERIFY(page->isAncestorOf(view));
        showActive(window);
        window.reportTabs()->setCurrentWidget(page);
        QVERIFY(window.close());
    }
    MainWindow next;
    // Until the view is added again, the first report stays in view.
    QCOMPARE(next.reportTabs()->currentIndex(), 0);
    auto *view = new QLabel(QStringLiteral("vista"));
    view->setObjectName(QStringLiteral("otraVista"));
    QWidget *page = next.addResultsPane(QStringLiteral("Otra vista"), view);
    QCOMPARE(next.reportTabs()->currentWidget(), page);
}

void TestMainWindow::actionTable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("standardKey");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QString>("otherKeys");

    const int none = QKeySequence::UnknownKey;
    QTest::newRow("new") << "newAct" << "&New" << ":/images/new.png" << int(QKeySequence::New)
                         << "Crear un archivo nuevo" << "";
    QTest::newRow("open") << "openAct" << "&Open..." << ":/images/open.png" << int(QKeySequence::Open)
                          << "Abrir un archivo existente" << "";
    QTest::newRow("save") << "saveAct" << "&Save" << ":/images/save.png" << int(QKeySequence::Save)
                          << "Guardar el archivo en el disco" << "";
    QTest::newRow("saveAs") << "saveAsAct" << "Save &As..." << "" << int(QKeySequence::SaveAs)
                            << "Guardar archivo como..." << "";
    QTest::newRow("exit") << "exitAct" << "E&xit" << "" << int(QKeySequence::Quit) << "Salir de la aplicacion" << "";
    QTest::newRow("cut") << "cutAct" << "Cu&t" << ":/images/cut.png" << int(QKeySequence::Cut)
                         << "Cortar texto seleccionado" << "";
    QTest::newRow("copy") << "copyAct" << "&Copy" << ":/images/copy.png" << int(QKeySequence::Copy)
                          << "Copiar el texto seleccionado" << "";
    QTest::newRow("paste") << "pasteAct" << "&Paste" << ":/images/paste.png" << int(QKeySequence::Paste) << "Pegar" << "";
    QTest::newRow("find") << "findAct" << "&Find..." << "" << int(QKeySequence::Find)
                          << "Buscar en el editor o en el panel que tiene el foco" << "";
    QTest::newRow("run") << "runAct" << "Run" << ":/images/run.png" << none << "Ejecuta el simulador" << "F5; Ctrl+R";
    QTest::newRow("about") << "aboutAct" << "&About" << "" << none
                           << "Muestra la informacion acerca de la aplicacion" << "";
    QTest::newRow("aboutQt") << "aboutQtAct" << "About &Qt" << "" << none
                             << "Muestra la información acerca de la biblioteca Qt" << "";
}

void TestMainWindow::actionTable()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, icon);
    QFETCH(int, standardKey);
    QFETCH(QString, statusTip);
    QFETCH(QString, otherKeys);

    MainWindow window;
    QAction *act = window.action(name);
    QVERIFY(act);
    QCOMPARE(act->parent(), &window);
    QCOMPARE(act->text(), text);
    QCOMPARE(act->statusTip(), statusTip);

    if (icon.isEmpty()) {
        QVERIFY(act->icon().isNull());
    } else {
        const QImage expected = QImage(icon);
        QVERIFY2(!expected.isNull(), qPrintable(icon + " is not in the resources"));
        // Pixmaps keep premultiplied colour; compare in that form.
        const auto format = QImage::Format_ARGB32_Premultiplied;
        QCOMPARE(act->icon().pixmap(expected.size()).toImage().convertToFormat(format),
                 expected.convertToFormat(format));
    }

    QList<QKeySequence> keys;
    if (standardKey != QKeySequence::UnknownKey)
        keys = QKeySequence::keyBindings(QKeySequence::StandardKey(standardKey));
    if (standardKey == QKeySequence::Quit && keys.isEmpty())
        keys = {QKeySequence(Qt::CTRL | Qt::Key_Q)};
    if (!otherKeys.isEmpty())
        keys = QKeySequence::listFromString(otherKeys, QKeySequence::PortableText);
    QCOMPARE(act->shortcuts(), keys);
}

void TestMainWindow::menusAndToolBars()
{
    MainWindow window;
    const QList<QAction *> bar = window.menuBar()->actions();
    QCOMPARE(bar.size(), 5);
    QCOMPARE(bar[0]->text(), QStringLiteral("&File"));
    QCOMPARE(bar[1]->text(), QStringLiteral("&Edit"));
    QVERIFY(bar[2]->isSeparator());
    QCOMPARE(bar[3]->text(), QStringLiteral("&Simulator"));
    QCOMPARE(bar[4]->text(), QStringLiteral("&Help"));

    const QList<QAction *> file = bar[0]->menu()->actions();
    QCOMPARE(file.size(), 14);
    QCOMPARE(file.mid(0, 4), (QList<QAction *>{window.action("newAct"), window.action("openAct"),
                                               window.action("saveAct"), window.action("saveAsAct")}));
    QVERIFY(file[4]->isSeparator());
    QCOMPARE(file[5], window.action("exportVcdAct"));
    QCOMPARE(file[5]->text(), QStringLiteral("Export Waveform (VCD)..."));
    QVERIFY(file[6]->isSeparator());
    QCOMPARE(file[6], window.action("recentFileSeparator"));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(file[7 + i], window.action(QStringLiteral("recentFileAct%1").arg(i + 1)));
    QVERIFY(file[12]->isSeparator());
    QCOMPARE(file[13], window.action("exitAct"));

    const QList<QAction *> edit = bar[1]->menu()->actions();
    QCOMPARE(edit.size(), 5);
    QCOMPARE(edit.mid(0, 3), (QList<QAction *>{window.action("cutAct"), window.action("copyAct"),
                                               window.action("pasteAct")}));
    QVERIFY(edit[3]->isSeparator());
    QCOMPARE(edit[4], window.action("findAct"));
    const QList<QAction *> simulator = bar[3]->menu()->actions();
    QCOMPARE(simulator.size(), 6);
    QCOMPARE(simulator[0], window.action("runAct"));
    QVERIFY(simulator[1]->isSeparator());
    QCOMPARE(simulator[2], window.waveforms()->fitAction());
    QCOMPARE(simulator[2]->text(), QStringLiteral("Fit"));
    QCOMPARE(simulator[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));
    QCOMPARE(simulator[3], window.chart()->fitAction());
    QCOMPARE(simulator[3]->text(), QStringLiteral("Fit &Chart"));
    QCOMPARE(simulator[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_0));
    QVERIFY(simulator[4]->isSeparator());
    QCOMPARE(simulator[5], window.action("showSimulatingAct"));
    QCOMPARE(simulator[5]->text(), QStringLiteral("Show \"Simulando\" &Message"));
    QCOMPARE(bar[4]->menu()->actions(), (QList<QAction *>{window.action("aboutAct"), window.action("aboutQtAct")}));

    const QList<QToolBar *> bars = window.findChildren<QToolBar *>();
    QCOMPARE(bars.size(), 3);
    QStringList titles;
    for (QToolBar *toolBar : bars)
        titles << toolBar->windowTitle();
    QCOMPARE(titles, (QStringList{"File", "Edit", "Simulator"}));
    QCOMPARE(bars[0]->actions(), (QList<QAction *>{window.action("newAct"), window.action("openAct"),
                                                   window.action("saveAct")}));
    QCOMPARE(bars[1]->actions(), (QList<QAction *>{window.action("cutAct"), window.action("copyAct"),
                                                   window.action("pasteAct")}));
    QCOMPARE(bars[2]->actions(), (QList<QAction *>{window.action("runAct")}));
}

void TestMainWindow::cutAndCopyFollowTheSelection()
{
    MainWindow window;
    QAction *cut = window.action("cutAct");
    QAction *copy = window.action("copyAct");
    QVERIFY(!cut->isEnabled());
    QVERIFY(!copy->isEnabled());
    QVERIFY(window.action("pasteAct")->isEnabled());

    window.editor()->setPlainText(QStringLiteral("Q <= D;"));
    QVERIFY(!cut->isEnabled());
    QVERIFY(!copy->isEnabled());

    window.editor()->selectAll();
    QVERIFY(cut->isEnabled());
    QVERIFY(copy->isEnabled());

    window.editor()->moveCursor(QTextCursor::End);
    QVERIFY(!cut->isEnabled());
    QVERIFY(!copy->isEnabled());
}

// Several pane lines can be selected and copied, with Ctrl+C or the context menu's Copy;
// nothing in a pane can be edited.
void TestMainWindow::paneLinesCanBeSelectedAndCopied()
{
    MainWindow window;
    showActive(window);
    for (QListView *pane : {window.outputPane(), window.processPane()}) {
        QCOMPARE(pane->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(pane->editTriggers(), QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
        QVERIFY(pane->uniformItemSizes());
    }
    QCOMPARE(window.outputPane()->model(), window.outputModel());
    QCOMPARE(window.processPane()->model(), window.processModel());

    window.appendToOutputPane({QStringLiteral("primera\tA"), QStringLiteral("segunda"), QStringLiteral("tercera")});
    window.outputModel()->flush();
    QListView *pane = window.outputPane();
    const auto centre = [&](int row) { return pane->visualRect(window.outputModel()->index(row)).center(); };
    // A click, then a shift-click two rows down: three rows.
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, centre(0));
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(2));
    QCOMPARE(pane->selectionModel()->selectedIndexes().size(), 3);
    // The editor holds a selection too: Ctrl+C in the pane copies the pane's rows.
    window.editor()->setPlainText(QStringLiteral("editor"));
    window.editor()->selectAll();
    QGuiApplication::clipboard()->clear();
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("primera\tA\nsegunda\ntercera\n"));

    // A ctrl-click leaves out the middle row; the context menu copies what is left.
    QTest::mouseClick(pane->viewport(), Qt::LeftButton, Qt::ControlModifier, centre(1));
    QGuiApplication::clipboard()->clear();
    QStringList offered;
    QTimer::singleShot(50, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *act : menu->actions()) {
            offered << act->text();
            if (act->text() == QStringLiteral("&Copy"))
                act->trigger();
        }
        menu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre(0), pane->viewport()->mapToGlobal(centre(0)));
    QApplication::sendEvent(pane->viewport(), &event);
    QCOMPARE(offered, (QStringList{"&Copy", "Select &All"}));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("primera\tA\ntercera\n"));
}

void TestMainWindow::modifiedFlagFollowsTheEditor()
{
    MainWindow window;
    QVERIFY(!window.isWindowModified());
    window.editor()->insertPlainText(QStringLiteral("INPUT A;"));
    QVERIFY(window.isWindowModified());
    window.editor()->document()->undo();
    window.editor()->document()->setModified(false);
    window.editor()->insertPlainText(QStringLiteral(" "));
    QVERIFY(window.isWindowModified());
    QVERIFY(window.saveFile(path(QStringLiteral("a.vdo"))));
    QVERIFY(!window.isWindowModified());
}

void TestMainWindow::aboutBox()
{
    MainWindow window;
    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.action("aboutAct")->trigger();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.titles[0], QStringLiteral("Acerca de: Simulador de circuitos digitales para diagramas ASM"));
    // The version is the project's, as CMake gives it.
    QCOMPARE(answers.texts[0],
             QStringLiteral("Simulador de circuitos digitales para diagramas ASM, versión " ASMSIM_PROJECT_VERSION "\n\n"
                            "Simulador de circuitos digitales integrable en un compilador de diagramas ASM . "
                            "La aplicacion se encarga de mostrar un archivo .vdo, analizarlo y mostrar su "
                            "procesamiento de validación y el archivo LOG de salida que muestra si hay errores "
                            "o no en el archivo .vdo"));
}

// ---- Closing -----------------------------------------------------------------------

void TestMainWindow::closeWithCancelKeepsWindowAndWritesNoGeometry()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.editor()->insertPlainText(QStringLiteral("sin guardar"));

    ModalAnswerer answers({press(QMessageBox::Cancel)});
    QVERIFY(!window.close());
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.texts[0], kMaybeSaveText);
    QVERIFY(window.isVisible());
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("sin guardar"));

    QSettings geometry(kOrganization, kGeometryApplication);
    QVERIFY(!geometry.contains(QStringLiteral("pos")));
    QVERIFY(!geometry.contains(QStringLiteral("size")));
}

void TestMainWindow::closeUnmodifiedWritesGeometry()
{
    QPoint pos;
    QSize size;
    {
        MainWindow window;
        window.resize(560, 470);
        window.move(130, 90);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        pos = window.pos();
        size = window.size();
        ModalAnswerer answers;
        QVERIFY(window.close());
        QCOMPARE(answers.seen(), 0);
        QVERIFY(!window.isVisible());
    }
    QSettings geometry(kOrganization, kGeometryApplication);
    QCOMPARE(geometry.value(QStringLiteral("pos")).toPoint(), pos);
    QCOMPARE(geometry.value(QStringLiteral("size")).toSize(), size);
    QVERIFY(size != QSize(400, 400));

    // The next window opens where this one was.
    MainWindow next;
    QCOMPARE(next.pos(), pos);
    QCOMPARE(next.size(), size);
}

void TestMainWindow::exitActionClosesTheWindow()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.action("exitAct")->trigger();
    QVERIFY(!window.isVisible());
    QVERIFY(QSettings(kOrganization, kGeometryApplication).contains(QStringLiteral("size")));
}

// ---- Documents ---------------------------------------------------------------------

void TestMainWindow::newFileOnModifiedDocumentCancel()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "Box {\n}\n");
    MainWindow window;
    window.loadFile(file);
    typeAtEnd(window, QStringLiteral("mas"));

    ModalAnswerer answers({press(QMessageBox::Cancel)});
    window.action("newAct")->trigger();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.titles[0], kProgramName);
    QCOMPARE(answers.texts[0], kMaybeSaveText);
    QCOMPARE(answers.buttons[0], QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);

    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("Box {\n}\nmas"));
    QCOMPARE(window.currentFile(), file);
    QVERIFY(window.isWindowModified());
    QCOMPARE(readBytes(file), QByteArray("Box {\n}\n"));
}

void TestMainWindow::newFileOnModifiedDocumentDiscard()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "Box {\n}\n");
    MainWindow window;
    window.loadFile(file);
    window.editor()->insertPlainText(QStringLiteral("cambio "));

    ModalAnswerer answers({press(QMessageBox::Discard)});
    window.action("newAct")->trigger();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(window.editor()->toPlainText(), QString());
    QCOMPARE(window.currentFile(), QString());
    QCOMPARE(window.windowFilePath(), QStringLiteral("untitled.vdo"));
    QVERIFY(!window.isWindowModified());
    QVERIFY(!window.editor()->document()->isModified());
    QCOMPARE(readBytes(file), QByteArray("Box {\n}\n"));
}

void TestMainWindow::newFileOnModifiedDocumentSave()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "Box {\n}\n");
    MainWindow window;
    window.loadFile(file);
    typeAtEnd(window, QStringLiteral("Box {\n}\n"));

    ModalAnswerer answers({press(QMessageBox::Save)});
    window.action("newAct")->trigger();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(readBytes(file), QByteArray("Box {\n}\nBox {\n}\n"));
    QCOMPARE(window.editor()->toPlainText(), QString());
    QCOMPARE(window.currentFile(), QString());
}

void TestMainWindow::newFileOnUnmodifiedDocumentAsksNothing()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "Pages {\n");
    MainWindow window;
    window.loadFile(file);
    ModalAnswerer answers;
    window.action("newAct")->trigger();
    QCOMPARE(answers.seen(), 0);
    QCOMPARE(window.editor()->toPlainText(), QString());
    QCOMPARE(window.currentFile(), QString());
}

void TestMainWindow::saveOnUntitledAsksForName()
{
    MainWindow window;
    window.editor()->insertPlainText(QStringLiteral("Box {\n  Id = 7;\n}\n"));
    const QString file = path(QStringLiteral("nuevo.vdo"));

    ModalAnswerer answers({chooseFile(file)});
    QVERIFY(window.save());
    QCOMPARE(answers.seen(), 1);
    QVERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()) == nullptr);
    QCOMPARE(readBytes(file), QByteArray("Box {\n  Id = 7;\n}\n"));
    QCOMPARE(window.currentFile(), file);
    QCOMPARE(window.windowFilePath(), file);
    QVERIFY(!window.isWindowModified());
    QCOMPARE(recentList(), QStringList{file});
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Archivo guardado"));
}

void TestMainWindow::saveAsDialogClosedWithoutName()
{
    MainWindow window;
    window.editor()->insertPlainText(QStringLiteral("texto"));
    ModalAnswerer answers({cancelDialog()});
    QVERIFY(!window.saveAs());
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(window.currentFile(), QString());
    QVERIFY(window.isWindowModified());
    QVERIFY(recentList().isEmpty());
}

// Save As offers .vdo designs and writes a name typed without a suffix as NAME.vdo; a
// name with a suffix of its own keeps it.
void TestMainWindow::saveAsOffersDesignsAndAddsTheSuffix()
{
    MainWindow window;
    window.editor()->insertPlainText(QStringLiteral("Box {\n}\n"));
    QStringList filters;
    const auto inspectThenChoose = [&](const QString &file) {
        return [&filters, file](QWidget *modal) {
            if (auto *dialog = qobject_cast<QFileDialog *>(modal))
                filters = dialog->nameFilters();
            chooseFile(file)(modal);
        };
    };
    {
        ModalAnswerer answers({inspectThenChoose(path(QStringLiteral("mycopy")))});
        QVERIFY(window.saveAs());
        QCOMPARE(answers.titles.value(0), QStringLiteral("Guardar el diseño como"));
    }
    QCOMPARE(filters, QStringList{QStringLiteral("Diseños ASM (*.vdo)")});
    QCOMPARE(readBytes(path(QStringLiteral("mycopy.vdo"))), QByteArray("Box {\n}\n"));
    QVERIFY(!QFile::exists(path(QStringLiteral("mycopy"))));
    QCOMPARE(window.currentFile(), path(QStringLiteral("mycopy.vdo")));

    ModalAnswerer answers({chooseFile(path(QStringLiteral("notas.txt")))});
    QVERIFY(window.saveAs());
    QVERIFY(QFile::exists(path(QStringLiteral("notas.txt"))));
    QCOMPARE(window.currentFile(), path(QStringLiteral("notas.txt")));
}

void TestMainWindow::openDialogOffersDesigns()
{
    MainWindow window;
    QStringList filters;
    ModalAnswerer answers({[&filters](QWidget *modal) {
        if (auto *dialog = qobject_cast<QFileDialog *>(modal))
            filters = dialog->nameFilters();
        cancelDialog()(modal);
    }});
    window.open();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.titles.value(0), QStringLiteral("Abrir un diseño"));
    QCOMPARE(filters, QStringList{QStringLiteral("Diseños ASM (*.vdo)")});
    QCOMPARE(window.currentFile(), QString());
}

// The title names the document that Run simulates, beside the program's name, with the
// place of the unsaved-changes mark: after Open, Save As, a recent file and New.
void TestMainWindow::titleNamesTheDocument()
{
    const QString name = QStringLiteral(" — Simulador de circuitos digitales para diagramas ASM");
    const QString counter = makeFile(QStringLiteral("counter.vdo"), "Box {\n}\n");
    const QString other = makeFile(QStringLiteral("otro.vdo"), "Pages {\n}\n");
    MainWindow window;
    window.openFile(counter);
    QCOMPARE(window.windowTitle(), QStringLiteral("counter.vdo[*]") + name);
    window.openFile(other);
    QCOMPARE(window.windowTitle(), QStringLiteral("otro.vdo[*]") + name);
    typeAtEnd(window, QStringLiteral("x"));
    QVERIFY(window.isWindowModified());
    {
        ModalAnswerer answers({chooseFile(path(QStringLiteral("copia")))});
        QVERIFY(window.saveAs());
    }
    QCOMPARE(window.windowTitle(), QStringLiteral("copia.vdo[*]") + name);
    QVERIFY(!window.isWindowModified());
    // The recent files are now copia, otro, counter.
    QCOMPARE(window.action("recentFileAct3")->data().toString(), counter);
    window.action("recentFileAct3")->trigger();
    QCOMPARE(window.windowTitle(), QStringLiteral("counter.vdo[*]") + name);
    window.newFile();
    QCOMPARE(window.windowTitle(), QStringLiteral("untitled.vdo[*]") + name);
}

void TestMainWindow::saveOnNamedDocumentWritesWithoutDialog()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "uno\n");
    MainWindow window;
    window.loadFile(file);
    typeAtEnd(window, QStringLiteral("dos\n"));

    ModalAnswerer answers;
    QVERIFY(window.save());
    QCOMPARE(answers.seen(), 0);
    QCOMPARE(readBytes(file), QByteArray("uno\ndos\n"));
    QCOMPARE(window.currentFile(), file);
    QVERIFY(!window.isWindowModified());
}

void TestMainWindow::saveFileThatCannotBeWritten()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "uno\n");
    const QString unwritable = path(QStringLiteral("no/existe/otro.vdo"));
    MainWindow window;
    window.loadFile(file);
    window.editor()->insertPlainText(QStringLiteral("cero\n"));

    ModalAnswerer answers({press(QMessageBox::Ok)});
    QVERIFY(!window.saveFile(unwritable));
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.titles[0], programName());
    const QString error = openError(unwritable, QIODevice::WriteOnly | QIODevice::Text);
    QVERIFY(!error.isEmpty());
    QCOMPARE(answers.texts[0], QStringLiteral("No se puede guardar el archivo %1:\n%2.").arg(unwritable, error));
    QCOMPARE(window.currentFile(), file);
    QVERIFY(window.isWindowModified());
    QCOMPARE(recentList(), QStringList{file});
    QVERIFY(!QFile::exists(unwritable));
}

void TestMainWindow::loadMissingFileChangesNothing()
{
    const QString file = makeFile(QStringLiteral("diseno.vdo"), "uno\n");
    const QString missing = path(QStringLiteral("falta.vdo"));
    MainWindow window;
    window.loadFile(file);
    window.editor()->insertPlainText(QStringLiteral("cero\n"));

    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.loadFile(missing);
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.titles[0], programName());
    const QString error = openError(missing, QIODevice::ReadOnly | QIODevice::Text);
    QVERIFY(!error.isEmpty());
    QCOMPARE(answers.texts[0], QStringLiteral("No se puede cargar el archivo %1:\n%2.").arg(missing, error));
    QCOMPARE(answers.buttons[0], QMessageBox::StandardButtons(QMessageBox::Ok));

    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("cero\nuno\n"));
    QCOMPARE(window.currentFile(), file);
    QVERIFY(window.isWindowModified());
    QCOMPARE(recentList(), QStringList{file});
}

void TestMainWindow::documentsAreUtf8()
{
    const QByteArray utf8 = "Text = \"señal ñ, año, «Ünïcódé»\";\n";
    const QString file = makeFile(QStringLiteral("acentos.vdo"), utf8);
    MainWindow window;
    window.loadFile(file);
    QCOMPARE(window.editor()->toPlainText(), QString::fromUtf8(utf8));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Archivo cargado"));

    const QString copy = path(QStringLiteral("copia.vdo"));
    QVERIFY(window.saveFile(copy));
    QCOMPARE(readBytes(copy), utf8);
}

// ---- Recent files ------------------------------------------------------------------

void TestMainWindow::recentEntriesStartHidden()
{
    MainWindow window;
    for (int i = 1; i <= 5; ++i)
        QVERIFY(!window.action(QStringLiteral("recentFileAct%1").arg(i))->isVisible());
    QVERIFY(!window.action("recentFileSeparator")->isVisible());

    const QString file = makeFile(QStringLiteral("uno.vdo"), "1\n");
    window.loadFile(file);
    QVERIFY(window.action("recentFileSeparator")->isVisible());
    QAction *first = window.action("recentFileAct1");
    QVERIFY(first->isVisible());
    QCOMPARE(first->text(), QStringLiteral("&1 uno.vdo"));
    QCOMPARE(first->data().toString(), file);
    for (int i = 2; i <= 5; ++i)
        QVERIFY(!window.action(QStringLiteral("recentFileAct%1").arg(i))->isVisible());
}

void TestMainWindow::recentListKeepsFiveMostRecent()
{
    QStringList files;
    for (int i = 1; i <= 6; ++i)
        files << makeFile(QStringLiteral("f%1.vdo").arg(i), QByteArray::number(i));
    MainWindow window;
    for (const QString &file : files)
        window.loadFile(file);

    // f1, the oldest, has been dropped; the newest comes first.
    QCOMPARE(recentList(), (QStringList{files[5], files[4], files[3], files[2], files[1]}));
    const QStringList names = {"f6.vdo", "f5.vdo", "f4.vdo", "f3.vdo", "f2.vdo"};
    for (int i = 0; i < 5; ++i) {
        QAction *entry = window.action(QStringLiteral("recentFileAct%1").arg(i + 1));
        QVERIFY(entry->isVisible());
        QCOMPARE(entry->text(), QStringLiteral("&%1 %2").arg(i + 1).arg(names[i]));
        QCOMPARE(entry->data().toString(), files[5 - i]);
    }

    // Reopening f3 moves it to the top without a second entry.
    window.loadFile(files[2]);
    QCOMPARE(recentList(), (QStringList{files[2], files[5], files[4], files[3], files[1]}));
    QCOMPARE(window.action("recentFileAct1")->text(), QStringLiteral("&1 f3.vdo"));
    QCOMPARE(window.action("recentFileAct2")->text(), QStringLiteral("&2 f6.vdo"));
    QCOMPARE(window.action("recentFileAct5")->text(), QStringLiteral("&5 f2.vdo"));
}

void TestMainWindow::recentListIsSharedByAllWindows()
{
    const QString file = makeFile(QStringLiteral("comun.vdo"), "x\n");
    MainWindow first;
    MainWindow second;
    first.loadFile(file);
    QCOMPARE(second.action("recentFileAct1")->text(), QStringLiteral("&1 comun.vdo"));
    QVERIFY(second.action("recentFileAct1")->isVisible());
    QVERIFY(second.action("recentFileSeparator")->isVisible());

    // A window made later starts with the list kept in the store.
    MainWindow third;
    QCOMPARE(third.action("recentFileAct1")->data().toString(), file);
    QVERIFY(third.action("recentFileAct1")->isVisible());
}

void TestMainWindow::openRecentAsksBeforeDiscardingUnsavedChanges()
{
    const QString older = makeFile(QStringLiteral("antiguo.vdo"), "Box {\n  Id = 3;\n}\n");
    const QString newer = makeFile(QStringLiteral("reciente.vdo"), "Pages {\n}\n");
    MainWindow window;
    window.loadFile(older);
    window.loadFile(newer);
    typeAtEnd(window, QStringLiteral("sin guardar\n"));
    QCOMPARE(window.action("recentFileAct2")->text(), QStringLiteral("&2 antiguo.vdo"));

    {
        ModalAnswerer answers({press(QMessageBox::Cancel)});
        window.action("recentFileAct2")->trigger();
        QCOMPARE(answers.seen(), 1);
        QCOMPARE(answers.texts.value(0), QStringLiteral("El documento se ha modificado.\n\u00bfQuieres guardar los cambios?"));
    }
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("Pages {\n}\nsin guardar\n"));
    QCOMPARE(window.currentFile(), newer);
    QVERIFY(window.isWindowModified());

    {
        ModalAnswerer answers({press(QMessageBox::Discard)});
        window.action("recentFileAct2")->trigger();
        QCOMPARE(answers.seen(), 1);
    }
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("Box {\n  Id = 3;\n}\n"));
    QCOMPARE(window.currentFile(), older);
    QVERIFY(!window.isWindowModified());
    QCOMPARE(readBytes(newer), QByteArray("Pages {\n}\n"));
    QCOMPARE(recentList(), (QStringList{older, newer}));
}

void TestMainWindow::recentEntryOfVanishedFile()
{
    const QString gone = makeFile(QStringLiteral("borrado.vdo"), "1\n");
    MainWindow window;
    window.loadFile(gone);
    window.newFile();
    QVERIFY(QFile::remove(gone));

    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.action("recentFileAct1")->trigger();
    QCOMPARE(answers.seen(), 1);
    QVERIFY(answers.texts[0].startsWith(QStringLiteral("No se puede cargar el archivo %1:\n").arg(gone)));
    QCOMPARE(window.currentFile(), QString());
    QCOMPARE(recentList(), QStringList{gone});
    QVERIFY(window.action("recentFileAct1")->isVisible());
}

// ---- Run ---------------------------------------------------------------------------

void TestMainWindow::runWithoutFile()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    MainWindow window;
    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.action("runAct")->trigger();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.texts[0], QStringLiteral("No hay ningun archivo seleccionado"));
    QCOMPARE(answers.titles[0], QString());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("No hay ningun archivo seleccionado"));
    QCOMPARE(window.outputModel()->storedRowCount(), 0);
    QCOMPARE(window.processModel()->storedRowCount(), 0);
    QVERIFY(!QFile::exists(path(QStringLiteral("OutFileSimulation.txt"))));
}

// A test bench of one diagram: a header box leads straight to the end-simulation state.
// Worked out by hand: the reader finds two boxes; box 2 is the only parent; the
// declarative walk reaches box 3 (Next 0, Next0 0, text "end simulation") and makes
// the parent a test bench, without a lookup that fails; the state walk records box 3 as
// the first state; the presimulation's header chain is empty and it leaves the cycle
// counter at 1; in the first pass the test bench stands on the end state, so the loop
// ends without a clock edge. One cycle, no warnings, no errors.
static const QByteArray kEndOnlyTestBench =
    "Box {\n"
    "  Id = 2;\n"
    "  Type = Header;\n"
    "  Next = 3;\n"
    "}\n"
    "Box {\n"
    "  Id = 3;\n"
    "  Type = MetaState;\n"
    "  Text = \"end simulation\";\n"
    "  Next = 0;\n"
    "  Next0 = 0;\n"
    "}\n";

// After Run the waveform view shows the table's signals and the export is enabled; a
// click on a cycle brings that cycle's log into the process pane.
void TestMainWindow::runFillsTheWaveforms()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    MainWindow window;
    window.loadFile(QStringLiteral(ASMSIM_TEST_DATA "/counter-enable.vdo"));
    QVERIFY(!window.action("exportVcdAct")->isEnabled());
    QVERIFY(!window.waveforms()->hasResults());

    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.run();
    QCOMPARE(answers.seen(), 1);
    QVERIFY(window.action("exportVcdAct")->isEnabled());
    WaveformView *waves = window.waveforms();
    QVERIFY(waves->hasResults());
    // The counter's table: CLK, EN and Q over cycles 0 to 8, seven checks all correct.
    QCOMPARE(waves->rowCount(), 3);
    QCOMPARE(waves->cycleCount(), 9);
    QCOMPARE(window.lastResults().correctCount(), 7);

    emit waves->cycleClicked(4);
    const QModelIndex current = window.processPane()->currentIndex();
    QVERIFY(current.isValid());
    QCOMPARE(window.processModel()->row(current.row()), QStringLiteral("CICLO SE SIMULACION NUEVO: 4"));
}

void TestMainWindow::runSavedFile()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    MainWindow window;
    window.loadFile(design);

    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.action("runAct")->trigger();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.texts[0], QStringLiteral("Simulando el archivo."));
    QCOMPARE(answers.titles[0], QString());
    // The status bar says the run has ended.
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Simulación terminada"));

    // Both panes are complete when the slot returns.
    LinePaneModel *process = window.processModel();
    LinePaneModel *output = window.outputModel();
    QCOMPARE(process->rowCount(), process->storedRowCount());
    QCOMPARE(output->rowCount(), output->storedRowCount());

    // The process pane opens with the file's path and closes with the cycle count, an
    // item that starts with a line feed and so shows as an empty row and the text.
    const QStringList processRows = process->rows();
    QVERIFY(processRows.size() >= 5);
    QCOMPARE(processRows.mid(0, 3), (QStringList{"//Simulando el archivo con direccion: ", design, kRule}));
    QCOMPARE(processRows[processRows.size() - 2], QString());
    static const QRegularExpression countLine(QStringLiteral("^Numero de ciclos de simulacion: \\d+$"));
    QVERIFY2(countLine.match(processRows.last()).hasMatch(), qPrintable(processRows.last()));

    // The output pane closes with the summary of a run without warnings or errors.
    const QStringList outputRows = output->rows();
    QCOMPARE(lastRows(outputRows, 4), (QStringList{"", "//-------------- WARNINGS Y ERRORES --------------//",
                                                   "Numero de Warnings: 0", "Numero de Errores: 0"}));

    // The output file, in the working directory, holds the output pane row for row, but
    // for the simulation table, whose file layout pads its tabs (here only its cycle
    // heading: the test bench ends in cycle 1).
    QByteArray expected;
    for (const QString &row : outputRows)
        expected += row.toUtf8() + '\n';
    expected.replace("\n\t[0]\t[1]\t\n", "\n\t\t[0]\t\t[1]\t\t\n");
    QCOMPARE(readBytes(path(QStringLiteral("OutFileSimulation.txt"))), expected);
}

void TestMainWindow::runShowsTheCycleCount()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    MainWindow window;
    window.loadFile(design);

    ModalAnswerer answers({press(QMessageBox::Ok)});
    window.run();
    QCOMPARE(answers.seen(), 1);
    // This design ends in the first pass of the cycle loop, which the presimulation
    // starts at cycle 1.
    QCOMPARE(lastRows(window.processModel()->rows(), 2),
             (QStringList{"", "Numero de ciclos de simulacion: 1"}));
}

void TestMainWindow::secondRunReplacesFirstAndCanIgnoreUnsavedText()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    MainWindow window;
    window.loadFile(design);

    {
        ModalAnswerer answers({press(QMessageBox::Ok)});
        window.run();
        QCOMPARE(answers.seen(), 1);
    }
    const QStringList firstOutput = window.outputModel()->rows();
    const QStringList firstProcess = window.processModel()->rows();
    const QByteArray firstFile = readBytes(path(QStringLiteral("OutFileSimulation.txt")));
    QVERIFY(!firstFile.isEmpty());

    // A box typed into the editor but not saved is not part of a run of the saved file.
    typeAtEnd(window, QStringLiteral("Box {\n  Id = 9;\n  Type = State;\n  Next = 2;\n}\n"));
    {
        ModalAnswerer answers({click(QStringLiteral("Simular el archivo guardado")), press(QMessageBox::Ok)});
        window.run();
        QCOMPARE(answers.seen(), 2);
    }
    QCOMPARE(window.outputModel()->rows(), firstOutput);
    QCOMPARE(window.processModel()->rows(), firstProcess);
    QCOMPARE(readBytes(path(QStringLiteral("OutFileSimulation.txt"))), firstFile);
    QVERIFY(window.isWindowModified());
}

// Run with unsaved changes asks which file is meant. The saved design has two boxes;
// the editor holds a third, typed and not saved.
void TestMainWindow::unsavedChangesQuestion_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("boxesRead");  // empty: no run

    QTest::newRow("save and run") << "Guardar y simular" << true << " - Numero de BOX leidos: 3";
    QTest::newRow("run the saved file") << "Simular el archivo guardado" << false << " - Numero de BOX leidos: 2";
    QTest::newRow("cancel") << "Cancelar" << false << "";
}

void TestMainWindow::unsavedChangesQuestion()
{
    QFETCH(QString, answer);
    QFETCH(bool, saved);
    QFETCH(QString, boxesRead);

    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    MainWindow window;
    window.loadFile(design);
    const QByteArray typed = "Box {\n  Id = 9;\n  Type = State;\n  Next = 2;\n}\n";
    typeAtEnd(window, QString::fromUtf8(typed));

    ModalAnswerer answers({click(answer), press(QMessageBox::Ok)});
    window.action("runAct")->trigger();
    QCOMPARE(answers.titles.value(0), kProgramName);
    QCOMPARE(answers.texts.value(0), kMaybeSaveText);
    // The platform puts the buttons in its own order.
    QStringList buttons = answers.buttonTexts.value(0);
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Cancelar", "Guardar y simular", "Simular el archivo guardado"}));

    QCOMPARE(readBytes(design), saved ? kEndOnlyTestBench + typed : kEndOnlyTestBench);
    QCOMPARE(window.isWindowModified(), !saved);
    if (boxesRead.isEmpty()) {
        QCOMPARE(answers.seen(), 1);
        QCOMPARE(window.outputModel()->storedRowCount(), 0);
        QVERIFY(!QFile::exists(path(QStringLiteral("OutFileSimulation.txt"))));
    } else {
        QCOMPARE(answers.seen(), 2);
        QCOMPARE(answers.texts.value(1), QStringLiteral("Simulando el archivo."));
        QVERIFY2(window.outputModel()->rows().contains(boxesRead), qPrintable(window.outputModel()->rows().join('\n')));
        QVERIFY(QFile::exists(path(QStringLiteral("OutFileSimulation.txt"))));
    }
}

// "Guardar y simular" on a file that cannot be written: the save's warning, and no run.
void TestMainWindow::saveAndRunStopsWhenTheSaveFails()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    MainWindow window;
    window.loadFile(design);
    typeAtEnd(window, QStringLiteral("x"));
    // A directory where the file was: no one can write the file there, root included.
    QVERIFY(QFile::remove(design));
    QVERIFY(QDir().mkdir(design));

    ModalAnswerer answers({click(QStringLiteral("Guardar y simular")), press(QMessageBox::Ok)});
    window.run();
    QCOMPARE(answers.seen(), 2);
    QVERIFY(answers.texts.value(1).startsWith(QStringLiteral("No se puede guardar el archivo ")));
    QCOMPARE(window.outputModel()->storedRowCount(), 0);
    QVERIFY(window.isWindowModified());
}

void TestMainWindow::simulatingMessageCanBeTurnedOff()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    QVERIFY(!QSettings().contains(kShowSimulatingKey));
    {
        MainWindow window;
        window.loadFile(design);
        // Shown by default, with its check box not ticked; closed without ticking it, it
        // comes again.
        for (int run = 0; run < 2; ++run) {
            ModalAnswerer answers({press(QMessageBox::Ok)});
            window.run();
            QCOMPARE(answers.seen(), 1);
            QCOMPARE(answers.texts[0], QStringLiteral("Simulando el archivo."));
            QCOMPARE(answers.checkBoxes[0], QStringLiteral("No volver a mostrar"));
        }
        QVERIFY(!QSettings().contains(kShowSimulatingKey));

        {
            ModalAnswerer answers({tickAndPress(QMessageBox::Ok)});
            window.run();
            QCOMPARE(answers.seen(), 1);
        }
        QCOMPARE(QSettings().value(kShowSimulatingKey), QVariant(false));

        // The next run goes straight on.
        window.clearOutputPane();
        ModalAnswerer answers;
        window.run();
        QCOMPARE(answers.seen(), 0);
        QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Simulación terminada"));
        QCOMPARE(lastRows(window.outputModel()->rows(), 2), (QStringList{"Numero de Warnings: 0", "Numero de Errores: 0"}));
    }
    // And so do the runs of the next program start.
    MainWindow later;
    later.loadFile(design);
    {
        ModalAnswerer answers;
        later.run();
        QCOMPARE(answers.seen(), 0);
        QVERIFY(later.outputModel()->storedRowCount() > 0);
    }

    // Simulator > Show "Simulando" Message turns the box back on, at once and for later.
    QAction *show = later.action("showSimulatingAct");
    QVERIFY(show->isCheckable());
    QVERIFY(!show->isChecked());
    show->trigger();
    QCOMPARE(QSettings().value(kShowSimulatingKey), QVariant(true));
    ModalAnswerer answers({press(QMessageBox::Ok)});
    later.run();
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(answers.texts.value(0), QStringLiteral("Simulando el archivo."));
    QVERIFY(MainWindow().action("showSimulatingAct")->isChecked());
}

void TestMainWindow::runKeys()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    QSettings().setValue(kShowSimulatingKey, false);
    MainWindow window;
    window.loadFile(design);
    showActive(window);
    for (const QKeySequence &key : {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)}) {
        window.clearOutputPane();
        QTest::keySequence(&window, key);
        QVERIFY2(window.outputModel()->storedRowCount() > 0, qPrintable(key.toString()));
    }
}

// ---- Opening by command line and by dropping --------------------------------------

void TestMainWindow::dropOpensDesign()
{
    const QString design = makeFile(QStringLiteral("soltado.VDO"), "Box {\n}\n");
    const QString text = makeFile(QStringLiteral("nota.txt"), "nada\n");
    MainWindow window;

    // Only .vdo files are taken.
    QVERIFY(!dragAndDrop(&window, {text}));
    QVERIFY(droppedDesign(nullptr).isEmpty());

    // Of several files, the first .vdo is opened.
    ModalAnswerer answers;
    QVERIFY(dragAndDrop(&window, {text, design}));
    QTRY_COMPARE(window.currentFile(), design);
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("Box {\n}\n"));
    QCOMPARE(answers.seen(), 0);
}

// Dropped on the editor, a .vdo file is opened, not pasted in as its name.
void TestMainWindow::dropOnTheEditorOpensDesign()
{
    const QString design = makeFile(QStringLiteral("editor.vdo"), "Pages {\n}\n");
    MainWindow window;
    showActive(window);
    QVERIFY(dragAndDrop(window.editor()->viewport(), {design}));
    QTRY_COMPARE(window.currentFile(), design);
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("Pages {\n}\n"));
}

void TestMainWindow::dropAsksAboutUnsavedChanges()
{
    const QString design = makeFile(QStringLiteral("nuevo.vdo"), "Box {\n}\n");
    MainWindow window;
    window.editor()->insertPlainText(QStringLiteral("sin guardar"));
    {
        ModalAnswerer answers({press(QMessageBox::Cancel)});
        QVERIFY(dragAndDrop(&window, {design}));
        QTRY_COMPARE(answers.seen(), 1);
        QCOMPARE(answers.texts[0], kMaybeSaveText);
    }
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("sin guardar"));
    QCOMPARE(window.currentFile(), QString());

    ModalAnswerer answers({press(QMessageBox::Discard)});
    window.openFile(design);
    QCOMPARE(answers.seen(), 1);
    QCOMPARE(window.currentFile(), design);
}

// The program started with a file name (relative to its working directory) opens it:
// the file becomes the first of the recent files in the program's settings.
void TestMainWindow::commandLineOpensFile()
{
    const QString design = makeFile(QStringLiteral("linea.vdo"), "Box {\n}\n");
    QTemporaryDir config;
    QVERIFY(config.isValid());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_files->path());
    program.start(QStringLiteral(ASMSIM_GUI), {QStringLiteral("linea.vdo")});
    QVERIFY2(program.waitForStarted(), ASMSIM_GUI);

    const QString store = config.filePath(QStringLiteral("Brelloc/Simulador de circuitos digitales.conf"));
    QTRY_VERIFY_WITH_TIMEOUT(QSettings(store, QSettings::IniFormat).value(QStringLiteral("recentFileList")).toStringList()
                                 == QStringList{design},
                             10000);
    program.kill();
    program.waitForFinished();
}

void TestMainWindow::commandLineHelpNeedsNoScreen()
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ASMSIM_GUI), {QStringLiteral("--help")});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 0);
    const QString help = QString::fromUtf8(program.readAllStandardOutput());
    QVERIFY2(help.contains(QStringLiteral("[archivo.vdo]")), qPrintable(help));
}

// ---- From a pane line to the source, and finding -----------------------------------

// A run of tests/data/counter-enable.vdo. The lines and boxes of that file, counted by
// hand: box 13 is lines 22 to 27 (its Next line 26), box 11 opens on line 10, box 15
// has its Id on line 36, box 34 on line 73, and box 35's Type line is line 81.
void TestMainWindow::jumpFromPaneToSource_data()
{
    QTest::addColumn<QString>("rowPart");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("selected");

    QTest::newRow("next line, Enter") << "Next de este Box. Linea: 26. NEXT = 14" << false << 26 << "  Next = 14;";
    QTest::newRow("box line, double click") << "Palabra Box encontrada en la linea: 10" << true << 10 << "Box {";
    QTest::newRow("type line") << "Box Type StateAsyncOps. Linea: 81" << true << 81 << "  Type = StateAsyncOps;";
    QTest::newRow("decision's next box") << "Next ID: 15" << false << 36 << "  Id = 15;";
    QTest::newRow("test-bench state") << "State inicio ID: 34" << true << 73 << "  Id = 34;";
}

void TestMainWindow::jumpFromPaneToSource()
{
    QFETCH(QString, rowPart);
    QFETCH(bool, doubleClick);
    QFETCH(int, line);
    QFETCH(QString, selected);

    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("counter-enable.vdo"),
                                    readBytes(QStringLiteral(ASMSIM_TEST_DATA "/counter-enable.vdo")));
    QSettings().setValue(kShowSimulatingKey, false);
    MainWindow window;
    window.loadFile(design);
    window.run();
    showActive(window);

    LinePaneModel *model = window.processModel();
    const QStringList rows = model->rows();
    int row = -1;
    for (int i = 0; i < rows.size() && row < 0; ++i) {
        if (rows[i].contains(rowPart))
            row = i;
    }
    QVERIFY2(row >= 0, qPrintable(rowPart));
    QListView *pane = window.processPane();
    const QModelIndex index = model->index(row);
    pane->scrollTo(index);
    pane->setFocus();
    if (doubleClick) {
        const QPoint where = pane->visualRect(index).center();
        QTest::mouseClick(pane->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(pane->viewport(), Qt::LeftButton, {}, where);
    } else {
        pane->setCurrentIndex(index);
        QTest::keyClick(pane, Qt::Key_Return);
    }
    QCOMPARE(window.editor()->textCursor().blockNumber() + 1, line);
    QCOMPARE(window.editor()->textCursor().selectedText(), selected);
    QVERIFY(window.editor()->hasFocus());
}

void TestMainWindow::jumpWhenTheEditorHoldsAnotherFile()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    const QString other = makeFile(QStringLiteral("otro.vdo"), "Box {\n  Id = 2;\n}\n");
    QSettings().setValue(kShowSimulatingKey, false);
    MainWindow window;
    window.loadFile(design);
    window.run();
    window.loadFile(other);

    // "Id encontrado. Linea: 2 . ID = 2" names line 2, which the other file has too.
    const int row = rowWith(window.processModel(), QStringLiteral("Id encontrado. Linea: 2 . ID = 2"));
    QVERIFY(row >= 0);
    window.jumpToSource(window.processModel()->index(row));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("El editor no tiene el archivo simulado (%1)").arg(design));
    QCOMPARE(window.editor()->textCursor().position(), 0);
    QVERIFY(!window.editor()->textCursor().hasSelection());
}

void TestMainWindow::jumpToWhatIsNotThere()
{
    QVERIFY(QDir::setCurrent(m_files->path()));
    const QString design = makeFile(QStringLiteral("banco.vdo"), kEndOnlyTestBench);
    QSettings().setValue(kShowSimulatingKey, false);
    MainWindow window;
    window.loadFile(design);
    window.run();
    window.appendToProcessPane({QStringLiteral("WARNING!\t Hijo no encontrado con ID: 77"), QStringLiteral("Linea: 500"),
                                QStringLiteral("sin referencia")});
    LinePaneModel *model = window.processModel();
    model->flush();
    const int last = model->rowCount() - 1;

    window.jumpToSource(model->index(last - 2));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("No hay ninguna caja con ID 77 en el editor"));
    window.jumpToSource(model->index(last - 1));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("La línea 500 no está en el editor"));
    // A line that names nothing changes nothing.
    window.jumpToSource(model->index(last));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("La línea 500 no está en el editor"));
    QVERIFY(!window.editor()->textCursor().hasSelection());
}

void TestMainWindow::findOpensUnderTheFocusedPane()
{
    MainWindow window;
    window.editor()->setPlainText(QStringLiteral("ciclo\n"));
    window.appendToProcessPane({QStringLiteral("CICLO SE SIMULACION NUEVO: 1"), QStringLiteral("Q\t2"),
                                QStringLiteral("CICLO SE SIMULACION NUEVO: 2")});
    window.appendToOutputPane({QStringLiteral("ciclo")});
    window.processModel()->flush();
    window.outputModel()->flush();
    showActive(window);

    window.reportTabs()->setCurrentIndex(1);
    window.processPane()->setFocus();
    QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
    FindBar *bar = window.findBarOf(window.processPane());
    QVERIFY(bar->isVisible());
    QVERIFY(!window.findBarOf(window.outputPane())->isVisible());
    QVERIFY(!window.findBarOf(window.editor())->isVisible());
    QTest::keyClicks(bar->termEdit(), QStringLiteral("ciclo"));
    QCOMPARE(bar->countText(), QStringLiteral("1 de 2"));
    QTest::keyClick(bar->termEdit(), Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QVERIFY(window.processPane()->hasFocus());

    // With the focus in the editor, the editor's bar opens with the selected word in it.
    window.editor()->setFocus();
    window.editor()->selectLine(1);
    window.action("findAct")->trigger();
    FindBar *editorBar = window.findBarOf(window.editor());
    QVERIFY(editorBar->isVisible());
    QCOMPARE(editorBar->termEdit()->text(), QStringLiteral("ciclo"));
    QCOMPARE(editorBar->countText(), QStringLiteral("1 de 1"));
}

ASMSIM_REGISTER_TEST(TestMainWindow)
#include "tst_mainwindow.moc"
