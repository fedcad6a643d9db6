#include "sim/events.h"

#include "core/messagelog.h"
#include "lang/evaluator.h"
#include "lang/lexer.h"
#include "model/boxaccess.h"
#include "sim/cyclevalues.h"
#include "sim/simcontext.h"

namespace {

const QString kNoText = QStringLiteral("null");

// Removes the identifier at the head of the text and returns its letters; empty when
// the head is not an identifier.
QString takeLeadingName(QString &text)
{
    if (scanToken(text, false) != TokIdentifier)
        return QString();
    const QString name = leadingLetters(text);
    scanToken(text, true);
    return name;
}

void skipOperator(QString &text, TokenCode op)
{
    if (scanToken(text, false) == op)
        scanToken(text, true);
}

bool isChangeable(const SignalTable &table, const QString &name)
{
    return !name.isEmpty()
           && (table.outputNames.contains(name) || table.inoutNames.contains(name) || table.wireNames.contains(name));
}

// «NAME <= value»: the name and its value are appended together or not at all, so the
// change vectors stay parallel whatever a line holds.
void readChangeLine(const SimContext &ctx, QString text)
{
    const QString name = takeLeadingName(text);
    skipOperator(text, TokLe);
    const qint32 value = evaluateWrittenValue(ctx.eval(), text);
    if (!isChangeable(ctx.signalTable, name)) {
        logMessage(ctx.log, QStringLiteral("Error! Evento sobre una señal que no es output, inout o wire: ") + name,
                   LogError);
        return;
    }
    ctx.model.eventChangeSignals << name;
    ctx.model.eventChangeValues << value;
}

// «INPUT == value», kept parallel in the same way.
void readActivationLine(const SimContext &ctx, QString text)
{
    const QString name = takeLeadingName(text);
    skipOperator(text, TokEq);
    const qint32 value = evaluateWrittenValue(ctx.eval(), text);
    if (name.isEmpty() || !ctx.signalTable.inputNames.contains(name)) {
        logMessage(ctx.log, QStringLiteral("Error! Evento activado por una señal que no es input: ") + name, LogError);
        return;
    }
    ctx.model.eventActivationSignals << name;
    ctx.model.eventActivationValues << value;
}

// Every change gets an activation: the last one is repeated for the changes that have
// none. With no activation at all there is nothing to repeat.
void repeatLastActivation(DesignModel &m)
{
    const qsizetype last = m.eventActivationSignals.size() - 1;
    if (last < 0 || last >= m.eventActivationValues.size())
        return;
    const QString name = m.eventActivationSignals.at(last);
    const qint32 value = m.eventActivationValues.at(last);
    for (qsizetype missing = m.eventChangeSignals.size() - m.eventActivationSignals.size(); missing > 0; --missing) {
        m.eventActivationSignals << name;
        m.eventActivationValues << value;
    }
}

QString joinEntries(const QString &label, const QStringList &entries)
{
    QString line = label;
    for (const QString &entry : entries)
        line += entry + QLatin1Char('\t');
    return line;
}

QString joinEntries(const QString &label, const QVector<qint32> &entries)
{
    QString line = label;
    for (qint32 entry : entries)
        line += QString::number(entry) + QLatin1Char('\t');
    return line;
}

// Every current value, in every kind, of a signal with this name.
void setEverywhere(SignalTable &table, const QString &name, qint32 value)
{
    for (SignalKind kind : kSignalKinds) {
        const QStringList &names = table.namesOf(kind);
        QVector<qint32> &values = table.current.ofKind(kind);
        for (qsizetype i = 0; i < names.size() && i < values.size(); ++i)
            if (names.at(i) == name)
                values[i] = value;
    }
}

} // namespace

qint32 evaluateWrittenValue(const EvalContext &eval, QString &text)
{
    EvaluatorRegisters &r = eval.registers;
    startFreshEvaluation(r);
    r.exprValue = -1;
    evalConditional(eval, text);
    return expressionResult(r);
}

void parseEventBox(const SimContext &ctx, int position, QString &chainLine)
{
    const DesignModel &m = ctx.model;
    for (int row = 0; row < kTextDownRows; ++row) {
        const QString line = textCell(m.textDownMatrix, row, position);
        if (line == kNoText)
            continue;
        chainLine += line + QLatin1Char('\t');
        readChangeLine(ctx, line);
    }
    for (int row = 0; row < kTextUpRows; ++row) {
        const QString line = textCell(m.textUpMatrix, row, position);
        if (line == kNoText)
            continue;
        chainLine += line + QLatin1Char('\t');
        readActivationLine(ctx, line);
    }
    repeatLastActivation(ctx.model);
    chainLine += QLatin1Char('\n');
}

void reportEventList(const DesignModel &m, MessageLog &log)
{
    showInOutputPane(
        log,
        {QStringLiteral("\n//----------------------------- Lista de eventos -------------------------------//"),
         joinEntries(QStringLiteral(" - Signal activacion:\t"), m.eventActivationSignals),
         joinEntries(QStringLiteral(" - Valor activacion:\t"), m.eventActivationValues),
         joinEntries(QStringLiteral(" - Signal cambio:\t"), m.eventChangeSignals),
         joinEntries(QStringLiteral(" - Valor cambio:\t"), m.eventChangeValues) + QLatin1Char('\n')});
}

void analyseEvents(const DesignModel &m, SignalTable &table, MessageLog &log)
{
    showInProcessPane(log, {QStringLiteral("\n//--------------Analizador Eventos--------------//")});
    QStringList lines;
    // The activation signals lead; an event missing any of its other three entries is
    // found but changes nothing.
    for (qsizetype k = 0; k < m.eventActivationSignals.size(); ++k) {
        const QString &name = m.eventActivationSignals.at(k);
        if (!table.isDeclared(name))
            continue;
        lines << QStringLiteral("Evento encontrado");
        qint32 value = -1;
        table.currentValueOf(name, value);
        if (k >= m.eventActivationValues.size() || k >= m.eventChangeSignals.size() || k >= m.eventChangeValues.size())
            continue;
        if (value == m.eventActivationValues.at(k))
            setEverywhere(table, m.eventChangeSignals.at(k), m.eventChangeValues.at(k));
    }
    lines << QStringLiteral("\t");
    showInProcessPane(log, lines);
}
