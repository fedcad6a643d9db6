#include "check/testbenchtimeline.h"

#include "check/testbenchlines.h"
#include "lang/lexer.h"
#include "model/designmodel.h"
#include "model/diagramwalk.h"
#include "sim/simulationstate.h"

namespace {

const QString kNoText = QStringLiteral("null");

// The length of a state from its text, read as the step reads it: the digits after the
// last «<» of the text; a text without one keeps the length of the state before.
qint32 stateLength(const QString &text, qint32 length)
{
    constexpr int kLengthScanLimit = 40;
    QString rest = text;
    for (int m = 0; m < kLengthScanLimit; ++m) {
        if (scanToken(rest, false) == TokLt) {
            scanToken(rest, true);
            length = leadingDigits(rest);
            scanToken(rest, true);
        } else {
            scanToken(rest, true);
        }
        if (scanToken(rest, false) == TokGt)
            m = 10;
    }
    return length;
}

struct Step {
    int row = 0;
    qint32 stateCycle = 0;
    qint32 length = 1;
    bool entered = true;
};

// The verifications of a state with actions that one pass registers.
void registerVerifications(const DesignModel &m, int pos, qint32 cycle, bool entered, TestBenchTimeline &timeline)
{
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString text = textCell(m.textDownMatrix, row, pos);
        if (text == kNoText)
            break;
        const TestBenchLine line = readTestBenchLine(text);
        if (!line.verification || (line.atCycle && !entered))
            continue;
        timeline.verifications.append({pos, text, line.atCycle ? qint32(qint64(cycle) + line.k - 1) : cycle});
    }
}

// One pass of the step for the state at pos; true when the test bench ends in it.
bool pass(const DesignModel &m, int pos, qint32 cycle, Step &step, TestBenchTimeline &timeline)
{
    const BoxType type = boxTypeAt(m, pos);
    if (type == BoxType::StateAsyncOps) {
        if (step.entered) {
            step.stateCycle = 0;
            step.length = stateLength(textCell(m.textUpMatrix, 0, pos), step.length);
        }
        registerVerifications(m, pos, cycle, step.entered, timeline);
        step.entered = false;
    } else if (type == BoxType::State) {
        if (step.entered) {
            step.stateCycle = 0;
            step.length = stateLength(firstTextLine(m, pos), step.length);
            step.entered = false;
        }
    } else if (type == BoxType::MetaState) {
        step.stateCycle = 1;
        if (firstTextLine(m, pos) == QLatin1String("end simulation"))
            return true;
    }
    ++step.stateCycle;
    if (step.stateCycle >= step.length) {
        ++step.row;
        step.entered = true;
    }
    return false;
}

} // namespace

TestBenchTimeline testBenchTimeline(const DesignModel &model, int column)
{
    TestBenchTimeline timeline;
    Step step;
    // Every pass ends the simulation or takes a clock edge, and the simulation stops at
    // the last row of its table.
    for (qint32 cycle = 1;; ++cycle) {
        timeline.endCycle = cycle;
        // A row that lists no state ends the test bench as an end state would.
        if (stateCell(model.stateIds, step.row, column) == 0)
            break;
        if (pass(model, stateCell(model.stateIts, step.row, column), cycle, step, timeline))
            break;
        if (cycle + 1 >= kLastSimulationRow) {
            timeline.endCycle = kLastSimulationRow;
            break;
        }
    }
    return timeline;
}
