#include "sim/declarations.h"

#include "core/messagelog.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "lang/sentences.h"
#include "model/boxaccess.h"
#include "sim/simcontext.h"

namespace {

const QString kPortsKeywordError = QStringLiteral("Error! En BOX Ports aparece un INOUT o WIRE");
const QString kPortsTextError = QStringLiteral("Error! En BOX Ports aparece texto que no es una señal");
const QString kCodeKeywordError = QStringLiteral("Error! En BOX CODE aparece un INPUT o OUTPUT");
const QString kCodeTextError = QStringLiteral("Error! En BOX code aparece texto que no es una señal");
const QString kAsync = QStringLiteral("ASYNC");
const QString kUndeclaredError = QStringLiteral("Error! Encontrado nombre de señal sin definición previa");

// The declaration keyword at the head of a line: accepted (it sets the kind in force and
// is consumed) or reported as out of place in this kind of box (left where it is).
void readKeyword(const DeclarationContext &ctx, QString &line, DeclarationMode mode)
{
    const TokenCode head = scanToken(line, false);
    const bool ports = mode == ModePorts;
    const bool portKeyword = head == TokInput || head == TokOutput;
    const bool codeKeyword = head == TokInout || head == TokWire;
    if ((ports && portKeyword) || (!ports && codeKeyword)) {
        scanToken(line, true);
        ctx.signalTable.declarationKind = head == TokInput    ? KindInput
                                            : head == TokOutput ? KindOutput
                                            : head == TokInout  ? KindInout
                                                                : KindWire;
    } else if (portKeyword || codeKeyword) {
        logMessage(ctx.log, ports ? kPortsKeywordError : kCodeKeywordError, LogError);
    } else {
        logMessage(ctx.log, ports ? kPortsTextError : kCodeTextError, LogError);
    }
}

// «[first:second]», «[first]» or nothing: the range text that the line's names share.
QString readRange(const DeclarationContext &ctx, QString &line)
{
    if (scanToken(line, false) != TokLBracket)
        return QStringLiteral(" ");
    scanToken(line, true);
    QString range = QStringLiteral("[");
    analyseSentence(ctx.eval(), line);
    range += QString::number(ctx.registers.exprValue);
    const TokenCode after = scanToken(line, false);
    if (after == TokColon) {
        scanToken(line, true);
        range += QLatin1Char(':');
        analyseSentence(ctx.eval(), line);
        range += QString::number(ctx.registers.exprValue);
        if (scanToken(line, false) == TokRBracket) {
            scanToken(line, true);
            range += QLatin1Char(']');
        }
    } else if (after == TokRBracket) {
        scanToken(line, true);
        range += QLatin1Char(']');
    }
    return range;
}

// A Ports box declares inputs and outputs, a Code box inouts and wires; a name read under
// any other kind in force is not declared.
bool kindBelongsToMode(SignalKind kind, DeclarationMode mode)
{
    if (mode == ModePorts)
        return kind == KindInput || kind == KindOutput;
    return kind == KindInout || kind == KindWire;
}

void declareLine(const DeclarationContext &ctx, QString line, DeclarationMode mode)
{
    readKeyword(ctx, line, mode);
    const QString range = readRange(ctx, line);
    SignalTable &table = ctx.signalTable;
    while (scanToken(line, false) == TokIdentifier) {
        const QString name = leadingLetters(line);
        ctx.registers.scannedSignalName = name;
        if (mode == ModeCode)
            traceLine(ctx.log, name);
        scanToken(line, true);
        if (scanToken(line, false) == TokComma)
            scanToken(line, true);
        const SignalKind kind = table.declarationKind;
        if (kindBelongsToMode(kind, mode)) {
            table.namesOf(kind) << name;
            table.rangesOf(kind) << range;
        }
    }
}

void declareBox(const DeclarationContext &ctx, int box, DeclarationMode mode)
{
    const TextMatrix &matrix = ctx.model.textMatrix;
    for (int row = 0; row < matrix.size(); ++row) {
        const QString cell = textCell(matrix, row, box);
        if (cell != QLatin1String("null"))
            declareLine(ctx, cell, mode);
    }
}

// Gives every name of the line's chain «NAME op NAME op …» the tag; the chain ends at a
// separator, a number, a keyword or anything but a name after an operator.
void tagLine(const DeclarationContext &ctx, QString line, const QString &tag)
{
    SignalTable &table = ctx.signalTable;
    if (scanToken(line, false) != TokIdentifier)
        return;
    for (;;) {
        const QString name = leadingLetters(line);
        ctx.registers.scannedSignalName = name;
        bool matched = false;
        if (const auto *declared = table.declarationsOf(name)) {
            for (const auto &[kind, k] : *declared) {
                QStringList &timing = table.timingOf(kind);
                if (k < timing.size()) {
                    timing[k] = tag;
                    matched = true;
                }
            }
        }
        if (!matched)
            logMessage(ctx.log, kUndeclaredError, LogError);
        scanToken(line, true);
        const TokenCode next = scanToken(line, false);
        if (next < TokQuestion || next > TokDot)
            return;
        scanToken(line, true);
        if (scanToken(line, false) != TokIdentifier)
            return;
    }
}

void tagBox(const DeclarationContext &ctx, int box)
{
    SignalTable &table = ctx.signalTable;
    // Each scan gives every name declared so far one more "ASYNC" entry; entry k belongs
    // to name k, so the entries past the names are never read.
    for (SignalKind kind : kSignalKinds) {
        QStringList &timing = table.timingOf(kind);
        timing.insert(timing.size(), table.namesOf(kind).size(), kAsync);
    }

    const DesignModel &model = ctx.model;
    const BoxType type = boxTypeAt(model, box);
    const TextMatrix *matrix = nullptr;
    QString tag;
    if (type == BoxType::AsyncOps || type == BoxType::StateAsyncOps) {
        matrix = &model.textMatrix;
        tag = kAsync;
    } else if (type == BoxType::CondAsyncOps) {
        matrix = &model.textDownMatrix;
        tag = kAsync;
    } else if (type == BoxType::SyncOps) {
        matrix = &model.textMatrix;
        tag = QStringLiteral("SYNC");
    } else if (type == BoxType::Event || type == BoxType::CondSyncOps) {
        matrix = &model.textDownMatrix;
        tag = QStringLiteral("SYNC");
    }
    if (!matrix)
        return;
    const int rows = int(model.textMatrix.size());
    for (int row = 0; row < rows; ++row) {
        const QString cell = textCell(*matrix, row, box);
        if (cell != QLatin1String("null"))
            tagLine(ctx, cell, tag);
    }
}

} // namespace

void analyseBoxDeclarations(const DeclarationContext &ctx, int box, DeclarationMode mode)
{
    ctx.log.traceLines.clear();
    ctx.registers.scannedSignalName.clear();
    if (mode == ModePorts || mode == ModeCode)
        declareBox(ctx, box, mode);
    else if (mode == ModeOperations)
        tagBox(ctx, box);
    flushTrace(ctx.log);
}
