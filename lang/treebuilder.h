#pragma once
// Reading a compiled text's expression into a tree.

#include "lang/compiledtext.h"
#include "lang/expressiontree.h"

struct EvalContext;

// Reads the expression at the cursor into a tree, with the peeks and takes, in the order,
// of the evaluator's levels; false when it nests deeper than the evaluator allows. The
// context's signal table resolves the names; its registers are left as they were.
bool buildExpressionTree(const EvalContext &ctx, CompiledCursor cursor, ExpressionTree &tree);
