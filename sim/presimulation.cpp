#include "sim/presimulation.h"

#include "core/messagelog.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "model/boxaccess.h"
#include "sim/cyclevalues.h"
#include "sim/events.h"
#include "sim/simcontext.h"
#include "sim/snapshots.h"

namespace {

const QString kNoText = QStringLiteral("null");
const QString kNotImplemented = QStringLiteral("No implantado\n");
const QString kAnalysedBefore = QStringLiteral("Ya analizado en Sim.Declarativa\n");
const QString kClock = QStringLiteral("       Reloj: ");

// The trace being built: finished entries, and the line of the header chain in progress
// (one entry, with line feeds inside).
struct Presimulation {
    const SimContext &ctx;
    QStringList trace;
    QString chainLine;
};

void skipOperator(QString &text, TokenCode op)
{
    if (scanToken(text, false) == op)
        scanToken(text, true);
}

// Every declared signal starts without a value; the tables that this stage fills start
// empty.
void startFromEmpty(const SimContext &ctx)
{
    SignalTable &table = ctx.signalTable;
    for (SignalKind kind : kSignalKinds)
        table.current.ofKind(kind) = QVector<qint32>(table.namesOf(kind).size(), -1);

    DesignModel &m = ctx.model;
    m.eventActivationSignals.clear();
    m.eventActivationValues.clear();
    m.eventChangeSignals.clear();
    m.eventChangeValues.clear();

    SimulationState &sim = ctx.simulation;
    sim.defaultSignalNames.clear();
    sim.defaultSignalValues.clear();
    sim.cycleTimeUnit.clear();
    sim.clockName.clear();
    sim.cycleTime = -1;
    sim.simulationColumnNames.clear();
    sim.simulationTable.clear();
    table.simCycle = 0;
}

void setInputValue(const SimContext &ctx, int input, qint32 value)
{
    QVector<qint32> &inputs = ctx.signalTable.current.input;
    if (input >= 0 && input < inputs.size())
        inputs[input] = value;
}

void notImplemented(Presimulation &run, const QString &message, LogKind kind)
{
    run.chainLine += kNotImplemented;
    logMessage(run.ctx.log, message, kind);
}

// «[PREFIX.]CLOCK = 20 NS»: the clock input takes the cycle time as its value.
void readTestBenchClock(Presimulation &run, int pos)
{
    const SimContext &ctx = run.ctx;
    QString text = firstTextLine(ctx.model, pos);
    run.chainLine += text + QLatin1Char('\n');
    const QString name = takeSignalName(text);
    // A name that is not a declared input stores nothing and shows no value.
    const int input = name.isEmpty() ? -1 : int(ctx.signalTable.inputNames.indexOf(name));
    skipOperator(text, TokAssign);
    if (scanToken(text, false) == TokNumber) {
        setInputValue(ctx, input, leadingDigits(text));
        scanToken(text, true);
    }
    if (scanToken(text, false) == TokIdentifier)
        ctx.simulation.cycleTimeUnit = leadingLetters(text).toLower();
    const qint32 cycleTime = input >= 0 ? ctx.signalTable.current.input.value(input, -1) : -1;
    if (input >= 0) {
        ctx.simulation.clockName = name;
        ctx.simulation.cycleTime = cycleTime;
    }
    run.chainLine += kClock + name + QStringLiteral("\tCycleTime: ") + QString::number(cycleTime)
                     + ctx.simulation.cycleTimeUnit + QLatin1Char('\n');
}

// The design names its clock directly; the trace shows the name as read, declared or not.
void readDesignClock(Presimulation &run, int pos)
{
    QString text = firstTextLine(run.ctx.model, pos);
    run.chainLine += text + QLatin1Char('\n');
    const QString name = scanToken(text, false) == TokIdentifier ? leadingLetters(text) : QString();
    run.chainLine += kClock + name + QLatin1Char('\n');
}

// «[PREFIX.]INPUT <= value» lines: each input takes the value its line writes.
void readInitialValues(Presimulation &run, int pos)
{
    const SimContext &ctx = run.ctx;
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString line = textCell(ctx.model.textDownMatrix, row, pos);
        if (line == kNoText)
            continue;
        run.chainLine += line + QLatin1Char('\t');
        QString text = line;
        const QString name = takeSignalName(text);
        const int input = name.isEmpty() ? -1 : int(ctx.signalTable.inputNames.indexOf(name));
        skipOperator(text, TokLe);
        // Evaluated (and traced) even for a name that is not an input, which stores nothing.
        setInputValue(ctx, input, evaluateWrittenValue(ctx.eval(), text));
    }
    run.chainLine += QLatin1Char('\n');
}

// A default value also becomes the signal's first value: in every kind for a name that
// some input, inout or wire holds; otherwise in the first output of that name.
void setFirstValue(SignalTable &table, const QString &name, qint32 value)
{
    const bool outputOnly = !table.inputNames.contains(name) && !table.inoutNames.contains(name)
                            && !table.wireNames.contains(name);
    if (outputOnly) {
        const qsizetype output = table.outputNames.indexOf(name);
        if (output >= 0 && output < table.current.output.size())
            table.current.output[output] = value;
        return;
    }
    for (SignalKind kind : kSignalKinds) {
        const QStringList &names = table.namesOf(kind);
        QVector<qint32> &values = table.current.ofKind(kind);
        for (qsizetype i = 0; i < names.size() && i < values.size(); ++i)
            if (names.at(i) == name)
                values[i] = value;
    }
}

// «NAME <= value» lines: one default record per line whose name is declared.
void readDefaultValues(Presimulation &run, int pos)
{
    const SimContext &ctx = run.ctx;
    SimulationState &sim = ctx.simulation;
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString line = textCell(ctx.model.textDownMatrix, row, pos);
        if (line == kNoText)
            continue;
        run.chainLine += line + QLatin1Char('\t');
        QString text = line;
        QString name;
        if (scanToken(text, false) == TokIdentifier) {
            name = leadingLetters(text);
            scanToken(text, true);
        }
        skipOperator(text, TokLe);
        // What an earlier line found («&&», a comparison) must not turn this value into a truth.
        startFreshEvaluation(ctx.registers);
        evalConditional(ctx.eval(), text);
        scanToken(text, true);
        const qint32 value = expressionResult(ctx.registers);
        if (name.isEmpty() || !ctx.signalTable.isDeclared(name)) {
            logMessage(ctx.log, QStringLiteral("Error! Valor por defecto de una señal no declarada: ") + name, LogError);
            continue;
        }
        sim.defaultSignalNames << name;
        sim.defaultSignalValues << value;
        setFirstValue(ctx.signalTable, name, value);
    }
    run.chainLine += QLatin1Char('\n');
}

// What a box of the header chain does on its side of the design; a type not named here
// adds nothing after its entry.
void handleChainBox(Presimulation &run, int pos, bool testBench)
{
    const SimContext &ctx = run.ctx;
    const BoxType type = boxTypeAt(ctx.model, pos);
    if (type == BoxType::Ports) {
        if (testBench)
            notImplemented(run, QStringLiteral("Error!: BOX PORTS no implantado en Presimulacion Operativa"), LogError);
        else
            run.chainLine += kAnalysedBefore;
    } else if (type == BoxType::Code) {
        if (testBench)
            notImplemented(run, QStringLiteral("Warning!: BOX CODE no implantado en Presimulacion Operativa"),
                           LogWarning);
        else
            run.chainLine += kAnalysedBefore;
    } else if (type == BoxType::ThreadSync) {
        if (testBench)
            readTestBenchClock(run, pos);
        else
            readDesignClock(run, pos);
    } else if (type == BoxType::Event) {
        if (testBench)
            notImplemented(run, QStringLiteral("Error!: BOX EVENT no implantado en Presimulacion Operativa"), LogError);
        else
            parseEventBox(ctx, pos, run.chainLine);
    } else if (type == BoxType::Default) {
        if (testBench)
            notImplemented(run, QStringLiteral("Error!: BOX DEFAULT no implantado en Presimulacion Operativa"),
                           LogError);
        else
            readDefaultValues(run, pos);
    } else if (type == BoxType::Instance) {
        if (testBench)
            run.chainLine += textCell(ctx.model.textUpMatrix, 1, pos) + QLatin1Char('\n');
        else
            notImplemented(run, QStringLiteral("Error!: BOX INSTANCE no implantado en Presimulacion Operativa"),
                           LogError);
    } else if (type == BoxType::Initial) {
        if (testBench)
            readInitialValues(run, pos);
        else
            notImplemented(run, QStringLiteral("Error!: BOX INITIAL no implantado en Presimulacion Operativa"),
                           LogError);
    } else if (type == BoxType::MetaState) {
        notImplemented(run, QStringLiteral("Error!: BOX METASTATE no implantado en Presimulacion Operativa"), LogError);
    }
}

// The box named by the Next link of the box at pos; -1 (with findBoxById's warning) when
// no box has that ID.
int nextBox(const SimContext &ctx, int pos)
{
    return findBoxById(ctx.model, ctx.log, boxLinksAt(ctx.model, pos).next);
}

// Follows Next links from the parent's successor up to the diagram's first state box.
// A chain can pass each box at most once before it must have reached that box, so a
// longer one goes round a loop and is cut.
void walkHeaderChain(Presimulation &run, int column, bool testBench)
{
    const SimContext &ctx = run.ctx;
    const DesignModel &m = ctx.model;
    const qint32 firstState = stateCell(m.stateIts, 0, column);
    const qsizetype boxes = m.boxIds.size();
    qsizetype steps = 0;
    for (int pos = nextBox(ctx, m.parentIts.value(column, -1)); pos >= 0 && pos != firstState;
         pos = nextBox(ctx, pos)) {
        if (++steps > boxes) {
            logMessage(ctx.log,
                       QStringLiteral("Error! Cadena de cabecera sin fin. Padre ID: %1").arg(m.parentIds.value(column)),
                       LogError);
            break;
        }
        run.chainLine += QStringLiteral("  - ") + boxTypeName(boxTypeAt(m, pos)) + QStringLiteral(": ");
        handleChainBox(run, pos, testBench);
    }
    run.trace << run.chainLine;
    run.chainLine.clear();
}

QString parentLine(const DesignModel &m, int column, bool testBench)
{
    const int pos = m.parentIts.value(column, -1);
    QString name = firstTextLine(m, pos);
    if (name == kNoText)
        name = textCell(m.textUpMatrix, 0, pos);
    return QStringLiteral("Padre Nº: %1,\tTipo: ").arg(column + 1)
           + (testBench ? QStringLiteral("TestBench,\tName: ") : QStringLiteral("Design,        \tName: ")) + name
           + QStringLiteral(",\tPrimer State ID: %1,\tPrimer State IT: %2")
                 .arg(stateCell(m.stateIds, 0, column))
                 .arg(stateCell(m.stateIts, 0, column));
}

// One column per declared signal, inputs first, then outputs, inouts and wires; every
// cell of cycles 0 to the last row without a value.
void createSimulationTable(const SimContext &ctx)
{
    SimulationState &sim = ctx.simulation;
    for (SignalKind kind : kSignalKinds)
        sim.simulationColumnNames += ctx.signalTable.namesOf(kind);
    sim.simulationTable =
        QVector<QVector<qint32>>(kSimulationRows, QVector<qint32>(sim.simulationColumnNames.size(), -1));
}

} // namespace

void runPresimulation(const SimContext &ctx)
{
    Presimulation run{ctx, {QStringLiteral("//------------CICLOS DE PRESIMULACION---------------//")}, {}};
    startFromEmpty(ctx);

    // The test benches go first, so that what a design's defaults and events read has
    // the values the test bench's Initial boxes gave; each parent keeps its own number.
    const int parents = int(ctx.model.parentIts.size());
    for (bool testBench : {true, false}) {
        const DiagramKind kind = testBench ? DiagramKind::TestBench : DiagramKind::Design;
        for (int column = 0; column < parents; ++column) {
            if (ctx.model.parentKinds.value(column) != kind)
                continue;
            run.trace << parentLine(ctx.model, column, testBench);
            walkHeaderChain(run, column, testBench);
        }
    }

    reportEventList(ctx.model, ctx.log);
    analyseEvents(ctx.model, ctx.signalTable, ctx.log);
    createSimulationTable(ctx);
    saveCycle(ctx.signalTable, ctx.simulation, ctx.log, ctx.signalTable.simCycle);
    ctx.signalTable.simCycle = 1;

    // The trace comes after what the events and the snapshot showed.
    run.trace << run.chainLine;
    showInProcessPane(ctx.log, run.trace);
}
