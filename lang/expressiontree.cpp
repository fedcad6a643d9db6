#include "lang/expressiontree.h"

#include "lang/operators.h"

#include <span>

namespace {

using namespace boxops;
using Kind = ExpressionTree::Kind;
using Node = ExpressionTree::Node;
using Item = ExpressionTree::Item;

// Runs the nodes, leaving the registers as the levels they stand for would.
class Runner
{
public:
    Runner(const EvalContext &ctx, const ExpressionTree &tree) : m_ctx(ctx), m_tree(tree), m_r(ctx.registers) {}

    void run(qint32 index)
    {
        const Node &n = m_tree.nodes.at(index);
        switch (n.kind) {
        case Kind::Conditional: return conditional(n);
        case Kind::Logical: return logical(n);
        case Kind::Bitwise: return bitwise(n);
        case Kind::Comparison:
            run(n.a);
            {
                const qint32 left = m_r.exprValue;
                run(n.b);
                m_r.truthValue = compare(n.op, left, m_r.exprValue);
            }
            m_r.comparisonFound = 1;
            m_r.truthResult = true;
            return;
        case Kind::Shift:
        case Kind::Power:
            run(n.a);
            {
                const qint32 left = m_r.exprValue;
                run(n.b);
                m_r.exprValue = n.kind == Kind::Shift ? shift(n.op, left, m_r.exprValue) : power(left, m_r.exprValue);
            }
            markPlainValue(m_r);
            return;
        case Kind::Additive: return additive(n);
        case Kind::Unary:
            run(n.a);
            applyUnary(m_ctx, n.op, Operand(n.operand));
            return;
        case Kind::Concatenation:
            for (const Item &item : items(n))
                run(item.node);
            markPlainValue(m_r);
            return;
        case Kind::Constant:
            m_r.exprValue = n.value;
            markPlainValue(m_r);
            return;
        case Kind::Unchanged:
            markPlainValue(m_r);
            return;
        case Kind::Signal: return signal(n);
        }
    }

private:
    std::span<const Item> items(const Node &n) const { return span(n.firstItem, n.itemCount); }
    std::span<const Item> inner(const Item &item) const { return span(item.firstInner, item.innerCount); }
    std::span<const Item> span(qint32 first, qint32 count) const
    {
        return std::span<const Item>(m_tree.items.constData() + first, size_t(count));
    }

    void conditional(const Node &n)
    {
        run(n.a);
        const bool condition = m_r.truthValue;
        run(n.b);
        const qint32 first = m_r.exprValue;
        markPlainValue(m_r);
        if (n.c < 0) {  // no colon: the first branch stands
            m_r.exprValue = first;
            return;
        }
        run(n.c);
        if (condition)
            m_r.exprValue = first;
        markPlainValue(m_r);
    }

    void logical(const Node &n)
    {
        run(n.a);
        bool running = m_r.truthValue;
        for (const Item &item : items(n)) {
            m_r.logicFound = 1;
            run(item.node);
            if (item.op == TokLogicalAnd) {
                running = running && m_r.truthValue;
                continue;
            }
            bool right = m_r.truthValue;
            for (const Item &gathered : inner(item)) {
                run(gathered.node);
                right = right && m_r.truthValue;
            }
            running = running || right;
        }
        m_r.truthResult = true;
        if (m_r.logicFound == 1)
            m_r.truthValue = running;
    }

    // A chain of one operator level: each operand first gathers the operands of the
    // tighter level joined to it, then joins the running value.
    template <typename Gather, typename Join>
    void chain(const Node &n, Gather gather, Join join)
    {
        run(n.a);
        qint32 accumulator = m_r.exprValue;
        for (const Item &item : items(n)) {
            run(item.node);
            qint32 right = m_r.exprValue;
            for (const Item &gathered : inner(item)) {
                run(gathered.node);
                right = gather(gathered.op, right, m_r.exprValue);
            }
            accumulator = join(item.op, accumulator, right);
            markPlainValue(m_r);
        }
        m_r.exprValue = accumulator;
    }

    void bitwise(const Node &n)
    {
        chain(
            n, [](TokenCode, qint32 lhs, qint32 rhs) { return lhs & rhs; },
            [](TokenCode op, qint32 lhs, qint32 rhs) { return boxops::bitwise(op, lhs, rhs); });
    }

    void additive(const Node &n)
    {
        const auto arithmetic = [this](TokenCode op, qint32 lhs, qint32 rhs) {
            return boxops::arithmetic(m_ctx, op, lhs, rhs);
        };
        chain(n, arithmetic, arithmetic);
    }

    void signal(const Node &n)
    {
        // The name register is written once, after the run (see lastSignalName).
        const SignalLeaf &leaf = m_tree.signalLeaves.at(n.value);
        if (n.a < 0) {
            currentValueAt(m_ctx.signalTable, leaf.declarations, m_r.exprValue);
            markPlainValue(m_r);
            return;
        }
        run(n.a);
        const qint64 first = m_r.exprValue;
        qint64 second = 0;
        if (n.b >= 0) {
            run(n.b);
            second = m_r.exprValue;
        }
        qint32 value = m_r.exprValue;
        currentValueAt(m_ctx.signalTable, leaf.declarations, value);
        m_r.exprValue = selectedBits(value, first, n.b >= 0, second);
        markPlainValue(m_r);
    }

    const EvalContext &m_ctx;
    const ExpressionTree &m_tree;
    EvaluatorRegisters &m_r;
};

} // namespace

void runExpressionTree(const EvalContext &ctx, const ExpressionTree &tree)
{
    // As at the outermost level: nothing gives up, and nothing is left given up.
    ctx.registers.nestingExceeded = false;
    Runner(ctx, tree).run(tree.root);
    ctx.registers.nestingExceeded = false;
    // Every node runs whatever the values, in one order, so the name the last signal read
    // leaves in the register is known from the tree alone.
    if (tree.lastSignalName >= 0)
        ctx.registers.currentSignalName = tree.signalLeaves.at(tree.lastSignalName).name;
}

namespace {

const QVector<qint32> &valuesOf(const SignalValues &values, SignalKind kind)
{
    switch (kind) {
    case KindInput: return values.input;
    case KindOutput: return values.output;
    case KindInout: return values.inout;
    default: return values.wire;
    }
}

} // namespace

bool currentValueAt(const SignalTable &table, const QVector<QPair<SignalKind, int>> &declarations, qint32 &value)
{
    for (qsizetype i = declarations.size() - 1; i >= 0; --i) {
        const QPair<SignalKind, int> &declaration = declarations.constData()[i];
        const QVector<qint32> &values = valuesOf(table.current, declaration.first);
        if (declaration.second < values.size()) {
            value = values.constData()[declaration.second];
            return true;
        }
    }
    return false;
}

qint32 lastSignalName(const ExpressionTree &tree, qint32 index)
{
    if (index < 0)
        return -1;
    const ExpressionTree::Node &n = tree.nodes.at(index);
    // A signal's name is read before its selection's indexes are run.
    qint32 last = n.kind == ExpressionTree::Kind::Signal ? n.value : -1;
    const auto after = [&](qint32 child) {
        const qint32 name = lastSignalName(tree, child);
        if (name >= 0)
            last = name;
    };
    after(n.a);
    for (qint32 i = n.firstItem; i < n.firstItem + n.itemCount; ++i) {
        const ExpressionTree::Item &item = tree.items.at(i);
        after(item.node);
        for (qint32 j = item.firstInner; j < item.firstInner + item.innerCount; ++j)
            after(tree.items.at(j).node);
    }
    after(n.b);
    after(n.c);
    return last;
}

qint32 selectedBits(qint32 value, qint64 first, bool isRange, qint64 second)
{
    if (value < 0 || first < 0)
        return 0;
    int length = 1;  // of the binary text: 0 is "0"
    while (length < 32 && (quint32(value) >> length) != 0)
        ++length;
    const qint64 width = isRange && first >= length && first <= 31 ? first + 1 : length;
    if (first >= width || (isRange && (second < 0 || second > first)))
        return 0;
    const qint64 low = isRange ? second : first;
    const qint64 count = first - low + 1;
    const quint64 mask = (quint64(1) << count) - 1;
    return qint32((quint64(quint32(value)) >> low) & mask);
}
