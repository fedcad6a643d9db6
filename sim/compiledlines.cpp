#include "sim/compiledlines.h"

#include "core/limits.h"
#include "lang/lexer.h"
#include "model/boxaccess.h"

namespace {

const QString kNoText = QStringLiteral("null");

} // namespace

SignalRef findSignalByName(const SignalTable &table, const QString &name)
{
    SignalRef found;
    for (SignalKind kind : kSignalKinds) {
        const qsizetype index = table.namesOf(kind).indexOf(name);
        if (index >= 0)
            found = {kind, int(index)};
    }
    return found;
}

CompiledAssignment compileAssignment(const SignalTable &table, const QString &line, bool kept)
{
    CompiledAssignment compiled;
    compiled.line = line;
    TextCursor text(line);
    if (scanToken(text, false) == TokIdentifier) {
        compiled.named = true;
        compiled.name = leadingLetterRun(text.rest()).toString();
        compiled.target = findSignalByName(table, compiled.name);
        scanToken(text, true);
    }
    if (scanToken(text, false) == TokLe)
        scanToken(text, true);
    compiled.expression = text;
    if (kept)
        compiled.compiled = compileText(text, compiled.compiledExpression, compiled.compiledStart);
    return compiled;
}

QVector<CompiledAssignment> compileLines(const SignalTable &table, const TextMatrix &matrix, int rows, int pos,
                                         bool kept)
{
    QVector<CompiledAssignment> lines;
    for (int row = 0; row < rows; ++row) {
        const QString line = textCell(matrix, row, pos);
        if (line != kNoText)
            lines << compileAssignment(table, line, kept);
    }
    return lines;
}
