// The declarative simulation: each diagram walked once per mode (Ports, Code, operation
// boxes), the boxes handed over to the declarations as the walk leaves them, the trace
// of each walk, and the kind each diagram is given.

#include "core/panesink.h"
#include "simparts.h"
#include "designbuilder.h"
#include "model/hierarchy.h"
#include "sim/declarativesimulation.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString kHeading = QStringLiteral("\n//--------------SIMULACION DECLARATIVA-----------------//");
const QString kTestBenchEnd = QStringLiteral("END SIMULATION. Padre de test bench");
const QString kDashes = QStringLiteral("---------------------------------------");
const QString kPorts = QStringLiteral("     a) MODO PORTS");
const QString kCode = QStringLiteral("     b) MODO CODE");
const QString kOperations = QStringLiteral("     c) MODO ASYNC-SYNC");

QString child(const QString &links)
{
    return QStringLiteral("          - HIJO: ") + links;
}

QString handedOver(const QString &typeName, const QString &links)
{
    return QStringLiteral("               + ") + typeName + QLatin1Char('\n') + child(links);
}

// The lines of the first mode: from the first "PADRE: " line up to the next one.
QStringList firstModeBlock(const QStringList &output)
{
    qsizetype start = 0;
    while (start < output.size() && !output.at(start).startsWith(QLatin1String("PADRE: ")))
        ++start;
    if (start == output.size())
        return {};
    qsizetype end = start + 1;
    while (end < output.size() && !output.at(end).startsWith(QLatin1String("PADRE: ")))
        ++end;
    return output.mid(start + 1, end - start - 1);
}

} // namespace

class TestDeclarativeSimulation : public QObject {
    Q_OBJECT

private slots:
    void noParents()
    {
        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, {{5, "State", 5}});
        runDeclarativeSimulation(s);
        QCOMPARE(sink.output, QStringList({kHeading, QString()}));
        QCOMPARE(sink.process, QStringList{kHeading});
        QVERIFY(s.model.parentKinds.isEmpty());
    }

    // The root is a Ports box (handed over on the first step), the box with ID 1 is
    // entered like any other, and the walk closes through a connector named after a
    // visited state: a design.
    void designWalkedInThreeModes()
    {
        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, {
            {11, "Ports", 12, -1, -1, {"INPUT A"}},
            {12, "Code", 1, -1, -1, {"WIRE T"}},
            {1, "State", 14, -1, -1, {"IDLE"}},
            {14, "SyncOps", 15, -1, -1, {"T <= A;"}},
            {15, "State", 0, -1, -1, {"IDLE"}},
        });
        setParents(s.model, {0});
        runDeclarativeSimulation(s);

        const QString padre = QStringLiteral("PADRE: 11, 12, -1, -1");
        const QString touched = QStringLiteral("               + STATE: IDLE -> TOCADO");
        QCOMPARE(sink.output, QStringList({
                                  kHeading,
                                  padre,
                                  kPorts,
                                  handedOver("Ports", "12, 1, -1, -1"),
                                  child("1, 14, -1, -1"),
                                  child("14, 15, -1, -1"),
                                  child("15, 0, -1, -1"),
                                  touched,
                                  QString(),
                                  padre,
                                  kCode,
                                  child("12, 1, -1, -1"),
                                  handedOver("Code", "1, 14, -1, -1"),
                                  child("14, 15, -1, -1"),
                                  child("15, 0, -1, -1"),
                                  touched,
                                  QString(),
                                  padre,
                                  kOperations,
                                  child("12, 1, -1, -1"),
                                  child("1, 14, -1, -1"),
                                  child("14, 15, -1, -1"),
                                  handedOver("Code", "15, 0, -1, -1"),  // an operation box, shown as "Code"
                                  touched,
                                  QString(),
                                  QString(),
                              }));
        QCOMPARE(diagramKindNames(s.model.parentKinds), QStringList{"Design"});
        QCOMPARE(s.signalTable.inputNames, QStringList{"A"});
        QCOMPARE(s.signalTable.wireNames, QStringList{"T"});
        QCOMPARE(s.signalTable.inputTiming, QStringList{"SYNC"});
        QCOMPARE(s.signalTable.wireTiming, QStringList{"SYNC"});
        QVERIFY(s.log.errorList.isEmpty());
        QVERIFY(s.log.warningList.isEmpty());
    }

    // The test bench's notice follows its own "PADRE: " line at once; its mode lines,
    // its child lines and its later modes never appear, so its Code box declares nothing.
    void testBenchThenDesign()
    {
        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, {
            {50, "Header", 51},
            {51, "Code", 52, -1, -1, {"WIRE W"}},
            {52, "MetaState", 0, 0, -1, {"end simulation"}},
            {60, "Header", 61},
            {61, "State", -5},
        });
        setParents(s.model, {0, 3});
        runDeclarativeSimulation(s);

        // The notice waits for the next flush: after the design's first "PADRE: " line.
        QStringList expected{kHeading, "PADRE: 50, 51, -1, -1", "PADRE: 60, 61, -1, -1", kTestBenchEnd, kDashes,
                             kPorts, child("61, -5, -1, -1"), QString()};
        for (const QString &mode : {kCode, kOperations})
            expected << "PADRE: 60, 61, -1, -1" << mode << child("61, -5, -1, -1") << QString();
        expected << QString();
        QCOMPARE(sink.output, expected);
        QCOMPARE(diagramKindNames(s.model.parentKinds), QStringList({"TestBench", QString()}));
        QVERIFY(s.signalTable.wireNames.isEmpty());
    }

    // An end-simulation box needs a Next0 or Next1 of 0 besides its Next of 0; without
    // one it is a connector, here with no namesake.
    void endSimulationNeedsAZeroBranchLink()
    {
        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, {{50, "Header", 51}, {51, "MetaState", 0, -1, -1, {"end simulation"}}});
        setParents(s.model, {0});
        runDeclarativeSimulation(s);

        QCOMPARE(firstModeBlock(sink.output),
                 QStringList({kPorts, child("51, 0, -1, -1"), "               + STATE: "}));
        QCOMPARE(diagramKindNames(s.model.parentKinds), QStringList{"Design"});
        QCOMPARE(s.log.errorList, QStringList(3, "WARNING!\t No hay State con el mismo nombre;"));
    }

    void connectors_data()
    {
        QTest::addColumn<TestBoxes>("boxes");
        QTest::addColumn<QStringList>("block");
        QTest::addColumn<int>("unmatched");

        // Roots are at position 1; the box at position 0 is a namesake below them.
        QTest::newRow("namesakes below a visited one")
            << TestBoxes{{40, "State", 99, -1, -1, {"B"}},
                         {41, "Header", 42},
                         {42, "State", 43, -1, -1, {"B"}},
                         {43, "State", 0, -1, -1, {"B"}}}
            << QStringList{kPorts, child("42, 43, -1, -1"), child("43, 0, -1, -1"),
                           "               + STATE: B -> SIN TOCAR", "B -> TOCADO", QString()}
            << 0;
        QTest::newRow("only unvisited namesakes: on from the last one's Next")
            << TestBoxes{{40, "State", 45, -1, -1, {"C"}},
                         {41, "Header", 42},
                         {42, "State", 43},
                         {43, "State", 0, -1, -1, {"C"}},
                         {44, "State", 46, -1, -1, {"C"}},
                         {45, "State", -5, -1, -1, {"D"}},
                         {46, "State", -5, -1, -1, {"E"}}}
            << QStringList{kPorts, child("42, 43, -1, -1"), child("43, 0, -1, -1"),
                           "               + STATE: C -> SIN TOCAR", "C -> SIN TOCAR",
                           child("46, -5, -1, -1"), QString()}
            << 0;
        QTest::newRow("no namesake")
            << TestBoxes{{40, "State", 99, -1, -1, {"X"}}, {41, "Header", 42},
                         {42, "State", 0, -1, -1, {"Y"}}}
            << QStringList{kPorts, child("42, 0, -1, -1"), "               + STATE: "} << 1;
        // A connector without a name stands for no box, even though other boxes have no
        // text either.
        QTest::newRow("nameless connector")
            << TestBoxes{{40, "State", 99}, {41, "Header", 42}, {42, "State", 0}}
            << QStringList{kPorts, child("42, 0, -1, -1"), "               + STATE: "} << 1;
    }

    void connectors()
    {
        QFETCH(TestBoxes, boxes);
        QFETCH(QStringList, block);
        QFETCH(int, unmatched);

        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, boxes);
        setParents(s.model, {1});
        runDeclarativeSimulation(s);

        QCOMPARE(firstModeBlock(sink.output), block);
        QCOMPARE(diagramKindNames(s.model.parentKinds), QStringList{"Design"});
        // Each mode meets the same connector; an unmatched one counts as an error.
        QCOMPARE(s.log.errorList, QStringList(3 * unmatched, "WARNING!\t No hay State con el mismo nombre;"));
        QVERIFY(s.log.warningList.isEmpty());
    }

    // A loop of plain Next links is cut when it comes round again unchanged; the boxes
    // met up to there are still handed over.
    void endlessLoopIsCut()
    {
        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, {{9, "Header", 10}, {10, "SyncOps", 11}, {11, "AsyncOps", 10}});
        setParents(s.model, {0});
        runDeclarativeSimulation(s);

        const QStringList lastMode = sink.output.mid(sink.output.lastIndexOf("PADRE: 9, 10, -1, -1") + 1);
        QCOMPARE(lastMode, QStringList({kOperations, child("10, 11, -1, -1"),
                                        handedOver("Code", "11, 10, -1, -1"),
                                        handedOver("Code", "10, 11, -1, -1"), QString(), QString()}));
        QCOMPARE(s.log.errorList, QStringList(3, "ERROR!\t Bucle sin fin en el diagrama del padre con ID: 9"));
        QCOMPARE(diagramKindNames(s.model.parentKinds), QStringList{QString()});
    }

    void branchingAndLostLinks()
    {
        MemorySink sink;
        SimParts s(&sink);
        addBoxes(s.model, {
            {9, "Header", 10},
            {10, "Decision", -1, 11, 12},
            {11, "Ports", 10, -1, -1, {"INPUT A"}},
            {12, "Ports", 77, -1, -1, {"OUTPUT Q"}},
        });
        setParents(s.model, {0});
        runDeclarativeSimulation(s);

        // Next0 first, back to the decision, then Next1, whose Next names no box: the
        // box is not handed over because the walk never leaves it.
        QCOMPARE(firstModeBlock(sink.output),
                 QStringList({kPorts, child("10, -1, 11, 12"), child("11, 10, -1, -1"),
                              handedOver("Ports", "10, -1, 11, 12"), child("12, 77, -1, -1"), QString()}));
        QCOMPARE(s.signalTable.inputNames, QStringList{"A"});
        QVERIFY(s.signalTable.outputNames.isEmpty());
        QCOMPARE(s.log.warningList, QStringList(3, "WARNING!\t Hijo no encontrado con ID: 77"));
    }

    // Per-box tables shorter than the ID table (and no text matrix at all) read as boxes
    // without links, type or text.
    void tablesOutOfStep()
    {
        MemorySink sink;
        SimParts s(&sink);
        s.model.boxIds = {9, 10, 11};
        s.model.boxTypes = boxTypesNamed({"Header"});
        s.model.boxNext = {10};
        findParentBoxes(s.model, s.log);
        QCOMPARE(s.model.parentIts, QVector<qint32>({0, 2}));

        sink.output.clear();
        runDeclarativeSimulation(s);
        QStringList expected{kHeading};
        for (const QString &mode : {kPorts, kCode, kOperations})
            expected << "PADRE: 9, 10, -1, -1" << mode << child("10, -1, -1, -1") << QString();
        for (const QString &mode : {kPorts, kCode, kOperations})
            expected << "PADRE: 11, -1, -1, -1" << mode << QString();
        expected << QString();
        QCOMPARE(sink.output, expected);
        QCOMPARE(diagramKindNames(s.model.parentKinds), QStringList({QString(), QString()}));
        QCOMPARE(s.log.warningList, QStringList(12, "WARNING!\t Hijo no encontrado con ID: -1"));

        buildStateTable(s.model, s.log);
        QCOMPARE(s.model.stateIds, QVector<QVector<qint32>>(100, QVector<qint32>(2, 0)));
        QCOMPARE(s.model.boxVisited.size(), 3);
    }
};

ASMSIM_REGISTER_TEST(TestDeclarativeSimulation)
#include "tst_declarativesimulation.moc"
