// analyseBoxDeclarations: the declarations of Ports and Code boxes, their errors and
// ranges, and the SYNC/ASYNC tags given by the statements of operation boxes.

#include "simfixture.h"
#include "sim/declarations.h"
#include "model/designmodel.h"
#include "testmain.h"

#include <QtTest>

class TestDeclarations : public QObject
{
    Q_OBJECT

private slots:
    void ports_data();
    void ports();
    void code_data();
    void code();
    void rangeTrace();
    void codeTracesNames();
    void kindCarriesOver();
    void skipsNullRows();
    void discardsPendingTrace();
    void tagging_data();
    void tagging();
    void tagsByBoxType_data();
    void tagsByBoxType();
    void timingGrowsWithEveryScan();
    void nameInTwoKindsTaggedInBoth();
    void badBoxesDoNothing();
};

namespace {

const QString kPortsKeyword = QStringLiteral("Error! En BOX Ports aparece un INOUT o WIRE");
const QString kPortsText = QStringLiteral("Error! En BOX Ports aparece texto que no es una señal");
const QString kCodeKeyword = QStringLiteral("Error! En BOX CODE aparece un INPUT o OUTPUT");
const QString kCodeText = QStringLiteral("Error! En BOX code aparece texto que no es una señal");
const QString kUndeclared = QStringLiteral("Error! Encontrado nombre de señal sin definición previa");

// A design of boxes of the given types, every text cell "null".
void makeBoxes(SimFixture &f, const QStringList &types)
{
    DesignModel &m = f.state->model;
    rebuildTextMatrices(m);
    m.boxTypes = boxTypesNamed(types);
    m.boxCount = int(types.size());
    for (int i = 0; i < types.size(); ++i)
        m.boxIds << 10 + i;
}

void setLines(TextMatrix &matrix, int box, const QStringList &lines)
{
    for (int row = 0; row < lines.size(); ++row)
        matrix[row][box] = lines.at(row);
}

// "NAME:range" for every declaration of a kind, in order.
QStringList declared(const SignalTable &t, SignalKind kind)
{
    QStringList entries;
    const QStringList &names = t.namesOf(kind);
    const QStringList &ranges = t.rangesOf(kind);
    for (int i = 0; i < names.size(); ++i)
        entries << names.at(i) + QLatin1Char(':') + ranges.value(i);
    return entries;
}

} // namespace

void TestDeclarations::ports_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("outputs");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("two inputs") << QStringList{"INPUT CLK, RST"} << QStringList{"CLK: ", "RST: "} << QStringList{}
                                << QStringList{};
    QTest::newRow("output with range") << QStringList{"OUTPUT [7:0] Q"} << QStringList{} << QStringList{"Q:[7:0]"}
                                       << QStringList{};
    QTest::newRow("single bound") << QStringList{"INPUT [3] A"} << QStringList{"A:[3]"} << QStringList{}
                                  << QStringList{};
    // The bound's sentence takes «3 A» as a number and a parameter name.
    QTest::newRow("unclosed bound") << QStringList{"INPUT [3 A"} << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("bounds are expressions") << QStringList{"OUTPUT [2*4-1:0] Q"} << QStringList{}
                                            << QStringList{"Q:[7:0]"} << QStringList{};
    QTest::newRow("shared range") << QStringList{"INPUT [3:0] A, B"} << QStringList{"A:[3:0]", "B:[3:0]"}
                                  << QStringList{} << QStringList{};
    QTest::newRow("lower case") << QStringList{"input a"} << QStringList{"A: "} << QStringList{} << QStringList{};
    QTest::newRow("digits end a name") << QStringList{"INPUT A1"} << QStringList{"A: "} << QStringList{}
                                       << QStringList{};
    QTest::newRow("keyword glued to a name") << QStringList{"INPUTS"} << QStringList{"S: "} << QStringList{}
                                             << QStringList{};
    QTest::newRow("comma optional") << QStringList{"INPUT A B"} << QStringList{"A: ", "B: "} << QStringList{}
                                    << QStringList{};
    QTest::newRow("number ends the names") << QStringList{"INPUT A, 5, B"} << QStringList{"A: "} << QStringList{}
                                           << QStringList{};
    QTest::newRow("both kinds") << QStringList{"INPUT A", "OUTPUT B, C"} << QStringList{"A: "}
                                << QStringList{"B: ", "C: "} << QStringList{};
    QTest::newRow("inout") << QStringList{"INOUT X"} << QStringList{} << QStringList{} << QStringList{kPortsKeyword};
    QTest::newRow("wire") << QStringList{"WIRE X"} << QStringList{} << QStringList{} << QStringList{kPortsKeyword};
    QTest::newRow("line without keyword") << QStringList{"INPUT A", "B"} << QStringList{"A: ", "B: "}
                                          << QStringList{} << QStringList{kPortsText};
    QTest::newRow("no kind in force yet") << QStringList{"A"} << QStringList{} << QStringList{}
                                          << QStringList{kPortsText};
    QTest::newRow("empty line") << QStringList{""} << QStringList{} << QStringList{} << QStringList{kPortsText};
}

void TestDeclarations::ports()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, outputs);
    QFETCH(QStringList, errors);

    SimFixture f;
    makeBoxes(f, {"Header", "Ports"});
    setLines(f.state->model.textMatrix, 1, lines);
    analyseBoxDeclarations(*f.state, 1, ModePorts);
    const SignalTable &t = f.state->signalTable;
    QCOMPARE(declared(t, KindInput), inputs);
    QCOMPARE(declared(t, KindOutput), outputs);
    QVERIFY(t.inoutNames.isEmpty() && t.wireNames.isEmpty());
    QCOMPARE(f.state->log.errorList, errors);
    // The box's text is read, never changed.
    QCOMPARE(f.state->model.textMatrix.at(0).at(1), lines.value(0));
}

void TestDeclarations::code_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("inouts");
    QTest::addColumn<QStringList>("wires");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("wire") << QStringList{"WIRE T"} << QStringList{} << QStringList{"T: "} << QStringList{};
    QTest::newRow("inouts with range") << QStringList{"inout [1:0] x, y"} << QStringList{"X:[1:0]", "Y:[1:0]"}
                                       << QStringList{} << QStringList{};
    QTest::newRow("input") << QStringList{"INPUT A"} << QStringList{} << QStringList{} << QStringList{kCodeKeyword};
    QTest::newRow("output") << QStringList{"OUTPUT A"} << QStringList{} << QStringList{} << QStringList{kCodeKeyword};
    QTest::newRow("empty line") << QStringList{""} << QStringList{} << QStringList{} << QStringList{kCodeText};
    QTest::newRow("line without keyword") << QStringList{"WIRE T", "U"} << QStringList{} << QStringList{"T: ", "U: "}
                                          << QStringList{kCodeText};
}

void TestDeclarations::code()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, inouts);
    QFETCH(QStringList, wires);
    QFETCH(QStringList, errors);

    SimFixture f;
    makeBoxes(f, {"Code"});
    setLines(f.state->model.textMatrix, 0, lines);
    analyseBoxDeclarations(*f.state, 0, ModeCode);
    const SignalTable &t = f.state->signalTable;
    QCOMPARE(declared(t, KindInout), inouts);
    QCOMPARE(declared(t, KindWire), wires);
    QVERIFY(t.inputNames.isEmpty() && t.outputNames.isEmpty());
    QCOMPARE(f.state->log.errorList, errors);
}

// Each bound is a sentence of its own, analysed up to the first thing it cannot use.
void TestDeclarations::rangeTrace()
{
    SimFixture f;
    makeBoxes(f, {"Ports"});
    setLines(f.state->model.textMatrix, 0, {"OUTPUT [7:0] Q"});
    analyseBoxDeclarations(*f.state, 0, ModePorts);
    const QString banner = QStringLiteral("\n//-----------EXPRESION PREVIA A ANALIZAR-------------//");
    const QStringList expected{
        banner, "CICLO DE SIMULACION: 0", "7:0] Q", "Numero decimal", "7", "NO ANALIZADO: :0] Q",
        banner, "CICLO DE SIMULACION: 0", "0] Q",   "Numero decimal", "0", "NO ANALIZADO: ] Q",
    };
    QCOMPARE(f.takeTrace(), expected);
}

void TestDeclarations::codeTracesNames()
{
    SimFixture f;
    makeBoxes(f, {"Code"});
    setLines(f.state->model.textMatrix, 0, {"WIRE T, U"});
    analyseBoxDeclarations(*f.state, 0, ModeCode);
    QCOMPARE(f.takeTrace(), (QStringList{"T", "U"}));
    QCOMPARE(f.state->registers.scannedSignalName, QStringLiteral("U"));
}

// The kind of the last keyword accepted carries over to lines and boxes without one.
void TestDeclarations::kindCarriesOver()
{
    SimFixture f;
    makeBoxes(f, {"Ports", "Ports", "Code", "Ports"});
    TextMatrix &text = f.state->model.textMatrix;
    setLines(text, 0, {"OUTPUT Q"});
    setLines(text, 1, {"R"});
    setLines(text, 2, {"WIRE W"});
    setLines(text, 3, {"S"});
    for (int box = 0; box < 4; ++box)
        analyseBoxDeclarations(*f.state, box, box == 2 ? ModeCode : ModePorts);
    const SignalTable &t = f.state->signalTable;
    QCOMPARE(t.outputNames, (QStringList{"Q", "R"}));
    QCOMPARE(t.wireNames, QStringList{"W"});
    QVERIFY(t.inputNames.isEmpty());  // S came under the wire kind, which a Ports box cannot declare
    QCOMPARE(f.state->log.errorList, (QStringList{kPortsText, kPortsText}));
    QCOMPARE(t.declarationKind, qint32(KindWire));
}

void TestDeclarations::skipsNullRows()
{
    SimFixture f;
    makeBoxes(f, {"Ports"});
    TextMatrix &text = f.state->model.textMatrix;
    text[1][0] = QStringLiteral("INPUT X");
    text[49][0] = QStringLiteral("OUTPUT Y");
    analyseBoxDeclarations(*f.state, 0, ModePorts);
    QCOMPARE(f.state->signalTable.inputNames, QStringList{"X"});
    QCOMPARE(f.state->signalTable.outputNames, QStringList{"Y"});
    QVERIFY(f.state->log.errorList.isEmpty());
}

void TestDeclarations::discardsPendingTrace()
{
    SimFixture f;
    makeBoxes(f, {"Code"});
    setLines(f.state->model.textMatrix, 0, {"WIRE T"});
    f.state->log.traceLines << QStringLiteral("left over");
    analyseBoxDeclarations(*f.state, 0, ModeCode);
    QCOMPARE(f.takeTrace(), QStringList{"T"});
    QVERIFY(f.state->log.traceLines.isEmpty());
}

// With inputs D, EN and output Q declared, one SyncOps line: the tags of D, EN and Q, and
// the number of names found undeclared.
void TestDeclarations::tagging_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("errors");

    QTest::newRow("every name of a chain") << "Q <= D & EN;" << QStringList{"SYNC", "SYNC"} << "SYNC" << 0;
    QTest::newRow("a number ends the chain") << "Q <= D + 1 + EN" << QStringList{"SYNC", "ASYNC"} << "SYNC" << 0;
    QTest::newRow("a parenthesis ends it") << "q <= (D)" << QStringList{"ASYNC", "ASYNC"} << "SYNC" << 0;
    QTest::newRow("a semicolon ends it") << "Q <= D ; EN" << QStringList{"SYNC", "ASYNC"} << "SYNC" << 0;
    QTest::newRow("two names in a row") << "Q D" << QStringList{"ASYNC", "ASYNC"} << "SYNC" << 0;
    QTest::newRow("a selection ends it") << "Q[3] <= D" << QStringList{"ASYNC", "ASYNC"} << "SYNC" << 0;
    QTest::newRow("must start with a name") << "5 + D" << QStringList{"ASYNC", "ASYNC"} << "ASYNC" << 0;
    QTest::newRow("undeclared target") << "X <= D;" << QStringList{"SYNC", "ASYNC"} << "ASYNC" << 1;
    QTest::newRow("both undeclared") << "X <= Y;" << QStringList{"ASYNC", "ASYNC"} << "ASYNC" << 2;
    QTest::newRow("empty") << "" << QStringList{"ASYNC", "ASYNC"} << "ASYNC" << 0;
}

void TestDeclarations::tagging()
{
    QFETCH(QString, line);
    QFETCH(QStringList, inputs);
    QFETCH(QString, output);
    QFETCH(int, errors);

    SimFixture f;
    makeBoxes(f, {"SyncOps"});
    f.state->signalTable.inputNames = QStringList{"D", "EN"};
    f.state->signalTable.outputNames = QStringList{"Q"};
    setLines(f.state->model.textMatrix, 0, {line});
    analyseBoxDeclarations(*f.state, 0, ModeOperations);
    QCOMPARE(f.state->signalTable.inputTiming, inputs);
    QCOMPARE(f.state->signalTable.outputTiming, QStringList{output});
    QCOMPARE(f.state->log.errorList, QStringList(errors, kUndeclared));
}

// Box 1 holds «A <= A» in its Text and «B <= B» in its TextDown; which one its type reads
// and with which tag. An ASYNC tag shows only over a SYNC one, so for those types both
// signals are first tagged SYNC by box 0.
void TestDeclarations::tagsByBoxType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("pretag");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");

    QTest::newRow("AsyncOps") << "AsyncOps" << true << "ASYNC" << "SYNC";
    QTest::newRow("StateAsyncOps") << "StateAsyncOps" << true << "ASYNC" << "SYNC";
    QTest::newRow("CondAsyncOps") << "CondAsyncOps" << true << "SYNC" << "ASYNC";
    QTest::newRow("SyncOps") << "SyncOps" << false << "SYNC" << "ASYNC";
    QTest::newRow("Event") << "Event" << false << "ASYNC" << "SYNC";
    QTest::newRow("CondSyncOps") << "CondSyncOps" << false << "ASYNC" << "SYNC";
    QTest::newRow("Decision reads nothing") << "Decision" << true << "SYNC" << "SYNC";
}

void TestDeclarations::tagsByBoxType()
{
    QFETCH(QString, type);
    QFETCH(bool, pretag);
    QFETCH(QString, a);
    QFETCH(QString, b);

    SimFixture f;
    makeBoxes(f, {"SyncOps", type});
    DesignModel &m = f.state->model;
    m.textMatrix[0][0] = QStringLiteral("A, B");
    m.textMatrix[0][1] = QStringLiteral("A <= A");
    m.textDownMatrix[0][1] = QStringLiteral("B <= B");
    m.textUpMatrix[0][1] = QStringLiteral("A == B");
    f.state->signalTable.inputNames = QStringList{"A", "B"};
    if (pretag)
        analyseBoxDeclarations(*f.state, 0, ModeOperations);
    analyseBoxDeclarations(*f.state, 1, ModeOperations);
    const QStringList &timing = f.state->signalTable.inputTiming;
    QCOMPARE(timing.mid(0, 2), (QStringList{a, b}));
    QVERIFY(f.state->log.errorList.isEmpty());
}

void TestDeclarations::timingGrowsWithEveryScan()
{
    SimFixture f;
    makeBoxes(f, {"Ports", "SyncOps"});
    DesignModel &m = f.state->model;
    setLines(m.textMatrix, 0, {"INPUT A, B", "OUTPUT Q"});
    setLines(m.textMatrix, 1, {"Q <= A"});
    analyseBoxDeclarations(*f.state, 0, ModePorts);
    SignalTable &t = f.state->signalTable;
    // Declarations alone give no timing.
    QVERIFY(t.inputTiming.isEmpty() && t.outputTiming.isEmpty());

    analyseBoxDeclarations(*f.state, 1, ModeOperations);
    analyseBoxDeclarations(*f.state, 1, ModeOperations);
    QCOMPARE(t.inputTiming, (QStringList{"SYNC", "ASYNC", "ASYNC", "ASYNC"}));
    QCOMPARE(t.outputTiming, (QStringList{"SYNC", "ASYNC"}));
    QVERIFY(t.inoutTiming.isEmpty() && t.wireTiming.isEmpty());
    QCOMPARE(f.state->registers.scannedSignalName, QStringLiteral("A"));
}

void TestDeclarations::nameInTwoKindsTaggedInBoth()
{
    SimFixture f;
    makeBoxes(f, {"SyncOps"});
    f.state->signalTable.inputNames = QStringList{"A"};
    f.state->signalTable.wireNames = QStringList{"W", "A"};
    setLines(f.state->model.textMatrix, 0, {"A <= 1"});
    analyseBoxDeclarations(*f.state, 0, ModeOperations);
    QCOMPARE(f.state->signalTable.inputTiming, QStringList{"SYNC"});
    QCOMPARE(f.state->signalTable.wireTiming, (QStringList{"ASYNC", "SYNC"}));
    QVERIFY(f.state->log.errorList.isEmpty());
}

void TestDeclarations::badBoxesDoNothing()
{
    SimFixture f;
    makeBoxes(f, {"Ports"});
    setLines(f.state->model.textMatrix, 0, {"INPUT A"});
    for (int box : {-1, 1, 299, 300, 100000})
        for (int mode : {0, 1, 2, 3, 4, -7})
            analyseBoxDeclarations(*f.state, box, static_cast<DeclarationMode>(mode));
    for (int mode : {0, 4, -7})
        analyseBoxDeclarations(*f.state, 0, static_cast<DeclarationMode>(mode));
    QVERIFY(f.state->signalTable.inputNames.isEmpty());
    QVERIFY(f.state->log.errorList.isEmpty());

    // And an empty design: no matrices at all.
    SimFixture empty;
    analyseBoxDeclarations(*empty.state, 0, ModePorts);
    analyseBoxDeclarations(*empty.state, 0, ModeOperations);
    QVERIFY(empty.state->log.errorList.isEmpty());
}

ASMSIM_REGISTER_TEST(TestDeclarations)
#include "tst_declarations.moc"
