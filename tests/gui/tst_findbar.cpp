// The find bar: counting the matches of a term, moving from one to the next and back,
// in a pane of any size and in the editor.

#include "gui/codeeditor.h"
#include "gui/findbar.h"
#include "gui/linepanemodel.h"
#include "gui/linepaneview.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QVBoxLayout>

namespace {

// Rows "r0000 x" to "rNNNN x": 8 characters each with the line feed, the x at offset 6
// of its row, so match k is at 8k + 6.
QString numberedRows(int rows)
{
    QString text;
    for (int i = 0; i < rows; ++i)
        text += QStringLiteral("r%1 x\n").arg(i, 4, 10, QLatin1Char('0'));
    return text;
}

// A pane and its find bar in one window, as the main window has them.
struct PaneWithBar {
    QWidget window;
    LinePaneModel model;
    QListView *pane;
    FindBar *bar;

    PaneWithBar()
    {
        auto *layout = new QVBoxLayout(&window);
        pane = makeLinePane(&model, &window);
        bar = new FindBar(new PaneFindTarget(pane, &model), &window);
        layout->addWidget(pane);
        layout->addWidget(bar);
        window.resize(400, 300);
    }
    LinePaneDelegate *delegate() const { return linePaneDelegate(pane); }
    // Shown and active, so that focus can be checked.
    void show()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

} // namespace

class TestFindBar : public QObject {
    Q_OBJECT

private slots:
    void countsMatchesIgnoringCase()
    {
        MatchIndex index;
        const QString text = QStringLiteral("Ciclo ciclo CICLO\nciclociclo");
        index.build(text, QStringLiteral("ciclo"));
        QCOMPARE(index.count(), 5);
        QList<qsizetype> positions;
        for (int k = 0; k < 5; ++k)
            positions << index.position(text, k);
        QCOMPARE(positions, (QList<qsizetype>{0, 6, 12, 18, 23}));

        // Each match begins after the end of the one before.
        const QString as = QStringLiteral("aaaaa");
        index.build(as, QStringLiteral("aa"));
        QCOMPARE(index.count(), 2);
        QCOMPARE(index.position(as, 1), 2);
    }

    void nothingToFind()
    {
        MatchIndex index;
        const QString text = QStringLiteral("abc");
        index.build(text, QString());
        QCOMPARE(index.count(), 0);
        QCOMPARE(index.ordinalAtOrAfter(text, 0), -1);
        index.build(text, QStringLiteral("z"));
        QCOMPARE(index.count(), 0);
        QCOMPARE(index.position(text, 0), -1);
        QCOMPARE(index.ordinalAtOrAfter(text, 1), -1);
    }

    // Only every 1024th position is kept; the others are found again from it.
    void matchesBetweenKeptPositions()
    {
        const QString text = numberedRows(3000);
        MatchIndex index;
        index.build(text, QStringLiteral("X"));
        QCOMPARE(index.count(), 3000);
        for (qsizetype k : {0, 1, 1023, 1024, 1025, 2047, 2048, 2049, 2999})
            QCOMPARE(index.position(text, k), 8 * k + 6);
        QCOMPARE(index.position(text, 3000), -1);
        QCOMPARE(index.position(text, -1), -1);

        QCOMPARE(index.ordinalAtOrAfter(text, 0), 0);
        QCOMPARE(index.ordinalAtOrAfter(text, 8 * 1500), 1500);      // the row's start
        QCOMPARE(index.ordinalAtOrAfter(text, 8 * 1500 + 6), 1500);  // on the match
        QCOMPARE(index.ordinalAtOrAfter(text, 8 * 1500 + 7), 1501);  // just after it
        QCOMPARE(index.ordinalAtOrAfter(text, 8 * 2047 + 7), 2048);  // across a kept one
        QCOMPARE(index.ordinalAtOrAfter(text, 8 * 2999 + 7), 0);     // none after: the first
    }

    void paneMatchesOneAfterAnother()
    {
        PaneWithBar pane;
        pane.model.appendItems({QStringLiteral("CICLO SE SIMULACION NUEVO: 1"), QStringLiteral("Q\t1"),
                                QStringLiteral("\nCICLO SE SIMULACION NUEVO: 2"), QStringLiteral("fin del ciclo")});
        pane.show();

        pane.bar->open();
        QVERIFY(pane.bar->isVisible());
        QVERIFY(pane.bar->termEdit()->hasFocus());
        QTest::keyClicks(pane.bar->termEdit(), QStringLiteral("ciclo"));
        // Rows: 0 "CICLO ...: 1", 1 "Q 1", 2 "", 3 "CICLO ...: 2", 4 "fin del ciclo".
        QCOMPARE(pane.bar->countText(), QStringLiteral("1 de 3"));
        QCOMPARE(pane.delegate()->currentMatchRow(), 0);
        QCOMPARE(pane.pane->currentIndex().row(), 0);

        QTest::keyClick(pane.bar->termEdit(), Qt::Key_Return);
        QCOMPARE(pane.bar->countText(), QStringLiteral("2 de 3"));
        QCOMPARE(pane.delegate()->currentMatchRow(), 3);
        QTest::keyClick(pane.bar->termEdit(), Qt::Key_Return);
        QCOMPARE(pane.delegate()->currentMatchRow(), 4);
        QTest::keyClick(pane.bar->termEdit(), Qt::Key_Return);
        QCOMPARE(pane.bar->countText(), QStringLiteral("1 de 3"));
        QCOMPARE(pane.delegate()->currentMatchRow(), 0);
        QTest::keyClick(pane.bar->termEdit(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(pane.bar->countText(), QStringLiteral("3 de 3"));
        QCOMPARE(pane.delegate()->currentMatchRow(), 4);

        QTest::keyClicks(pane.bar->termEdit(), QStringLiteral("x"));
        QCOMPARE(pane.bar->countText(), QStringLiteral("Sin coincidencias"));

        // Escape closes the bar, forgets the marks and gives the focus back to the pane.
        QTest::keyClick(pane.bar->termEdit(), Qt::Key_Escape);
        QVERIFY(!pane.bar->isVisible());
        QCOMPARE(pane.delegate()->currentMatchRow(), -1);
        QVERIFY(pane.pane->hasFocus());
    }

    // A new run refills the pane: the count follows, with no current match.
    void countFollowsTheRefilledPane()
    {
        PaneWithBar pane;
        pane.model.appendItems({QStringLiteral("uno"), QStringLiteral("dos")});
        pane.show();
        pane.bar->open();
        pane.bar->termEdit()->setText(QStringLiteral("o"));
        QCOMPARE(pane.bar->countText(), QStringLiteral("1 de 2"));

        pane.model.clear();
        pane.model.appendItems({QStringLiteral("ocho"), QStringLiteral("otro"), QStringLiteral("once")});
        pane.model.flush();
        QCOMPARE(pane.bar->countText(), QStringLiteral("5 coincidencias"));
        QCOMPARE(pane.delegate()->currentMatchRow(), -1);
        pane.bar->findNext();
        QCOMPARE(pane.bar->countText(), QStringLiteral("1 de 5"));
    }

    // The count on a pane of a million rows is a single pass over its text.
    void countOnAMillionRows()
    {
        PaneWithBar pane;
        QStringList rows;
        rows.reserve(1000000);
        for (int i = 0; i < 1000000; ++i)
            rows << QStringLiteral("Linea de proceso %1\tvalor: %2").arg(i).arg(i % 7);
        pane.model.appendItems(rows);
        pane.model.flush();
        pane.show();
        pane.bar->open();

        QElapsedTimer timer;
        timer.start();
        // "valor: 3" ends the rows i with i % 7 == 3: 142857 of them (3, 10, ..., 999995).
        pane.bar->termEdit()->setText(QStringLiteral("VALOR: 3"));
        const qint64 elapsed = timer.elapsed();
        qInfo("count on a million rows: %lld ms", static_cast<long long>(elapsed));
        QCOMPARE(pane.bar->matchCount(), 142857);
        QCOMPARE(pane.bar->countText(), QStringLiteral("1 de 142857"));
        QVERIFY2(elapsed < 1000, qPrintable(QString::number(elapsed)));

        // The last match, found back from the first, is in the last such row, 999995.
        pane.bar->findPrevious();
        QCOMPARE(pane.bar->countText(), QStringLiteral("142857 de 142857"));
        QCOMPARE(pane.delegate()->currentMatchRow(), 999995);
    }

    void editorMatchesAreSelected()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *editor = new CodeEditor(&window);
        auto *bar = new FindBar(new EditorFindTarget(editor), &window);
        layout->addWidget(editor);
        layout->addWidget(bar);
        editor->setPlainText(QStringLiteral("Box {\n  Id = 10;\n  Type = State;\n}\nBox {\n  Id = 11;\n}\n"));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // The cursor is on the second box: the search starts there.
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(35);
        editor->setTextCursor(cursor);
        bar->open();
        bar->termEdit()->setText(QStringLiteral("box"));
        QCOMPARE(bar->countText(), QStringLiteral("2 de 2"));
        QCOMPARE(editor->textCursor().selectionStart(), 35);
        QCOMPARE(editor->textCursor().selectedText(), QStringLiteral("Box"));
        bar->findNext();
        QCOMPARE(bar->countText(), QStringLiteral("1 de 2"));
        QCOMPARE(editor->textCursor().selectionStart(), 0);

        // Typing in the editor changes the count.
        editor->moveCursor(QTextCursor::End);
        editor->insertPlainText(QStringLiteral("Box {\n}\n"));
        QCOMPARE(bar->countText(), QStringLiteral("3 coincidencias"));
        bar->findPrevious();
        QCOMPARE(bar->countText(), QStringLiteral("3 de 3"));

        QTest::keyClick(bar->termEdit(), Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(editor->hasFocus());
    }
};

ASMSIM_REGISTER_TEST(TestFindBar)
#include "tst_findbar.moc"
