// The box-type index: one report line per type present, in the fixed order of the
// types, listing the positions of its boxes from the last to the first.

#include "core/panesink.h"
#include "model/boxtypeindex.h"
#include "modelparts.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString kHeading = QStringLiteral("//-------------- Posición en la memoria del TYPE de cada BOX --------------//");

} // namespace

class TestBoxTypeIndex : public QObject {
    Q_OBJECT

private slots:
    void report_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("indexed");

        QTest::newRow("no boxes") << QStringList{} << QStringList{} << 0;
        QTest::newRow("one box, no comma")
            << QStringList{"Ports"} << QStringList{"Posiciones de las cajas Ports en el archivo : 0"} << 1;
        QTest::newRow("positions from the last to the first")
            << QStringList{"Header", "Ports", "State", "SyncOps", "Decision", "State", "AsyncOps",
                           "SyncOps", "Decision", "State"}
            << QStringList{"Posiciones de las cajas Header en el archivo : 0",
                           "Posiciones de las cajas Ports en el archivo : 1",
                           "Posiciones de las cajas Decision en el archivo : 8,4",
                           "Posiciones de las cajas State en el archivo : 9,5,2",
                           "Posiciones de las cajas SyncOps en el archivo : 7,3",
                           "Posiciones de las cajas AsyncOps en el archivo : 6"}
            << 10;
        QTest::newRow("fixed order, not file order")
            << QStringList{"AsyncOps", "CondAsyncOps", "CondSyncOps", "Initial", "StateAsyncOps",
                           "MetaState", "Instance", "Default", "Event", "ThreadSync", "Code", "Header"}
            << QStringList{"Posiciones de las cajas Header en el archivo : 11",
                           "Posiciones de las cajas Code en el archivo : 10",
                           "Posiciones de las cajas ThreadSync en el archivo : 9",
                           "Posiciones de las cajas Event en el archivo : 8",
                           "Posiciones de las cajas Default en el archivo : 7",
                           "Posiciones de las cajas Instance en el archivo : 6",
                           "Posiciones de las cajas MetaState en el archivo : 5",
                           "Posiciones de las cajas StateAsyncOps en el archivo : 4",
                           "Posiciones de las cajas Initial en el archivo : 3",
                           "Posiciones de las cajas CondSyncOps en el archivo : 2",
                           "Posiciones de las cajas CondAsyncOps en el archivo : 1",
                           "Posiciones de las cajas AsyncOps en el archivo : 0"}
            << 12;
        // A box of a type the reader did not recognise keeps its place with an empty
        // type; the boxes after it are listed under their own positions.
        QTest::newRow("unrecognised types keep the positions")
            << QStringList{"State", "", "state", "State"}
            << QStringList{"Posiciones de las cajas State en el archivo : 3,0"} << 2;
    }

    void report()
    {
        QFETCH(QStringList, types);
        QFETCH(QStringList, lines);
        QFETCH(int, indexed);

        MemorySink sink;
        ModelParts s(&sink);
        s.model.boxTypes = boxTypesNamed(types);
        buildBoxTypeIndex(s.model, s.log);

        QCOMPARE(sink.output, QStringList({QString(), kHeading}) + lines);
        QCOMPARE(s.model.indexedBoxCount, indexed);
        QCOMPARE(int(s.model.boxPositionsByType.size()), indexed);
    }

    void rebuiltFromScratchEachTime()
    {
        MemorySink sink;
        ModelParts s(&sink);
        s.model.boxTypes = boxTypesNamed({"State", "State"});
        buildBoxTypeIndex(s.model, s.log);
        s.model.boxTypes = boxTypesNamed({"Decision"});
        sink.output.clear();
        buildBoxTypeIndex(s.model, s.log);

        QCOMPARE(sink.output, QStringList({QString(), kHeading,
                                           "Posiciones de las cajas Decision en el archivo : 0"}));
        QCOMPARE(s.model.indexedBoxCount, 1);
        QCOMPARE(s.model.boxPositionsByType.values(BoxType::Decision), QList<qint32>{0});
        QVERIFY(!s.model.boxPositionsByType.contains(BoxType::State));
    }
};

ASMSIM_REGISTER_TEST(TestBoxTypeIndex)
#include "tst_boxtypeindex.moc"
