// The saved file's warnings in the window: the marks in the editor's gutter and their
// texts on hover, the "Avisos" tab whose entries go to their lines, the marks following
// each load and save, New clearing them, and their colour following the palette.
//
// lint-key-in-text.vdo names two states "Idle": the reader takes each of those Text
// lines for a second Id line. The boxes are 13 and 16, whose Id lines are the file's
// lines 23 and 42 (six lines a box from line 4, after the three lines of Pages).

#include "gui/codeeditor.h"
#include "gui/mainwindow.h"
#include "gui/statuscolours.h"
#include "gui/warninglist.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolTip>

#include <memory>

namespace {

const QString kRule = QStringLiteral("[clave-en-texto]");

QString dataFile(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name);
}

// The vertical middle of the line (from 1) in the gutter, which shares the viewport's
// vertical coordinates.
int middleOfLine(const CodeEditor &editor, int line)
{
    const QTextCursor cursor(editor.document()->findBlockByNumber(line - 1));
    return editor.cursorRect(cursor).center().y();
}

// True when some pixel of the gutter's row through the line's middle has the colour.
bool gutterRowHasColour(const CodeEditor &editor, int line, const QColor &colour)
{
    const QImage gutter = editor.lineNumberArea()->grab().toImage();
    const qreal scale = gutter.devicePixelRatio();
    const int y = qRound(middleOfLine(editor, line) * scale);
    for (int x = 0; x < gutter.width(); ++x) {
        if (QColor(gutter.pixel(x, y)) == colour)
            return true;
    }
    return false;
}

QStringList entryTexts(const WarningList *list)
{
    QStringList texts;
    for (int row = 0; row < list->entries()->count(); ++row)
        texts << list->entries()->item(row)->text();
    return texts;
}

QString warningsTabTitle(const MainWindow &window)
{
    QTabWidget *tabs = window.reportTabs();
    return tabs->tabText(tabs->indexOf(window.warnings()->parentWidget()));
}

} // namespace

class TestWarningMarks : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<QTemporaryDir> m_files;
    QString m_oldOrganization, m_oldApplication;

    // A copy of a design from tests/data, which the test may save over.
    QString copyOf(const QString &name)
    {
        const QString copy = QDir(m_files->path()).filePath(name);
        QFile::remove(copy);
        if (!QFile::copy(dataFile(name), copy))
            qWarning("could not copy %s", qPrintable(name));
        return copy;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_settingsDir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_settingsDir->isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settingsDir->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settingsDir->path());
        m_oldOrganization = QCoreApplication::organizationName();
        m_oldApplication = QCoreApplication::applicationName();
        QCoreApplication::setOrganizationName(QStringLiteral("Brelloc"));
        QCoreApplication::setApplicationName(QStringLiteral("Simulador de circuitos digitales"));
    }

    void cleanupTestCase()
    {
        QCoreApplication::setOrganizationName(m_oldOrganization);
        QCoreApplication::setApplicationName(m_oldApplication);
    }

    void init()
    {
        QSettings().clear();
        QSettings(QStringLiteral("Brelloc"), QStringLiteral("Tessivane")).clear();
        m_files = std::make_unique<QTemporaryDir>();
        QVERIFY(m_files->isValid());
    }

    // Loading marks the Id lines of the two boxes, lists them in file order and counts
    // them in the tab's title; the marks are drawn in the warning colour.
    void loadMarksTheLinesConcerned()
    {
        MainWindow window;
        window.loadFile(dataFile(QStringLiteral("lint-key-in-text.vdo")));
        CodeEditor *editor = window.editor();
        QCOMPARE(editor->lineMarks().keys(), (QList<int>{23, 42}));
        for (const QStringList &texts : editor->lineMarks()) {
            QCOMPARE(texts.size(), 1);
            QVERIFY2(texts.first().endsWith(kRule), qPrintable(texts.first()));
        }

        WarningList *list = window.warnings();
        const QStringList entries = entryTexts(list);
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[0].startsWith(QStringLiteral("Línea 23: ")));
        QVERIFY(entries[1].startsWith(QStringLiteral("Línea 42: ")));
        QVERIFY(entries[0].endsWith(kRule) && entries[1].endsWith(kRule));
        QCOMPARE(warningsTabTitle(window), QStringLiteral("Avisos (2)"));
        QVERIFY(list->header()->text().startsWith(QStringLiteral("Avisos del archivo guardado lint-key-in-text.vdo")));
        // After the run's views, however many there are.
        QCOMPARE(window.reportTabs()->indexOf(list->parentWidget()), window.reportTabs()->count() - 1);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        editor->selectLine(23);
        const QColor mark = warningColour(editor->palette());
        QCOMPARE(editor->markColor(), mark);
        QVERIFY(gutterRowHasColour(*editor, 23, mark));
        QVERIFY(!gutterRowHasColour(*editor, 24, mark));
        QVERIFY(!gutterRowHasColour(*editor, 22, mark));
    }

    // Several warnings on one line share its mark, their texts one a line in the tool tip;
    // a warning without a line has an entry but no mark.
    void marksGatherTheWarningsOfALine()
    {
        const DesignWarnings warnings{{QStringLiteral("a"), 2, QStringLiteral("uno"), 5, 0},
                                      {QStringLiteral("b"), 0, QStringLiteral("sin línea"), 0, -1},
                                      {QStringLiteral("c"), 2, QStringLiteral("dos"), 5, 0},
                                      {QStringLiteral("d"), 4, QStringLiteral("tres"), 7, 1}};
        const QMap<int, QStringList> marks = warningMarks(warnings);
        QCOMPARE(marks.keys(), (QList<int>{2, 4}));
        QCOMPARE(marks.value(2), (QStringList{QStringLiteral("uno [a]"), QStringLiteral("dos [c]")}));
        QCOMPARE(warningEntryText(warnings[1]), QStringLiteral("sin línea [b]"));
        QCOMPARE(warningEntryText(warnings[3]), QStringLiteral("Línea 4: tres [d]"));

        CodeEditor editor;
        editor.setPlainText(QStringLiteral("uno\ndos\ntres\ncuatro\ncinco"));
        editor.setLineMarks(marks);
        editor.resize(300, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const int x = 2;
        QCOMPARE(editor.markToolTipAt(QPoint(x, middleOfLine(editor, 2))), QStringLiteral("uno [a]\ndos [c]"));
        QCOMPARE(editor.markToolTipAt(QPoint(x, middleOfLine(editor, 4))), QStringLiteral("tres [d]"));
        QVERIFY(editor.markToolTipAt(QPoint(x, middleOfLine(editor, 3))).isEmpty());
        // Below the last line there is no line, though the nearest one is line 5.
        editor.setLineMarks({{5, {QStringLiteral("cinco [e]")}}});
        QVERIFY(!editor.markToolTipAt(QPoint(x, middleOfLine(editor, 5))).isEmpty());
        QVERIFY(editor.markToolTipAt(QPoint(x, editor.viewport()->height() - 2)).isEmpty());

        // The gutter answers the tool-tip event with the mark's texts.
        editor.setLineMarks(marks);
        QWidget *gutter = editor.lineNumberArea();
        const QPoint onMark(x, middleOfLine(editor, 2));
        QHelpEvent hover(QEvent::ToolTip, onMark, gutter->mapToGlobal(onMark));
        QApplication::sendEvent(gutter, &hover);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("uno [a]\ndos [c]"));
        QToolTip::hideText();
    }

    // Enter on an entry selects its line in the editor and gives the editor the focus.
    void entryJumpsToItsLine()
    {
        MainWindow window;
        window.loadFile(dataFile(QStringLiteral("lint-key-in-text.vdo")));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        window.reportTabs()->setCurrentWidget(window.warnings()->parentWidget());
        QListWidget *entries = window.warnings()->entries();
        entries->setFocus();
        entries->setCurrentRow(1);
        QTest::keyClick(entries, Qt::Key_Return);
        QTextCursor cursor = window.editor()->textCursor();
        QCOMPARE(cursor.blockNumber() + 1, 42);
        QCOMPARE(cursor.selectedText(), QStringLiteral("  Id = 16;"));
        QTRY_VERIFY(window.editor()->hasFocus());

        entries->setCurrentRow(0);
        emit entries->itemActivated(entries->item(0));
        QCOMPARE(window.editor()->textCursor().blockNumber() + 1, 23);
    }

    // The marks belong to the saved file: an edit leaves them, and the header says so,
    // until the save that mends the design takes them all away.
    void saveThatMendsClearsTheMarks()
    {
        const QString path = copyOf(QStringLiteral("lint-key-in-text.vdo"));
        MainWindow window;
        window.loadFile(path);
        CodeEditor *editor = window.editor();
        QLabel *header = window.warnings()->header();
        QVERIFY(!header->text().contains(QStringLiteral("cambios sin guardar")));

        // Line 25 and line 44 name the states.
        for (int line : {25, 44}) {
            QTextCursor cursor(editor->document()->findBlockByNumber(line - 1));
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            QCOMPARE(cursor.selectedText(), QStringLiteral("  Text = \"Idle\";"));
            cursor.insertText(QStringLiteral("  Text = \"Espera\";"));
        }
        QCOMPARE(editor->lineMarks().keys(), (QList<int>{23, 42}));
        QVERIFY(header->text().contains(QStringLiteral("cambios sin guardar")));

        QVERIFY(window.saveFile(path));
        QVERIFY(editor->lineMarks().isEmpty());
        QCOMPARE(window.warnings()->warningCount(), 0);
        QCOMPARE(warningsTabTitle(window), QStringLiteral("Avisos (0)"));
        QCOMPARE(header->text(), QStringLiteral("Avisos del archivo guardado lint-key-in-text.vdo: ninguno."));

        // Saving the state's old name again brings its mark back.
        QTextCursor cursor(editor->document()->findBlockByNumber(43));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.insertText(QStringLiteral("  Text = \"Idle\";"));
        QVERIFY(window.saveFile(path));
        QCOMPARE(editor->lineMarks().keys(), QList<int>{42});
        QCOMPARE(warningsTabTitle(window), QStringLiteral("Avisos (1)"));
    }

    // The bundled example runs as drawn: no mark, no entry.
    void noneOnTheExample()
    {
        MainWindow window;
        window.loadFile(dataFile(QStringLiteral("../../examples/counter.vdo")));
        QVERIFY(window.editor()->lineMarks().isEmpty());
        QCOMPARE(window.warnings()->warningCount(), 0);
        QCOMPARE(warningsTabTitle(window), QStringLiteral("Avisos (0)"));
        QCOMPARE(window.warnings()->header()->text(), QStringLiteral("Avisos del archivo guardado counter.vdo: ninguno."));
    }

    // New leaves no warning of the file before; the next load brings its own.
    void newClearsTheWarnings()
    {
        MainWindow window;
        window.loadFile(dataFile(QStringLiteral("lint-key-in-text.vdo")));
        QCOMPARE(window.warnings()->warningCount(), 2);
        window.action(QStringLiteral("newAct"))->trigger();
        QVERIFY(window.editor()->lineMarks().isEmpty());
        QCOMPARE(window.warnings()->warningCount(), 0);
        QCOMPARE(warningsTabTitle(window), QStringLiteral("Avisos"));

        window.loadFile(dataFile(QStringLiteral("lint-duplicate-id.vdo")));
        QCOMPARE(window.editor()->lineMarks().keys(), QList<int>{36});
        QCOMPARE(warningsTabTitle(window), QStringLiteral("Avisos (1)"));
    }

    // A file the check cannot read gives no count, and the header says why.
    void unreadableFileIsSaid()
    {
        WarningList list;
        DesignCheck check;
        check.error = QStringLiteral("no se puede abrir");
        list.showCheck(QStringLiteral("/tmp/perdido.vdo"), check);
        QCOMPARE(list.title(), QStringLiteral("Avisos"));
        QCOMPARE(list.header()->text(),
                 QStringLiteral("No se puede analizar el archivo guardado perdido.vdo: no se puede abrir"));
    }

    // The entries and the marks take the warning colour of a light or a dark palette.
    void colourFollowsThePalette()
    {
        MainWindow window;
        window.loadFile(dataFile(QStringLiteral("lint-key-in-text.vdo")));
        QListWidget *entries = window.warnings()->entries();
        const QColor light = warningColour(entries->palette());
        QCOMPARE(entries->item(0)->foreground().color(), light);

        QPalette dark = window.palette();
        dark.setColor(QPalette::Base, QColor(30, 30, 30));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        window.setPalette(dark);
        QVERIFY(isDarkPalette(entries->palette()));
        QCOMPARE(entries->item(0)->foreground().color(), warningColour(entries->palette()));
        QVERIFY(entries->item(0)->foreground().color() != light);
        QCOMPARE(window.editor()->markColor(), warningColour(dark));
    }
};

ASMSIM_REGISTER_TEST(TestWarningMarks)
#include "tst_warningmarks.moc"
