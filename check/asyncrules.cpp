// An asynchronous assignment that changes its own target on every walk: the settling
// walks the design again and again until it gives up with its error.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "lang/lexer.h"
#include "model/diagramwalk.h"

#include <QSet>

namespace {

const QString kNoText = QStringLiteral("null");

// The tokens of a value up to its end or ";", numbers and names by their text, any other
// token by its code.
QStringList valueTokens(QString text)
{
    QStringList tokens;
    for (int code = scanToken(text, false); code != TokEnd && code != TokNone && code != TokSemicolon
                                             && code != TokComment;
         code = scanToken(text, false)) {
        if (code == TokIdentifier)
            tokens << leadingLetters(text);
        else if (code == TokNumber)
            tokens << QString::number(leadingDigits(text));
        else
            tokens << QStringLiteral("#%1").arg(code);
        scanToken(text, true);
    }
    return tokens;
}

bool isNonZeroNumber(const QString &token)
{
    bool ok = false;
    return token.toLongLong(&ok) != 0 && ok;
}

// «X <= X + n», «X <= n + X», «X <= X - n» with n not 0, and «X <= ~X»: the value is never
// the one the walk started from.
bool changesEveryWalk(const QString &target, const QStringList &t)
{
    const QString plus = QStringLiteral("#%1").arg(TokPlus);
    const QString minus = QStringLiteral("#%1").arg(TokMinus);
    const QString tilde = QStringLiteral("#%1").arg(TokTilde);
    if (t.size() == 3 && t.at(0) == target && (t.at(1) == plus || t.at(1) == minus) && isNonZeroNumber(t.at(2)))
        return true;
    if (t.size() == 3 && isNonZeroNumber(t.at(0)) && t.at(1) == plus && t.at(2) == target)
        return true;
    return t.size() == 2 && t.at(0) == tilde && t.at(1) == target;
}

// The target of an «X <= value» line and the tokens of its value.
bool readAssignment(const QString &line, QString &target, QStringList &tokens)
{
    QString rest = line;
    if (scanToken(rest, false) != TokIdentifier)
        return false;
    target = leadingLetters(rest);
    scanToken(rest, true);
    if (scanToken(rest, false) != TokLe)
        return false;
    scanToken(rest, true);
    tokens = valueTokens(rest);
    return true;
}

// How many asynchronous assignments of the design write each name: another one could
// set the value back on the same walk.
QHash<QString, int> asynchronousWrites(const CheckContext &context, int column)
{
    const DesignModel &m = context.model;
    QHash<QString, int> writes;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        const BoxType type = boxTypeAt(m, pos);
        const TextMatrix *matrix = type == BoxType::AsyncOps || type == BoxType::StateAsyncOps
                                       ? &m.textMatrix
                                       : type == BoxType::CondAsyncOps ? &m.textDownMatrix : nullptr;
        if (!matrix || !context.reachable.at(column).at(pos))
            continue;
        for (int row = 0; row < matrix->size(); ++row) {
            QString target;
            QStringList tokens;
            if (readAssignment(textCell(*matrix, row, pos), target, tokens))
                ++writes[target];
        }
    }
    return writes;
}

// The AsyncOps boxes that a walk from the state at start can pass and that every repeated
// walk passes again: through plain links, and through decisions whose condition reads
// no signal written asynchronously (a repeated walk takes the same exit of those).
QVector<int> boxesOnRepeatedWalks(const DesignModel &m, int start, const QHash<QString, int> &writes)
{
    QVector<int> boxes;
    QSet<int> seen;
    QVector<qint32> links{boxLinksAt(m, start).next};
    while (!links.isEmpty()) {
        const int w = boxWithId(m, links.takeLast());
        if (w < 0 || w == start || seen.contains(w) || isConnectorBox(m, w) || isStateBox(m, w))
            continue;
        seen << w;
        const BoxType type = boxTypeAt(m, w);
        const BoxLinks next = boxLinksAt(m, w);
        if (type != BoxType::Decision) {
            if (type == BoxType::AsyncOps)
                boxes << w;
            links << next.next;
            continue;
        }
        bool readsAsynchronous = false;
        for (const QString &token : valueTokens(textCell(m.textMatrix, 0, w)))
            readsAsynchronous = readsAsynchronous || writes.contains(token);
        if (!readsAsynchronous)
            links << next.next0 << next.next1;
    }
    return boxes;
}

} // namespace

void checkAsyncLoops(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    QSet<int> checked;
    for (int column = 0; column < context.parentCount(); ++column) {
        if (!context.isDesignColumn(column))
            continue;
        const QHash<QString, int> writes = asynchronousWrites(context, column);
        for (int start : context.listedStates(column)) {
            for (int pos : boxesOnRepeatedWalks(m, start, writes)) {
                if (checked.contains(pos))
                    continue;
                checked << pos;
                for (int row = 0; row < kTextRows; ++row) {
                    const QString line = textCell(m.textMatrix, row, pos);
                    QString target;
                    QStringList tokens;
                    if (line == kNoText || !readAssignment(line, target, tokens)
                        || !context.design.signalTable.isDeclared(target) || writes.value(target) != 1
                        || !changesEveryWalk(target, tokens))
                        continue;
                    warnings << context.warningAt(
                        pos, QStringLiteral("bucle-asincrono"),
                        QStringLiteral("«%1» cambia %2 cada vez que se ejecuta: en un ciclo en que el recorrido "
                                       "pasa por esta caja, la simulación repite el recorrido hasta 1000 veces y acaba con "
                                       "el error de bucle infinito")
                            .arg(line, target));
                }
            }
        }
    }
}
