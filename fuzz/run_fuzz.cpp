// libFuzzer target: runs the whole pipeline on any design file twice, as the batch runner
// does (no trace) and as the window does (with the trace), and stops when the two output
// files or output panes differ: the trace must never change what a run reports.

#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"

#include "fuzzinput.h"

#include <QFile>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// A sink whose process pane nobody reads, as the batch runner's without --process.
class UntracedSink : public MemorySink {
public:
    bool showsProcessPane() const override { return false; }
};

// Runs the design into the sink; returns the output file's bytes.
QByteArray runInto(MemorySink &sink, const QString &design)
{
    SimState state(&sink);
    state.log.outputFile.setFileName(fuzzOutputPath());
    runSimulation(state, design);
    QFile written(fuzzOutputPath());
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray("(unreadable)");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString design = writeFuzzDesign(data, size);
    if (design.isEmpty())
        return 0;
    UntracedSink untraced;
    const QByteArray plain = runInto(untraced, design);
    MemorySink traced;
    const QByteArray withTrace = runInto(traced, design);
    if (plain != withTrace || untraced.output != traced.output) {
        std::fprintf(stderr, "the output differs with the trace on and off\n");
        std::abort();
    }
    return 0;
}
