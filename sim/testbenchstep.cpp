#include "sim/testbenchstep.h"

#include "core/messagelog.h"
#include "lang/compiledtext.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "model/boxaccess.h"
#include "sim/cyclevalues.h"
#include "sim/simcontext.h"
#include "sim/snapshots.h"

// Latin-1 literals whose length is known when compiling, not counted at every use.
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kNoText = QStringLiteral("null");
const QString kEndSimulation = QStringLiteral("end simulation");

// Tokens the length reading looks at before it gives up on a text.
constexpr int kLengthScanLimit = 40;

QString number(qint32 value)
{
    return QString::number(value);
}

// The length of a state from its text: the digits right after the last «<» seen. A text
// without «<» keeps the length of the state before.
void readStateLength(CycleLoopState &loop, const QString &text)
{
    if (text.isNull()) {
        loop.tbStateLength = 1;
        return;
    }
    QString rest = text;
    // A «>» sends the counter back to 10, so a long run of «<n>» pairs is read through
    // to its last pair. Every such reset needs a «>» at the head, which the next round
    // consumes, so the rounds are bounded by the length of the text plus the limit.
    for (int m = 0; m < kLengthScanLimit; ++m) {
        if (scanToken(rest, false) == TokLt) {
            scanToken(rest, true);
            loop.tbStateLength = leadingDigits(rest);
            scanToken(rest, true);
        } else {
            scanToken(rest, true);
        }
        if (scanToken(rest, false) == TokGt)
            m = 10;
    }
}

// Evaluates the value part of a line on its own, whatever earlier lines left in the
// evaluator's flags, and returns its value.
qint32 evaluateValue(const SimContext &ctx, const KeptTestBenchLine &line)
{
    startFreshEvaluation(ctx.registers);
    if (line.compiled) {
        CompiledCursor value{&line.compiledValue, line.compiledStart};
        evalConditional(ctx.eval(), value);
    } else {
        TextCursor value = line.value;
        evalConditional(ctx.eval(), value);
    }
    return expressionResult(ctx.registers);
}

// The signal a verification names: after the cycle part, either «.NAME» (the prefix
// went with the cycle part) or an optional «PREFIX.» and NAME.
QString takeVerifiedName(QString &rest)
{
    if (scanToken(rest, false) != TokDot)
        return takeSignalName(rest);
    scanToken(rest, true);
    if (scanToken(rest, false) != TokIdentifier)
        return QString();
    const QString name = leadingLetters(rest);
    scanToken(rest, true);
    return name;
}

// «@k» at the head of what is left: takes it and its digits.
bool takeAtCycle(QString &rest, qint32 &k)
{
    if (scanToken(rest, false) != TokAt)
        return false;
    scanToken(rest, true);
    k = leadingDigits(rest);
    scanToken(rest, true);
    return true;
}

// A line starting with "=>": `line` has been normalised by the peek that found the arrow.
// Exactly one name per record keeps the verification lists in step; a name no kind
// declares is stored empty, which matches no column of the simulation table.
void readVerification(const SignalTable &table, QString line, KeptTestBenchLine &read)
{
    scanToken(line, true);
    read.atCycle = takeAtCycle(line, read.k);
    // An identifier here is the signal (or its prefix) and stays for the name.
    if (!read.atCycle && scanToken(line, false) != TokIdentifier)
        scanToken(line, true);
    const QString name = takeVerifiedName(line);
    read.name = !name.isEmpty() && table.isDeclared(name) ? name : QString();
    if (scanToken(line, false) == TokEq)
        scanToken(line, true);
    read.value = TextCursor(line);
}

void readAction(const SignalTable &table, QString line, KeptTestBenchLine &read)
{
    read.atCycle = takeAtCycle(line, read.k);
    const QString name = takeSignalName(line);
    read.target = name.isEmpty() ? -1 : table.inputNames.indexOf(name);
    if (scanToken(line, false) == TokLe)
        scanToken(line, true);
    read.value = TextCursor(line);
}

KeptTestBenchLine readTestBenchLine(const SignalTable &table, const QString &line, bool kept)
{
    KeptTestBenchLine read;
    QString normalised = line;
    read.verification = scanToken(normalised, false) == TokArrow;
    read.shown = normalised;
    if (read.verification)
        readVerification(table, normalised, read);
    else
        readAction(table, normalised, read);
    if (kept)
        read.compiled = compileText(read.value, read.compiledValue, read.compiledStart);
    return read;
}

// The TEXT DOWN lines of a state up to the first line the box does not have: kept from
// the first time the cycle loop met them, or read now outside the loop.
QVector<KeptTestBenchLine> readTestBenchLines(const SimContext &ctx, int pos, bool kept)
{
    QVector<KeptTestBenchLine> lines;
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString line = textCell(ctx.model.textDownMatrix, row, pos);
        if (line == kNoText)
            break;
        lines << readTestBenchLine(ctx.signalTable, line, kept);
    }
    return lines;
}

const QVector<KeptTestBenchLine> &testBenchLines(const SimContext &ctx, int pos, QVector<KeptTestBenchLine> &unkept)
{
    CompiledBoxes &compiled = ctx.simulation.loop.compiled;
    if (!compiled.active || pos < 0 || pos >= ctx.model.boxIds.size()) {
        unkept = readTestBenchLines(ctx, pos, false);
        return unkept;
    }
    if (compiled.boxes.size() <= pos)
        compiled.boxes.resize(ctx.model.boxIds.size());
    CompiledBoxes::Box &box = compiled.boxes[pos];
    if (!box.testBenchRead) {
        box.testBench = readTestBenchLines(ctx, pos, true);
        box.testBenchRead = true;
    }
    return box.testBench;
}

// Registers one expected value.
void handleVerification(const SimContext &ctx, const KeptTestBenchLine &line, BoxRef box)
{
    CycleLoopState &loop = ctx.simulation.loop;
    DesignModel &m = ctx.model;
    const qint32 cycle = ctx.signalTable.simCycle;
    // A check at a cycle of the state is registered once per visit, on entering it.
    if (line.atCycle && !loop.tbStateEntered)
        return;

    loop.add("\t+ Texto DOWN:\t"_L1, line.shown, "    \t->\tVerificacion "_L1);
    if (line.atCycle) {
        // Wraps like 32-bit arithmetic; a cycle so far off is refused by the check.
        const qint32 target = static_cast<qint32>(static_cast<qint64>(cycle) + line.k - 1);
        loop.add("en ciclo: "_L1, Decimal{line.k}, ".      CYCLE:"_L1, Decimal{cycle},
                 ".      Suma:"_L1, Decimal{target});
        m.verifyCycles << target;
    } else {
        loop.add("siempre. CYCLE:"_L1, Decimal{cycle});
        m.verifyCycles << cycle;
    }
    m.verifyVariables << line.name;
    m.verifyValues << evaluateValue(ctx, line);
    loop.verificationBoxes << box;
    loop.closeEntry();
}

// Any other TEXT DOWN line: writes a value into the current value of an input, in every
// pass or («@k») in the pass of the state whose internal cycle is k.
void handleAction(const SimContext &ctx, const KeptTestBenchLine &line)
{
    CycleLoopState &loop = ctx.simulation.loop;
    if (line.atCycle) {
        if (line.k != loop.tbStateCycle)
            return;
        loop.add("\t+ Texto DOWN:\t"_L1, line.shown, "      \t->\tActuar "_L1,
                 "en ciclo: "_L1, Decimal{line.k}, "\tCiclo Actual Interno (de 0 a "_L1,
                 Decimal{loop.tbStateLength}, "-1): "_L1, Decimal{loop.tbStateCycle});
    } else {
        loop.add("\t+ Texto DOWN:\t"_L1, line.shown, "      \t->\tActuar "_L1,
                 "siempre"_L1);
    }

    SignalTable &table = ctx.signalTable;
    const qint32 value = evaluateValue(ctx, line);
    if (line.target >= 0 && line.target < table.current.input.size())
        table.current.input[line.target] = value;
    loop.closeEntry();
}

// A state with actions: its length in TEXT UP, its actions and verifications in the
// TEXT DOWN lines up to the first line the box does not have.
void runActionState(const SimContext &ctx, int pos)
{
    CycleLoopState &loop = ctx.simulation.loop;
    const DesignModel &m = ctx.model;
    const QString lengthText = textCell(m.textUpMatrix, 0, pos);
    loop.add("\tTextUp: "_L1, lengthText, QLatin1Char('\n'));
    if (loop.tbStateEntered) {
        loop.tbStateCycle = 0;
        readStateLength(loop, lengthText);
    }
    QVector<KeptTestBenchLine> unkept;
    for (const KeptTestBenchLine &line : testBenchLines(ctx, pos, unkept)) {
        if (line.verification)
            handleVerification(ctx, line, BoxRef{pos, boxIdAt(m, pos)});
        else
            handleAction(ctx, line);
    }
    loop.tbStateEntered = false;
}

// Step 3 for the state at position pos; returns true when the test bench has reached its
// end, so that the state's cycle is not counted.
bool runState(const SimContext &ctx, int pos, BoxType type)
{
    CycleLoopState &loop = ctx.simulation.loop;
    const QString text = firstTextLine(ctx.model, pos);
    if (type == BoxType::StateAsyncOps) {
        runActionState(ctx, pos);
    } else if (type == BoxType::State) {
        loop.add("\tText: "_L1, text, QLatin1Char('\n'));
        if (loop.tbStateEntered) {
            loop.tbStateCycle = 0;
            readStateLength(loop, text);
            loop.tbStateEntered = false;
        }
    } else if (type == BoxType::MetaState) {
        loop.add("\tText: "_L1, text, QLatin1Char('\n'));
        loop.tbStateCycle = 1;
        if (text == kEndSimulation) {
            loop.simulationEnded = true;
            return true;
        }
    }
    return false;
}

// A row of the column that lists no state: the test bench has run out of states without
// an end-simulation state, and ends here as that state would have ended it.
void endWithoutEndState(const SimContext &ctx)
{
    CycleLoopState &loop = ctx.simulation.loop;
    loop.tbStateCycle = 1;
    loop.simulationEnded = true;
    logMessage(ctx.log,
               QStringLiteral("WARNING!\t El test bench termina sin estado end simulation. CICLO: ")
                   + number(ctx.signalTable.simCycle),
               LogWarning);
}

} // namespace

void runTestBenchStep(const SimContext &ctx, int column)
{
    CycleLoopState &loop = ctx.simulation.loop;
    const DesignModel &m = ctx.model;
    const int row = loop.tbPosition;
    const qint32 startId = stateCell(m.stateIds, row, column);
    const qint32 start = stateCell(m.stateIts, row, column);
    const qint32 stopId = stateCell(m.stateIds, row + 1, column);
    const qint32 stop = stateCell(m.stateIts, row + 1, column);
    const BoxType startType = boxTypeAt(m, start);

    loop.add(" + TEST BENCH:\n"_L1, "\tState inicio ID: "_L1, Decimal{startId},
             ",\tState inicio IT: "_L1, Decimal{start}, ",\tSTATE TYPE: "_L1,
             boxTypeLatin1Name(startType), "\t     ->"_L1, "\tState paro ID: "_L1, Decimal{stopId},
             ",\t\tState paro IT: "_L1, Decimal{stop}, ",\t\tSTATE TYPE: "_L1,
             boxTypeLatin1Name(boxTypeAt(m, stop)));
    loop.closeEntry();
    loop.add("  - "_L1, boxTypeLatin1Name(startType), ": \n"_L1);

    bool ended = false;
    if (startId == 0) {
        endWithoutEndState(ctx);
        ended = true;
    } else {
        loop.paths.addBox(column, start);
        ended = runState(ctx, start, startType);
    }
    if (ended)
        loop.endedTbRow = row;
    if (!ended) {
        ++loop.tbStateCycle;
        loop.add("\n\t\tCICLO DE STATE: "_L1, Decimal{loop.tbStateCycle}, " DE "_L1,
                 Decimal{loop.tbStateLength}, " TOTALES\n"_L1);
    }
    if (loop.tbStateCycle >= loop.tbStateLength) {
        ++loop.tbPosition;
        loop.tbStateEntered = true;
    }
    saveCycle(ctx.signalTable, ctx.simulation, ctx.log, ctx.signalTable.simCycle);
    ctx.signalTable.next = ctx.signalTable.current;
    loop.closeEntry();
}
