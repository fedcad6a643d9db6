#include "lang/treebuilder.h"

#include "lang/cursorops.h"
#include "lang/operators.h"

#include <vector>

namespace {

using namespace boxops;
using Kind = ExpressionTree::Kind;
using Node = ExpressionTree::Node;
using Item = ExpressionTree::Item;

bool isUnaryOperator(TokenCode code)
{
    return code == TokTilde || code == TokNot || code == TokPlus || code == TokMinus;
}

// A chain's items as they are read; nested readings add items of their own meanwhile,
// so a chain's are stored together once it is whole.
struct Chain {
    std::vector<Item> items;
    std::vector<std::vector<Item>> inner;

    void add(TokenCode op, qint32 node) { items.push_back({op, node}); inner.emplace_back(); }
    void gather(TokenCode op, qint32 node) { inner.back().push_back({op, node}); }
};

// Reads the tokens as the evaluator's levels do (the same peeks and takes, in the same
// order), `depth` being the nesting the evaluator would count there.
class Builder
{
public:
    Builder(const EvalContext &ctx, CompiledCursor &text, ExpressionTree &tree) : m_ctx(ctx), m_text(text), m_tree(tree) {}

    bool tooDeep() const { return m_tooDeep; }

    qint32 conditional(int depth)
    {
        if (m_tooDeep || depth >= kMaxNesting) {
            m_tooDeep = true;
            return -1;
        }
        const int inside = depth + 1;
        const qint32 logicalNode = logical(inside);
        if (m_tooDeep || peek(m_text) != TokQuestion)
            return logicalNode;
        take(m_text);
        Node n{Kind::Conditional};
        n.a = logicalNode;
        n.b = conditional(inside);
        if (m_tooDeep)
            return -1;
        if (takeToken(m_text) == TokColon)
            n.c = conditional(inside);
        return add(n);
    }

private:
    qint32 add(const Node &n)
    {
        m_tree.nodes.append(n);
        return qint32(m_tree.nodes.size() - 1);
    }

    // A chain node, or its first operand alone when no operator followed it.
    qint32 addChain(Kind kind, qint32 first, const Chain &chain)
    {
        if (m_tooDeep || chain.items.empty())
            return first;
        Node n{kind};
        n.a = first;
        std::vector<Item> items = chain.items;
        for (size_t i = 0; i < items.size(); ++i) {
            items[i].firstInner = qint32(m_tree.items.size());
            items[i].innerCount = qint32(chain.inner[i].size());
            for (const Item &gathered : chain.inner[i])
                m_tree.items.append(gathered);
        }
        n.firstItem = qint32(m_tree.items.size());
        n.itemCount = qint32(items.size());
        for (const Item &item : items)
            m_tree.items.append(item);
        return add(n);
    }

    qint32 logical(int depth)
    {
        const qint32 first = bitwise(depth);
        Chain chain;
        while (!m_tooDeep) {
            const TokenCode op = peek(m_text);
            if (op != TokLogicalAnd && op != TokLogicalOr)
                break;
            take(m_text);
            chain.add(op, bitwise(depth));
            if (op == TokLogicalAnd)
                continue;
            while (!m_tooDeep && peek(m_text) == TokLogicalAnd) {
                take(m_text);
                chain.gather(TokLogicalAnd, bitwise(depth));
            }
        }
        return addChain(Kind::Logical, first, chain);
    }

    qint32 bitwise(int depth)
    {
        const qint32 first = comparison(depth);
        Chain chain;
        while (!m_tooDeep) {
            const TokenCode op = peek(m_text);
            if (op != TokBitAnd && !isOrLike(op))
                break;
            take(m_text);
            chain.add(op, comparison(depth));
            while (!m_tooDeep && op != TokBitAnd && peek(m_text) == TokBitAnd) {
                take(m_text);
                chain.gather(TokBitAnd, comparison(depth));
            }
        }
        return addChain(Kind::Bitwise, first, chain);
    }

    // A level with one optional operator and a second operand.
    template <qint32 (Builder::*operand)(int), bool (*accepts)(TokenCode)>
    qint32 pair(Kind kind, int depth)
    {
        const qint32 left = (this->*operand)(depth);
        if (m_tooDeep)
            return -1;
        const TokenCode op = peek(m_text);
        if (!accepts(op))
            return left;
        take(m_text);
        Node n{kind, op};
        n.a = left;
        n.b = (this->*operand)(depth);
        return m_tooDeep ? -1 : add(n);
    }

    static bool isPowerOperator(TokenCode code) { return code == TokPower; }

    qint32 comparison(int depth) { return pair<&Builder::shift, isComparison>(Kind::Comparison, depth); }
    qint32 shift(int depth) { return pair<&Builder::additive, isShift>(Kind::Shift, depth); }
    qint32 power(int depth) { return pair<&Builder::primary, isPowerOperator>(Kind::Power, depth); }

    qint32 additive(int depth)
    {
        const qint32 first = power(depth);
        Chain chain;
        while (!m_tooDeep) {
            const TokenCode op = peek(m_text);
            if (!isMultiplicative(op) && !isAdditive(op))
                break;
            take(m_text);
            chain.add(op, power(depth));
            for (TokenCode inner = peek(m_text); !m_tooDeep && isAdditive(op) && isMultiplicative(inner);
                 inner = peek(m_text)) {
                take(m_text);
                chain.gather(inner, power(depth));
            }
        }
        return addChain(Kind::Additive, first, chain);
    }

    qint32 primary(int depth)
    {
        TokenCode unary = TokNone;
        TokenCode head = peek(m_text);
        if (isUnaryOperator(head)) {
            take(m_text);
            unary = head;
            head = peek(m_text);
        }
        Operand operand = Operand::None;
        const qint32 node = operandOf(depth, head, operand);
        if (m_tooDeep || unary == TokNone)
            return node;
        Node n{Kind::Unary, unary};
        n.operand = quint8(operand);
        n.a = node;
        return add(n);
    }

    qint32 operandOf(int depth, TokenCode head, Operand &operand)
    {
        if (head == TokLBrace) {
            operand = Operand::Value;
            return concatenation(depth);
        }
        if (head == TokLParen) {
            take(m_text);
            const qint32 inside = conditional(depth);
            take(m_text);  // the closing parenthesis, or whatever stands there
            operand = Operand::Group;
            return inside;
        }
        if (head != TokQuote && !isPrimaryStart(head) && head != TokIdentifier)
            return add(Node{Kind::Unchanged});
        const CompiledText::Step leaf = leafAt(m_ctx, *m_text.compiled, m_text.start);
        m_text.start = leaf.afterLeaf;
        // A lone apostrophe and a parameter name are no operand, a literal or signal is.
        if (head != TokQuote && (isPrimaryStart(head) || leaf.leaf == LeafKind::Signal))
            operand = Operand::Value;
        if (leaf.leaf == LeafKind::Signal)
            return signal(depth, leaf.value);
        if (leaf.leaf != LeafKind::Constant)
            return add(Node{Kind::Unchanged});
        Node n{Kind::Constant};
        n.value = leaf.value;
        return add(n);
    }

    qint32 signal(int depth, qint32 leafIndex)
    {
        Node n{Kind::Signal};
        n.value = qint32(m_tree.signalLeaves.size());
        m_tree.signalLeaves.append(m_text.compiled->signalLeaves.at(leafIndex));
        if (peek(m_text) != TokLBracket)
            return add(n);
        take(m_text);
        n.a = conditional(depth);
        if (m_tooDeep)
            return -1;
        const TokenCode after = peek(m_text);
        if (after == TokColon) {
            take(m_text);
            n.b = conditional(depth);
            if (m_tooDeep)
                return -1;
            if (peek(m_text) == TokRBracket)
                take(m_text);
        } else if (after == TokRBracket) {
            take(m_text);
        }
        return add(n);
    }

    qint32 concatenation(int depth)
    {
        take(m_text);  // the brace the operand starts with
        Chain chain;
        chain.add(TokNone, conditional(depth));
        const bool replication = !m_tooDeep && peek(m_text) == TokLBrace;
        if (replication)
            take(m_text);
        chain.add(TokNone, conditional(depth));
        while (!m_tooDeep && peek(m_text) == TokComma) {
            take(m_text);
            chain.add(TokNone, conditional(depth));
        }
        if (m_tooDeep)
            return -1;
        if (peek(m_text) == TokRBrace)
            take(m_text);
        if (replication && peek(m_text) == TokRBrace)
            take(m_text);
        return addChain(Kind::Concatenation, -1, chain);
    }

    const EvalContext &m_ctx;
    CompiledCursor &m_text;
    ExpressionTree &m_tree;
    bool m_tooDeep = false;
};

} // namespace

bool buildExpressionTree(const EvalContext &ctx, CompiledCursor cursor, ExpressionTree &tree)
{
    tree = ExpressionTree{};
    Builder builder(ctx, cursor, tree);
    tree.root = builder.conditional(0);
    tree.end = cursor.start;
    tree.lastSignalName = builder.tooDeep() ? -1 : lastSignalName(tree, tree.root);
    return !builder.tooDeep();
}

