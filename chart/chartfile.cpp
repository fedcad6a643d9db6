#include "chart/chartfile.h"

#include "run/analysis.h"
#include "run/simstate.h"

#include <QFileInfo>

bool chartOfDesign(const QString &path, ChartGraph *graph, QString *error)
{
    // The reader takes a file it cannot open for an empty one; the chart says why.
    const QFileInfo info(path);
    QString problem;
    if (!info.isFile() || !info.isReadable()) {
        problem = QStringLiteral("No se puede leer el diseño %1").arg(path);
    } else {
        // The declarative stage sets each diagram's kind, which titles its cluster.
        const std::unique_ptr<SimState> state = analyseDesign(RunCarry{}, path, Stage::Declarations);
        if (state->model.boxCount == 0)
            problem = QStringLiteral("El diseño %1 no tiene ninguna caja").arg(path);
        else if (graph)
            *graph = buildChartGraph(state->model);
    }
    if (error)
        *error = problem;
    return problem.isEmpty();
}
