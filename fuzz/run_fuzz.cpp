// libFuzzer target: runs the whole pipeline on any design file, as the batch runner
// does, with the output file thrown away.

#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"

#include "fuzzinput.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString design = writeFuzzDesign(data, size);
    if (design.isEmpty())
        return 0;
    MemorySink sink;
    SimState state(&sink);
    state.log.outputFile.setFileName(fuzzOutputPath());
    runSimulation(state, design);
    return 0;
}
