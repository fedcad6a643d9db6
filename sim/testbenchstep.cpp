#include "sim/testbenchstep.h"

#include "core/messagelog.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "model/boxaccess.h"
#include "sim/cyclevalues.h"
#include "sim/simcontext.h"
#include "sim/snapshots.h"

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
qint32 evaluateValue(const SimContext &ctx, QString &rest)
{
    startFreshEvaluation(ctx.registers);
    evalConditional(ctx.eval(), rest);
    scanToken(rest, true);
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

// A TEXT DOWN line that starts with "=>": registers one expected value. `line` has been
// normalised by the peek that found the arrow.
void handleVerification(const SimContext &ctx, QString line, BoxRef box)
{
    CycleLoopState &loop = ctx.simulation.loop;
    DesignModel &m = ctx.model;
    const qint32 cycle = ctx.signalTable.simCycle;
    const QString shown = line;

    scanToken(line, true);
    const bool atCycle = scanToken(line, false) == TokAt;
    // A check at a cycle of the state is registered once per visit, on entering it.
    if (atCycle && !loop.tbStateEntered)
        return;

    loop.add(QLatin1String("\t+ Texto DOWN:\t"), shown, QLatin1String("    \t->\tVerificacion "));
    if (atCycle) {
        scanToken(line, true);
        const qint32 k = leadingDigits(line);
        scanToken(line, true);
        // Wraps like 32-bit arithmetic; a cycle so far off is refused by the check.
        const qint32 target = static_cast<qint32>(static_cast<qint64>(cycle) + k - 1);
        loop.add(QLatin1String("en ciclo: "), Decimal{k}, QLatin1String(".      CYCLE:"), Decimal{cycle},
                 QLatin1String(".      Suma:"), Decimal{target});
        m.verifyCycles << target;
    } else {
        loop.add(QLatin1String("siempre. CYCLE:"), Decimal{cycle});
        m.verifyCycles << cycle;
        // An identifier here is the signal (or its prefix) and stays for the name.
        if (scanToken(line, false) != TokIdentifier)
            scanToken(line, true);
    }

    // Exactly one name per record keeps the three lists in step; a name no kind
    // declares is stored empty, which matches no column of the simulation table.
    const QString name = takeVerifiedName(line);
    m.verifyVariables << (!name.isEmpty() && ctx.signalTable.isDeclared(name) ? name : QString());

    if (scanToken(line, false) == TokEq)
        scanToken(line, true);
    m.verifyValues << evaluateValue(ctx, line);
    loop.verificationBoxes << box;
    loop.closeEntry();
}

// Any other TEXT DOWN line: writes a value into the current value of an input, in every
// pass or («@k») in the pass of the state whose internal cycle is k.
void handleAction(const SimContext &ctx, QString line)
{
    CycleLoopState &loop = ctx.simulation.loop;
    const QString shown = line;

    if (scanToken(line, false) == TokAt) {
        scanToken(line, true);
        const qint32 k = leadingDigits(line);
        scanToken(line, true);
        if (k != loop.tbStateCycle)
            return;
        loop.add(QLatin1String("\t+ Texto DOWN:\t"), shown, QLatin1String("      \t->\tActuar "),
                 QLatin1String("en ciclo: "), Decimal{k}, QLatin1String("\tCiclo Actual Interno (de 0 a "),
                 Decimal{loop.tbStateLength}, QLatin1String("-1): "), Decimal{loop.tbStateCycle});
    } else {
        loop.add(QLatin1String("\t+ Texto DOWN:\t"), shown, QLatin1String("      \t->\tActuar "),
                 QLatin1String("siempre"));
    }

    const QString name = takeSignalName(line);
    SignalTable &table = ctx.signalTable;
    const qsizetype target = name.isEmpty() ? -1 : table.inputNames.indexOf(name);

    if (scanToken(line, false) == TokLe)
        scanToken(line, true);
    const qint32 value = evaluateValue(ctx, line);
    if (target >= 0 && target < table.current.input.size())
        table.current.input[target] = value;
    loop.closeEntry();
}

// A state with actions: its length in TEXT UP, its actions and verifications in the
// TEXT DOWN lines up to the first line the box does not have.
void runActionState(const SimContext &ctx, int pos)
{
    CycleLoopState &loop = ctx.simulation.loop;
    const DesignModel &m = ctx.model;
    const QString lengthText = textCell(m.textUpMatrix, 0, pos);
    loop.add(QLatin1String("\tTextUp: "), lengthText, QLatin1Char('\n'));
    if (loop.tbStateEntered) {
        loop.tbStateCycle = 0;
        readStateLength(loop, lengthText);
    }
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString line = textCell(m.textDownMatrix, row, pos);
        if (line == kNoText)
            break;
        QString copy = line;
        if (scanToken(copy, false) == TokArrow)
            handleVerification(ctx, copy, BoxRef{pos, boxIdAt(m, pos)});
        else
            handleAction(ctx, copy);
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
        loop.add(QLatin1String("\tText: "), text, QLatin1Char('\n'));
        if (loop.tbStateEntered) {
            loop.tbStateCycle = 0;
            readStateLength(loop, text);
            loop.tbStateEntered = false;
        }
    } else if (type == BoxType::MetaState) {
        loop.add(QLatin1String("\tText: "), text, QLatin1Char('\n'));
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

    loop.add(QLatin1String(" + TEST BENCH:\n"), QLatin1String("\tState inicio ID: "), Decimal{startId},
             QLatin1String(",\tState inicio IT: "), Decimal{start}, QLatin1String(",\tSTATE TYPE: "),
             boxTypeLatin1Name(startType), QLatin1String("\t     ->"), QLatin1String("\tState paro ID: "), Decimal{stopId},
             QLatin1String(",\t\tState paro IT: "), Decimal{stop}, QLatin1String(",\t\tSTATE TYPE: "),
             boxTypeLatin1Name(boxTypeAt(m, stop)));
    loop.closeEntry();
    loop.add(QLatin1String("  - "), boxTypeLatin1Name(startType), QLatin1String(": \n"));

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
        loop.add(QLatin1String("\n\t\tCICLO DE STATE: "), Decimal{loop.tbStateCycle}, QLatin1String(" DE "),
                 Decimal{loop.tbStateLength}, QLatin1String(" TOTALES\n"));
    }
    if (loop.tbStateCycle >= loop.tbStateLength) {
        ++loop.tbPosition;
        loop.tbStateEntered = true;
    }
    saveCycle(ctx.signalTable, ctx.simulation, ctx.log, ctx.signalTable.simCycle);
    ctx.signalTable.next = ctx.signalTable.current;
    loop.closeEntry();
}
