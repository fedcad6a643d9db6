// libFuzzer target: runs the whole pipeline on any design file, as the batch runner
// does, with the output file thrown away.

#include "app/panesink.h"
#include "app/rundriver.h"
#include "app/simstate.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("fuzz.vdo"));
    {
        QFile file(design);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    MemorySink sink;
    SimState state(&sink);
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, design);
    return 0;
}
