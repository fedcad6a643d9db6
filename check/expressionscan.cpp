#include "check/expressionscan.h"

#include "lang/lexer.h"
#include "lang/signaltable.h"

#include <QHash>

namespace {

// The binary operators of the evaluator, as they are written.
const QHash<int, QString> &binaryOperators()
{
    static const QHash<int, QString> operators{
        {TokLogicalOr, QStringLiteral("||")}, {TokBitOr, QStringLiteral("|")},
        {TokLogicalAnd, QStringLiteral("&&")}, {TokBitAnd, QStringLiteral("&")},
        {TokBitXnor, QStringLiteral("~^")},   {TokBitXor, QStringLiteral("^")},
        {TokCaseEq, QStringLiteral("===")},   {TokEq, QStringLiteral("==")},
        {TokCaseNe, QStringLiteral("!==")},   {TokNe, QStringLiteral("!=")},
        {TokArithShl, QStringLiteral("<<<")}, {TokShl, QStringLiteral("<<")},
        {TokLe, QStringLiteral("<=")},        {TokLt, QStringLiteral("<")},
        {TokArithShr, QStringLiteral(">>>")}, {TokShr, QStringLiteral(">>")},
        {TokGe, QStringLiteral(">=")},        {TokGt, QStringLiteral(">")},
        {TokPlus, QStringLiteral("+")},       {TokMinus, QStringLiteral("-")},
        {TokPower, QStringLiteral("**")},     {TokStar, QStringLiteral("*")},
        {TokSlash, QStringLiteral("/")},      {TokPercent, QStringLiteral("%")},
    };
    return operators;
}

bool isUnary(int code)
{
    return code == TokPlus || code == TokMinus || code == TokTilde || code == TokNot;
}

bool isBaseMarker(int code)
{
    return code >= TokBaseBin && code <= TokBaseHex;
}

bool endsExpression(int code)
{
    return code == TokEnd || code == TokNone || code == TokSemicolon || code == TokComment
           || code == TokCarriageReturn;
}

// Removes the digits of a based literal as the evaluator does, and reads them.
bool takeBasedDigits(int marker, QString &text, qint64 &value)
{
    static constexpr int bases[] = {2, 10, 8, 16};
    const int base = bases[marker - TokBaseBin];
    qsizetype end = 0;
    auto isDigitOfRun = [&](QChar c) {
        return base == 16 ? c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('F')) : c.isDigit();
    };
    while (end < text.size() && isDigitOfRun(text.at(end)))
        ++end;
    bool ok = false;
    value = text.left(end).toLongLong(&ok, base);
    text.remove(0, end);
    return ok;
}

class Scanner {
public:
    Scanner(const QString &text, const SignalTable &table) : m_text(text), m_table(table) {}

    ExpressionScan run()
    {
        while (m_going)
            m_expectOperand ? operand() : afterOperand();
        m_scan.singleLiteral = m_finished && m_operands == 1 && m_operators == 0 && m_literals == 1 && !m_negated
                               && !m_compound;
        return m_scan;
    }

private:
    QString m_text;
    const SignalTable &m_table;
    ExpressionScan m_scan;
    QString m_open;              // the brackets still open: ( [ { and ? waiting for :
    QString m_lastOperator;      // the operator just read, while its operand is awaited
    bool m_expectOperand = true;
    bool m_going = true;
    bool m_finished = false;     // the text ended where an expression may end
    int m_operands = 0, m_operators = 0, m_literals = 0;
    bool m_negated = false;
    bool m_compound = false;     // brackets of any kind: not a single literal

    int peek() { return scanToken(m_text, false); }
    void take() { scanToken(m_text, true); }
    void stop() { m_going = false; }
    void startOperand(const QString &operatorText)
    {
        m_lastOperator = operatorText;
        m_expectOperand = true;
    }
    void endOperand()
    {
        m_lastOperator.clear();
        m_expectOperand = false;
        ++m_operands;
    }

    void operand()
    {
        const int code = peek();
        if (isUnary(code)) {
            m_negated = m_negated || code != TokPlus;
            take();
            return;
        }
        switch (code) {
        case TokNumber: return number();
        case TokIdentifier: return name();
        case TokQuote: take(); return endOperand();
        case TokLParen: return openBracket(QLatin1Char('('));
        case TokLBrace: return openBracket(QLatin1Char('{'));
        default: break;
        }
        if (isBaseMarker(code)) {
            take();
            m_scan.literalReadable = takeBasedDigits(code, m_text, m_scan.literalValue);
            ++m_literals;
            return endOperand();
        }
        missing(code);
    }

    // No operand where one is awaited: after a binary operator, or before one at the
    // head of the text. An empty text, or one that begins otherwise, is left alone.
    void missing(int code)
    {
        if (!m_lastOperator.isEmpty()) {
            m_scan.operatorWithoutOperand = m_lastOperator;
        } else if (m_operands == 0 && binaryOperators().contains(code) && !isUnary(code)) {
            m_scan.operatorWithoutOperand = binaryOperators().value(code);
            m_scan.operandMissingBefore = true;
        }
        stop();
    }

    // A decimal literal, or the size of a based one; a name right after a number is
    // swallowed as a parameter, a reading left out here.
    void number()
    {
        qsizetype end = 0;
        while (end < m_text.size() && m_text.at(end).isDigit())
            ++end;
        m_scan.literalReadable = false;
        m_scan.literalValue = m_text.left(end).toLongLong(&m_scan.literalReadable, 10);
        take();
        ++m_literals;
        const int next = peek();
        if (isBaseMarker(next)) {
            take();
            m_scan.literalReadable = takeBasedDigits(next, m_text, m_scan.literalValue);
        } else if (next == TokQuote) {
            take();
        } else if (next == TokIdentifier) {
            return stop();
        }
        endOperand();
    }

    // A declared signal, with a bit or range selection; any other name is a parameter,
    // unless a "." follows it (an instance prefix, which expressions do not read).
    void name()
    {
        const QString name = leadingLetters(m_text);
        take();
        const int next = peek();
        if (next == TokDot)
            return stop();
        if (!m_table.isDeclared(name)) {
            m_scan.undeclared << name;
            if (next == TokLBracket)
                return stop();
            return endOperand();
        }
        if (next == TokLBracket)
            return openBracket(QLatin1Char('['));
        endOperand();
    }

    // An opening bracket at the head: what follows it is an operand of its own.
    void openBracket(QChar bracket)
    {
        take();
        m_open += bracket;
        m_compound = true;
        m_lastOperator.clear();
    }

    bool closes(QChar bracket)
    {
        if (m_open.isEmpty() || m_open.back() != bracket)
            return false;
        m_open.chop(1);
        return true;
    }

    void afterOperand()
    {
        const int code = peek();
        if (binaryOperators().contains(code)) {
            take();
            ++m_operators;
            return startOperand(binaryOperators().value(code));
        }
        const QChar open = m_open.isEmpty() ? QChar() : m_open.back();
        switch (code) {
        case TokQuestion:
            take();
            ++m_operators;
            m_open += QLatin1Char('?');
            return startOperand(QStringLiteral("?"));
        case TokColon:
            if (open != QLatin1Char('?') && open != QLatin1Char('['))
                return stop();
            if (open == QLatin1Char('?'))
                m_open.chop(1);
            take();
            ++m_operators;
            return startOperand(QStringLiteral(":"));
        case TokComma:
            if (open != QLatin1Char('{'))
                return stop();
            take();
            return startOperand(QString());
        case TokLBrace:  // the replication «{N{…}}»
            if (open != QLatin1Char('{'))
                return stop();
            take();
            m_open += QLatin1Char('{');
            return startOperand(QString());
        case TokRParen:
        case TokRBracket:
        case TokRBrace: {
            const QChar bracket = code == TokRParen ? QLatin1Char('(') : code == TokRBracket ? QLatin1Char('[')
                                                                                              : QLatin1Char('{');
            if (!closes(bracket))
                return stop();
            take();
            return;
        }
        default:
            break;
        }
        m_finished = endsExpression(code);
        stop();
    }
};

} // namespace

ExpressionScan scanExpression(const QString &text, const SignalTable &signalTable)
{
    return Scanner(text, signalTable).run();
}
