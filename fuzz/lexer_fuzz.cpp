// libFuzzer target: scans any UTF-8 text token by token and stops the process if the
// scan leaves the text unnormalised or fails to end.

#include "lang/lexer.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype bound = text.size() * 2 + 2;  // upper-casing may lengthen a text once
    int code = TokIdentifier;
    for (qsizetype steps = 0; code != TokNone && code != TokEnd; ++steps) {
        if (steps > bound)
            abort();
        // A peek leaves the text normalised; the consume then takes the token's characters.
        code = scanToken(text, false);
        if ((!text.isEmpty() && text.at(0).isSpace()) || code == 2 || code > TokBaseHex)
            abort();
        if (scanToken(text, true) != code)
            abort();
    }
    return 0;
}
