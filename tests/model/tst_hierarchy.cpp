// The box hierarchy: looking a box up by its ID, the roots of the diagrams, the state
// boxes met by walking each diagram, and the report of both.

#include "core/panesink.h"
#include "model/boxaccess.h"
#include "designbuilder.h"
#include "model/hierarchy.h"
#include "modelparts.h"
#include "testmain.h"

#include <QTest>

namespace {

QString notFound(qint32 id)
{
    return QStringLiteral("WARNING!\t Hijo no encontrado con ID: %1").arg(id);
}

QVector<qint32> column(const QVector<QVector<qint32>> &matrix, int col)
{
    QVector<qint32> entries;
    for (const QVector<qint32> &row : matrix) {
        if (row.value(col) != 0)
            entries << row.value(col);
    }
    return entries;
}

// A header leading to n state boxes in a chain, the last ending the walk with a
// link below -1.
TestBoxes stateChain(int n)
{
    TestBoxes boxes{{9, "Header", 1000}};
    for (int k = 0; k < n; ++k)
        boxes << TestBox{1000 + k, "State", k + 1 < n ? 1001 + k : -5};
    return boxes;
}

} // namespace

class TestHierarchy : public QObject {
    Q_OBJECT

private slots:
    void findBoxByIdTakesTheLastDuplicate()
    {
        ModelParts s;
        addBoxes(s.model, {{4, "State"}, {7, "State"}, {4, "Decision"}, {1, "SyncOps"}});
        QCOMPARE(findBoxById(s.model, s.log, 4), 2);
        QCOMPARE(findBoxById(s.model, s.log, 1), 3);
        QVERIFY(s.log.warningList.isEmpty());
        QCOMPARE(findBoxById(s.model, s.log, 8), -1);
        QCOMPARE(findBoxById(s.model, s.log, -1), -1);
        QCOMPARE(s.log.warningList, QStringList({notFound(8), notFound(-1)}));
        QVERIFY(s.log.errorList.isEmpty());
    }

    void parentsAreTheBoxesNoLinkNames()
    {
        MemorySink sink;
        ModelParts s(&sink);
        addBoxes(s.model, {
            {5, "Header", 6},         // root
            {6, "State", 7},
            {7, "Decision", -1, 6, 6},
            {9, "State", 9},          // names itself: not a root
            {40, "State"},            // named only by a Next0 link: not a root
            {41, "SyncOps", -1, 40},  // named by none: a root
        });
        findParentBoxes(s.model, s.log);
        QCOMPARE(s.model.parentIds, QVector<qint32>({5, 41}));
        QCOMPARE(s.model.parentIts, QVector<qint32>({0, 5}));
        QCOMPARE(sink.output, QStringList({" ", "//-------------- ID's de los BOXES PADRES--------------//",
                                           "Id Padres: 5, 41", "It Padres: 0, 5"}));
        QVERIFY(s.log.warningList.isEmpty());
    }

    void noParentIsWarned()
    {
        MemorySink sink;
        ModelParts s(&sink);
        addBoxes(s.model, {{5, "State", 6}, {6, "State", 5}});
        s.model.parentIds = {3};
        s.model.parentIts = {3};
        findParentBoxes(s.model, s.log);
        QVERIFY(s.model.parentIds.isEmpty() && s.model.parentIts.isEmpty());
        QCOMPARE(sink.output, QStringList({" ", "//-------------- ID's de los BOXES PADRES--------------//",
                                           "Id Padres: ", "It Padres: "}));
        QCOMPARE(s.log.warningList, QStringList{"WARNING!\t No hay boxes padre"});
    }

    void stateWalk_data()
    {
        QTest::addColumn<TestBoxes>("boxes");
        QTest::addColumn<QVector<qint32>>("ids");
        QTest::addColumn<QVector<qint32>>("its");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<QStringList>("errors");

        // The root is always the box at position 0. A box with ID 1 is entered like any
        // other.
        QTest::newRow("decision, then a connector to a visited state")
            << TestBoxes{{100, "Header", 101},
                         {101, "Ports", 1},
                         {1, "State", 3, -1, -1, {"S0"}},
                         {3, "Decision", -1, 4, 5},
                         {4, "SyncOps", 6},
                         {5, "State", 7, -1, -1, {"S1"}},
                         {6, "State", 0, -1, -1, {"S0"}}}
            << QVector<qint32>{1, 6} << QVector<qint32>{2, 6} << QStringList{} << QStringList{};
        QTest::newRow("connector to unvisited namesakes goes on from the last one's Next")
            << TestBoxes{{9, "Header", 10},
                         {10, "StateAsyncOps", 11, -1, -1, {"A"}},
                         {11, "State", 0, -1, -1, {"B"}},
                         {12, "MetaState", 14, -1, -1, {"B"}},
                         {13, "State", 15, -1, -1, {"B"}},
                         {14, "State", -5},
                         {15, "MetaState", -1}}
            << QVector<qint32>{10, 11, 15} << QVector<qint32>{1, 2, 6}
            << QStringList{notFound(-1), notFound(-1)} << QStringList{};
        QTest::newRow("decision whose links both lead back ends the walk")
            << TestBoxes{{9, "Header", 10},
                         {10, "State", 11},
                         {11, "Decision", -1, 10, 12},
                         {12, "State", 11}}
            << QVector<qint32>{10, 12} << QVector<qint32>{1, 3} << QStringList{} << QStringList{};
        QTest::newRow("connector whose name no other box carries")
            << TestBoxes{{9, "Header", 10}, {10, "State", 0, -1, -1, {"LOST"}}}
            << QVector<qint32>{10} << QVector<qint32>{1} << QStringList{} << QStringList{};
        QTest::newRow("Next 0 on a box with a Next0 line ends the walk")
            << TestBoxes{{9, "Header", 10}, {10, "State", 0, 9}}
            << QVector<qint32>{10} << QVector<qint32>{1} << QStringList{} << QStringList{};
        QTest::newRow("first step follows Next 0 and finds no box")
            << TestBoxes{{9, "Header", 0}, {10, "State"}}
            << QVector<qint32>{} << QVector<qint32>{} << QStringList{notFound(0)} << QStringList{};
        QTest::newRow("link to an unknown ID")
            << TestBoxes{{9, "Header", 10}, {10, "State", 77}}
            << QVector<qint32>{10} << QVector<qint32>{1} << QStringList{notFound(77)} << QStringList{};
        // A loop of states fills the column, repeats included, up to its 100 rows.
        QVector<qint32> loopIds, loopIts;
        for (int k = 0; k < 50; ++k) {
            loopIds << 10 << 11;
            loopIts << 1 << 2;
        }
        QTest::newRow("loop of plain Next links through states ends at the 101st entry")
            << TestBoxes{{9, "Header", 10}, {10, "State", 11}, {11, "State", 10}}
            << loopIds << loopIts << QStringList{}
            << QStringList{"ERROR!\t Demasiados estados en el diagrama del padre con ID: 9"};
        QTest::newRow("loop without states")
            << TestBoxes{{9, "Header", 10}, {10, "SyncOps", 11}, {11, "AsyncOps", 10}}
            << QVector<qint32>{} << QVector<qint32>{} << QStringList{}
            << QStringList{"ERROR!\t Bucle sin fin en el diagrama del padre con ID: 9"};

        QVector<qint32> hundredIds, hundredIts;
        for (int k = 0; k < 100; ++k) {
            hundredIds << 1000 + k;
            hundredIts << 1 + k;
        }
        QTest::newRow("the 101st state ends the walk")
            << stateChain(101) << hundredIds << hundredIts << QStringList{}
            << QStringList{"ERROR!\t Demasiados estados en el diagrama del padre con ID: 9"};
    }

    void stateWalk()
    {
        QFETCH(TestBoxes, boxes);
        QFETCH(QVector<qint32>, ids);
        QFETCH(QVector<qint32>, its);
        QFETCH(QStringList, warnings);
        QFETCH(QStringList, errors);

        ModelParts s;
        addBoxes(s.model, boxes);
        setParents(s.model, {0});
        buildStateTable(s.model, s.log);

        QCOMPARE(s.model.stateIds.size(), 100);
        QCOMPARE(s.model.stateIts.size(), 100);
        QCOMPARE(column(s.model.stateIds, 0), ids);
        // Position 0 is never a state here, so the filled IT cells are the non-zero ones.
        QCOMPARE(column(s.model.stateIts, 0), its);
        QCOMPARE(s.log.warningList, warnings);
        QCOMPARE(s.log.errorList, errors);
    }

    void stateTableHasOneColumnPerParent()
    {
        ModelParts s;
        addBoxes(s.model, {{9, "Header", 10}, {10, "State", -5}, {20, "Header", 21}, {21, "Decision"},
                     {22, "State", 0}});
        setParents(s.model, {0, 2, 4});
        buildStateTable(s.model, s.log);

        for (const QVector<qint32> &row : s.model.stateIds)
            QCOMPARE(row.size(), 3);
        QCOMPARE(column(s.model.stateIds, 0), QVector<qint32>{10});
        QCOMPARE(column(s.model.stateIds, 1), QVector<qint32>{});
        // The third root's Next of 0 is followed on the first step and names no box.
        QCOMPARE(column(s.model.stateIds, 2), QVector<qint32>{});
        QCOMPARE(s.log.warningList, QStringList({notFound(-1), notFound(-1), notFound(0)}));
    }

    void reportOfTwoDiagrams()
    {
        MemorySink sink;
        ModelParts s(&sink);
        s.model.parentIds = {9, 50};
        s.model.parentIts = {0, 7};
        s.model.parentKinds = diagramKindsNamed({"Design", "TestBench"});
        s.model.stateIds = s.model.stateIts = QVector<QVector<qint32>>(100, QVector<qint32>(2, 0));
        s.model.stateIds[0] = {10, 51};
        s.model.stateIds[1] = {12, 0};
        s.model.stateIts[0] = {1, 8};
        s.model.stateIts[1] = {3, 0};
        reportHeadersAndStates(s.model, s.log);

        QCOMPARE(sink.output, QStringList({
                                  "\t\tPadre Nº1\tPadre Nº2",
                                  "\t\t--------\t--------",
                                  "-TYPE Cabeceras:\tDesign\tTestBench\t",
                                  "-ID Cabeceras:    \t9\t50\t",
                                  "-IT Cabeceras:    \t0\t7\t",
                                  "-ID States:",
                                  "      +ID State 1:\t\t10\t51\t",
                                  "      +ID State 2:\t\t12\t\t",
                                  "\t",
                                  "-IT States:",
                                  "      +It State 1:\t\t1\t8\t",
                                  "      +It State 2:\t\t3\t0\t",
                              }));
    }

    // Before the diagrams have kinds (and with empty state columns) the kind cells are
    // empty and two IT rows of zeros are still listed.
    void reportWithEmptyFirstRows()
    {
        MemorySink sink;
        ModelParts s(&sink);
        s.model.parentIds = {9};
        s.model.parentIts = {4};
        s.model.stateIds = s.model.stateIts = QVector<QVector<qint32>>(100, QVector<qint32>(1, 0));
        reportHeadersAndStates(s.model, s.log);

        QCOMPARE(sink.output, QStringList({
                                  "\t\tPadre Nº1",
                                  "\t\t--------",
                                  "-TYPE Cabeceras:\t\t",
                                  "-ID Cabeceras:    \t9\t",
                                  "-IT Cabeceras:    \t4\t",
                                  "-ID States:",
                                  "\t",
                                  "-IT States:",
                                  "      +It State 1:\t\t0\t",
                                  "      +It State 2:\t\t0\t",
                              }));
    }

    void reportWithoutParents()
    {
        MemorySink sink;
        ModelParts s(&sink);
        buildStateTable(s.model, s.log);
        reportHeadersAndStates(s.model, s.log);

        QStringList expected{"\t", "\t", "-TYPE Cabeceras:\t", "-ID Cabeceras:    \t",
                             "-IT Cabeceras:    \t", "-ID States:"};
        for (int n = 1; n <= 100; ++n)
            expected << QStringLiteral("      +ID State %1:\t\t").arg(n);
        expected << "-IT States:" << "      +It State 1:\t\t" << "      +It State 2:\t\t";
        QCOMPARE(sink.output, expected);
    }

    void reportOfAFullColumn()
    {
        MemorySink sink;
        ModelParts s(&sink);
        addBoxes(s.model, stateChain(100));
        setParents(s.model, {0});
        s.model.parentKinds = diagramKindsNamed({"Design"});
        buildStateTable(s.model, s.log);
        reportHeadersAndStates(s.model, s.log);

        // 5 heading lines, "-ID States:", 100 ID rows, "-IT States:", 100 IT rows.
        QCOMPARE(sink.output.size(), 5 + 1 + 100 + 1 + 100);
        QCOMPARE(sink.output.at(6 + 99), QStringLiteral("      +ID State 100:\t\t1099\t"));
        QCOMPARE(sink.output.last(), QStringLiteral("      +It State 100:\t\t100\t"));
    }
};

ASMSIM_REGISTER_TEST(TestHierarchy)
#include "tst_hierarchy.moc"
