#pragma once
// The chart laid out by Graphviz's dot, in process, read back into a plain value in
// points with the origin at the top left. Every call into Graphviz holds one
// process-wide lock (the library keeps global state), so designs may be laid out from
// several threads at once; its warnings are captured, never printed.

#include "chart/chartgraph.h"

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

struct ChartNodeLayout {
    int position = -1;  // box position, or -1 for a stub
    int stub = -1;      // index in ChartGraph::stubs for a stub
    ChartShape shape = ChartShape::Operations;
    QPointF centre;
    QSizeF size;
};

struct ChartEdgeLayout {
    int edge = -1;           // index in ChartGraph::edges
    QVector<QPointF> bezier;  // cubic Bézier control points: 1 + 3n of them
    bool hasArrow = false;
    QPointF arrowTip;         // where the arrow head ends, when there is one
    bool hasLabel = false;
    QPointF labelCentre;  // of a decision exit's 0 or 1, beside the edge's tail
};

struct ChartClusterLayout {
    int cluster = -1;  // index in ChartGraph::clusters
    QRectF box;
    QString title;
};

struct ChartLayout {
    QRectF boundingBox;  // from (0, 0)
    QVector<ChartNodeLayout> nodes;  // boxes in position order, then the stubs
    QVector<ChartEdgeLayout> edges;  // in ChartGraph::edges order
    QVector<ChartClusterLayout> clusters;
};

// Lays the graph out. On failure returns false and leaves a text in error.
bool layoutChart(const ChartGraph &graph, ChartLayout *layout, QString *error);

// Lays out any dot source and reads back what it holds, the parts named as chartdot names
// them; for the graph above and for checking that bad source fails cleanly.
bool layoutDotSource(const QByteArray &source, ChartLayout *layout, QString *error);

// The chart drawn by Graphviz's own SVG renderer; empty, with a text in error, on failure.
QByteArray renderChartSvg(const ChartGraph &graph, QString *error);
