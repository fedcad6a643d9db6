#pragma once
// A design's chart as a plain value: one node per box (known by its position, since IDs
// may repeat), the links between them, and one cluster per diagram. Built from the
// design tables after the parent boxes are found; lays out nothing.

#include "model/boxaccess.h"
#include "model/designmodel.h"

#include <QString>
#include <QVector>

// How a box is drawn.
enum class ChartShape { StateBox, Decision, ConditionalOutput, Operations, Connector, Note };

// Which link of a box an edge stands for; ConnectorJump is the dashed link from a
// connector to the box drawn elsewhere under its name.
enum class ChartLink { Next, Next0, Next1, ConnectorJump };

struct ChartNode {
    int position = -1;  // index in the box tables
    qint32 id = 0;
    BoxType type = BoxType::None;
    QString typeName;  // as the reports print it ("" for a box without a known type)
    ChartShape shape = ChartShape::Operations;
    QString label;     // the texts, cut to fit a box
    QString fullText;  // the whole texts, for a tooltip
    int cluster = -1;
    bool loneConnector = false;  // a connector whose name no other box carries
};

// The end of a link that names an ID no box carries.
struct ChartStub {
    qint32 id = 0;
    int cluster = -1;  // the cluster of the box the link leaves
};

struct ChartEdge {
    int from = -1;  // box position
    int to = -1;    // box position, or -1 when the link ends at a stub
    int stub = -1;  // index in ChartGraph::stubs when to is -1
    ChartLink link = ChartLink::Next;
};

struct ChartCluster {
    int root = -1;  // position of the diagram's parent box; -1 for the boxes no diagram reaches
    DiagramKind kind = DiagramKind::None;
    QString name;   // the diagram's Header text, else its root box's name
    QString title;  // what the chart shows above the cluster
    QVector<int> nodes;  // positions, in table order
};

struct ChartGraph {
    QVector<ChartNode> nodes;  // nodes[i].position == i
    QVector<ChartEdge> edges;  // per box in table order: Next, Next0, Next1, then the jump
    QVector<ChartStub> stubs;
    QVector<ChartCluster> clusters;  // the diagrams in parent order, then the unreached boxes
};

// Bounds of a node's label: longer lines and further lines are cut with "…".
constexpr int kChartLabelColumns = 32;
constexpr int kChartLabelRows = 6;

// The graph of the design tables. The parents (parentIts, parentIds) must be found; the
// diagram kinds (parentKinds) are shown when the declarative stage has set them.
ChartGraph buildChartGraph(const DesignModel &model);

// The shape of a box of this type.
ChartShape chartShapeOf(BoxType type);

// The box a connector stands for: the last box that is no connector whose first text line
// is the connector's name; -1 when there is none.
int connectorTarget(const DesignModel &model, int connector);

// The last position below boxCount whose ID is id; -1 when no box carries it.
int lastBoxWithId(const DesignModel &model, qint32 id);

// Cuts text to the label bounds above.
QString cutChartLabel(const QStringList &lines);
