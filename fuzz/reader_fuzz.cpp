// libFuzzer target: reads any file as a design and checks that the tables stay in
// step: one entry per stored box in every per-box table, the matrices in their shape.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "model/designmodel.h"
#include "model/reader.h"

#include "fuzzinput.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkMatrix(const TextMatrix &matrix, int rows)
{
    check(matrix.size() == rows);
    for (const QVector<QString> &row : matrix)
        check(row.size() == kMaxBoxes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString design = writeFuzzDesign(data, size);
    if (design.isEmpty())
        return 0;
    MemorySink sink;
    DesignModel m;
    MessageLog log(&sink);
    readDesignFile(m, log, design);

    check(m.boxCount >= 0 && m.boxCount <= kMaxBoxes);
    for (qsizetype n : {m.boxIds.size(), m.boxTypes.size(), m.boxNext.size(), m.boxNext0.size(),
                        m.boxNext1.size(), m.boxVisited.size()})
        check(n == m.boxCount);
    check(m.pageIds.size() == m.pageNames.size());
    checkMatrix(m.textMatrix, kTextRows);
    checkMatrix(m.textUpMatrix, kTextUpRows);
    checkMatrix(m.textDownMatrix, kTextDownRows);
    check(!sink.process.isEmpty() && sink.process.last().startsWith(QStringLiteral("//Fin de la")));
    return 0;
}
