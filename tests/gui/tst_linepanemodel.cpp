// The list panes' rows: one row per text line of an item, shown to the view in batches,
// drawn in the fixed-width font with tab stops every 8 columns and never elided.

#include "gui/linepanemodel.h"
#include "gui/linepaneview.h"
#include "testmain.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QListView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class TestLinePaneModel : public QObject {
    Q_OBJECT

private slots:
    void itemsWithLineFeedsSpanSeveralRows()
    {
        LinePaneModel model;
        model.appendItems({QStringLiteral("uno"), QStringLiteral("\nNumero: 3"),
                           QStringLiteral("a\nb\n"), QString()});
        QCOMPARE(model.rows(), (QStringList{"uno", "", "Numero: 3", "a", "b", "", ""}));
        QCOMPARE(model.storedRowCount(), 7);
    }

    void theViewLearnsOfRowsInOneBatch()
    {
        LinePaneModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        for (int i = 0; i < 50; ++i)
            model.appendItems({QStringLiteral("linea %1").arg(i)});
        QCOMPARE(model.rowCount(), 0);  // not yet flushed
        QTRY_COMPARE(model.rowCount(), 50);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 0);
        QCOMPARE(inserted.at(0).at(2).toInt(), 49);
        QCOMPARE(model.data(model.index(49)).toString(), QStringLiteral("linea 49"));
    }

    void flushShowsEverythingAtOnceAndDataStaysInRange()
    {
        LinePaneModel model;
        model.appendItems({QStringLiteral("x\ty"), QStringLiteral("se\u00f1al")});
        model.flush();
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(model.data(model.index(0)).toString(), QStringLiteral("x\ty"));
        QCOMPARE(model.data(model.index(1)).toString(), QStringLiteral("se\u00f1al"));
        QVERIFY(!model.data(model.index(2)).isValid());
        QVERIFY(!model.data(model.index(0), Qt::EditRole).isValid());
        QCOMPARE(model.row(-1), QString());
    }

    void clearEmptiesTheModel()
    {
        LinePaneModel model;
        model.appendItems({QStringLiteral("a"), QStringLiteral("b")});
        model.flush();
        model.clear();
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(model.rows().isEmpty());
        model.appendItems({QStringLiteral("c")});
        model.flush();
        QCOMPARE(model.rows(), QStringList{"c"});
    }

    void tabStopsEveryEightColumns()
    {
        QCOMPARE(expandTabs(QStringLiteral("a\tbc\td")), QStringLiteral("a       bc      d"));
        QCOMPARE(expandTabs(QStringLiteral("12345678\tx")), QStringLiteral("12345678        x"));
        QCOMPARE(expandTabs(QStringLiteral("\t")), QString(8, QLatin1Char(' ')));
        QCOMPARE(displayColumns(QStringLiteral("\t\t")), 16);
        QCOMPARE(displayColumns(QStringLiteral("se\u00f1al\t")), 8);
        QCOMPARE(displayColumnAt(QStringLiteral("ab\tc"), 3), 8);
        QCOMPARE(displayColumnAt(QStringLiteral("ab\tc"), 2), 2);
        QCOMPARE(displayColumnAt(QStringLiteral("ab\tc"), 99), 9);
    }

    // The rows as one text for searching: each row followed by a line feed.
    void rowsAsOneText()
    {
        LinePaneModel model;
        model.appendItems({QStringLiteral("ab"), QStringLiteral("\ncd\tx")});
        QCOMPARE(model.text(), QStringLiteral("ab\n\ncd\tx\n"));
        QCOMPARE(model.rowStart(2), 4);
        QCOMPARE(model.rowStart(3), -1);
        QCOMPARE(model.rowAt(0), 0);
        QCOMPARE(model.rowAt(2), 0);   // the line feed after "ab"
        QCOMPARE(model.rowAt(3), 1);   // the empty row
        QCOMPARE(model.rowAt(5), 2);
        QCOMPARE(model.rowAt(9), -1);
        QCOMPARE(model.rowAt(-1), -1);
        QCOMPARE(model.maxColumns(), 9);  // "cd", the tab to column 8, "x"
        const quint64 before = model.revision();
        model.clear();
        QVERIFY(model.revision() != before);
        QCOMPARE(model.maxColumns(), 0);
        QVERIFY(model.text().isEmpty());
    }

    void paneShowsLongRowsWhole()
    {
        LinePaneModel model;
        QWidget window;
        QListView *pane = makeLinePane(&model, &window);
        pane->resize(300, 200);
        window.resize(300, 200);
        QCOMPARE(pane->font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
        QVERIFY(QFontInfo(pane->font()).fixedPitch());
        QCOMPARE(pane->textElideMode(), Qt::ElideNone);
        QCOMPARE(pane->horizontalScrollMode(), QAbstractItemView::ScrollPerPixel);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // A row of 196 columns is far wider than the pane: the pane scrolls sideways to
        // its end instead of cutting it short.
        const int column = pane->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        model.appendItems({QStringLiteral("corta"), QString(100, QLatin1Char('-')) + QStringLiteral("\t") + QString(92, QLatin1Char('x'))});
        model.flush();
        QTRY_VERIFY(pane->horizontalScrollBar()->maximum() > 0);
        QVERIFY(pane->horizontalScrollBar()->maximum() + pane->viewport()->width() >= 196 * column);
        QCOMPARE(pane->horizontalScrollBar()->singleStep(), 4 * column);
        QCOMPARE(model.data(model.index(1)).toString().size(), 193);
    }

    // Drawn, a tab moves what follows it to the next multiple of 8 columns.
    void paintedTabStop()
    {
        LinePaneModel model;
        QListView *pane = makeLinePane(&model, nullptr);
        std::unique_ptr<QListView> owner(pane);
        pane->resize(400, 100);
        model.appendItems({QStringLiteral("\t#")});
        model.flush();
        pane->show();
        QVERIFY(QTest::qWaitForWindowExposed(pane));

        const QImage image = pane->viewport()->grab().toImage();
        const QRect row = pane->visualRect(model.index(0));
        const QColor base = pane->palette().color(QPalette::Base);
        int firstInk = -1;
        for (int x = 0; x < image.width() && firstInk < 0; ++x) {
            for (int y = row.top(); y <= row.bottom(); ++y) {
                if (image.pixelColor(x, y) != base) {
                    firstInk = x;
                    break;
                }
            }
        }
        const int column = pane->fontMetrics().horizontalAdvance(QLatin1Char(' '));
        // The "#" starts in column 8, after the row's margin of 3 pixels.
        QVERIFY2(firstInk >= 3 + 8 * column && firstInk < 3 + 9 * column, qPrintable(QString::number(firstInk)));
    }
};

ASMSIM_REGISTER_TEST(TestLinePaneModel)
#include "tst_linepanemodel.moc"
