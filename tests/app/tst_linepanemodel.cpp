// The list panes' rows: one row per text line of an item, shown to the view in batches.

#include "app/linepanemodel.h"
#include "testmain.h"

#include <QSignalSpy>
#include <QTest>

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
};

ASMSIM_REGISTER_TEST(TestLinePaneModel)
#include "tst_linepanemodel.moc"
