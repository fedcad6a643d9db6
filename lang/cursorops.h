#pragma once
// Peeking at and taking the next token, the same on a text and on a compiled text, so
// the evaluator's levels are written once for both.

#include "lang/compiledtext.h"
#include "lang/lexer.h"

inline TokenCode peek(TextCursor &text)
{
    return scanToken(text, false);
}

// Takes the token at the head, whatever it is, and returns its code.
inline TokenCode takeToken(TextCursor &text)
{
    return scanToken(text, true);
}

inline TokenCode peek(CompiledCursor &text)
{
    const CompiledText::Step step = stepAt(*text.compiled, text.start);
    text.start = step.start;  // a peek skips the blanks, as on a text
    return step.code;
}

inline TokenCode takeToken(CompiledCursor &text)
{
    const CompiledText::Step step = stepAt(*text.compiled, text.start);
    // Neither "nothing recognised" nor "end" stands for characters that could be taken.
    const bool takes = step.code != TokNone && step.code != TokEnd;
    text.start = takes ? step.afterTake : step.start;
    return step.code;
}

template <class Cursor>
void take(Cursor &text)
{
    takeToken(text);
}
