#include "sim/cyclevalues.h"

#include "lang/lexer.h"
#include "sim/simcontext.h"

qint32 expressionResult(const EvaluatorRegisters &r)
{
    if (r.logicFound == 1 || r.comparisonFound == 1)
        return r.truthValue ? 1 : 0;
    return r.exprValue;
}

void startFreshEvaluation(EvaluatorRegisters &r)
{
    r.logicFound = 0;
    r.comparisonFound = 0;
    r.truthResult = false;
    r.exprValue = 0;
}

bool valuesDiffer(const QVector<qint32> &a, const QVector<qint32> &b)
{
    return a != b;
}

bool valuesDiffer(const SignalValues &a, const SignalValues &b)
{
    for (SignalKind kind : kSignalKinds)
        if (valuesDiffer(a.ofKind(kind), b.ofKind(kind)))
            return true;
    return false;
}

void applyDefaultValues(const SimulationState &sim, SignalTable &table)
{
    const qsizetype count = qMin(sim.defaultSignalNames.size(), sim.defaultSignalValues.size());
    for (qsizetype k = 0; k < count; ++k) {
        const QString &name = sim.defaultSignalNames.at(k);
        const qint32 value = sim.defaultSignalValues.at(k);
        for (SignalKind kind : kSignalKinds) {
            const QStringList &names = table.namesOf(kind);
            QVector<qint32> &next = table.next.ofKind(kind);
            for (qsizetype i = 0; i < names.size() && i < next.size(); ++i)
                if (names.at(i) == name)
                    next[i] = value;
        }
    }
}

QString takeSignalName(QString &text)
{
    if (scanToken(text, false) != TokIdentifier)
        return QString();
    QString name = leadingLetters(text);
    scanToken(text, true);
    if (scanToken(text, false) != TokDot)
        return name;
    scanToken(text, true);
    if (scanToken(text, false) != TokIdentifier)
        return QString();
    name = leadingLetters(text);
    scanToken(text, true);
    return name;
}
