#pragma once
// What the chart marks at one cycle of a run: each diagram's state after the cycle, the
// boxes and links its walks took, and the test-bench boxes of the verifications that
// came out wrong in it. Links are found among the chart's edges, by their ends and kind.

#include "chart/chartgraph.h"
#include "results/runresults.h"

#include <QSet>
#include <QString>
#include <QVector>

struct ChartHighlight {
    QSet<int> states;   // box positions
    QSet<int> walked;   // box positions
    QSet<int> taken;    // indices in ChartGraph::edges
    // Test-bench box position -> one line per wrong verification of the cycle
    // ("Q esperado 4, simulado 3").
    QHash<int, QStringList> wrong;

    bool isEmpty() const { return states.isEmpty() && walked.isEmpty() && taken.isEmpty() && wrong.isEmpty(); }
};

// The marks of a cycle; none for a cycle the run has no path for. Positions outside the
// graph (a run of another version of the file) are left out.
ChartHighlight chartHighlightAt(const ChartGraph &graph, const RunResults &results, int cycle);
