#pragma once
// The design's chart, painted by hand from its layout: one framed cluster per diagram,
// each box in its shape with its cut texts, the links as Bézier curves with arrow heads.
// For a cycle of the last run it fills each diagram's state, outlines the boxes its walks
// took, thickens the links taken and marks the test-bench boxes of wrong verifications;
// boxes with a design warning carry a warning sign. Zoom with Ctrl+wheel, pan by
// dragging, Fit; ←/→, Home/End choose the cycle; a click on a box asks for its source.
//
// The layout is in points from its top left; the view draws one point as `zoom` pixels,
// kMargin pixels in from the top left of the chart's area, which begins below a strip
// kStripHeight pixels high that names the cycle (and says when the editor's text is not
// what the chart shows).

#include "chart/chartgraph.h"
#include "chart/chartlayout.h"
#include "check/designwarning.h"
#include "gui/charthighlight.h"
#include "results/runresults.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QHash>
#include <QPainterPath>
#include <QString>
#include <QVector>

class QAction;
class QPainter;

class ChartView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kStripHeight = 22;
    static constexpr int kMargin = 12;
    static constexpr double kMinZoom = 0.05;
    static constexpr double kMaxZoom = 4;
    // Widths in pixels of a walked box's outline and of a link taken; of the rest, 1.
    static constexpr double kWalkedWidth = 3;
    static constexpr double kTakenWidth = 3;

    // Colours that follow the palette: a state's fill is the highlight mixed into the
    // base, so its texts stay readable in dark and light palettes alike; the outline of
    // a walked box and a link taken are the highlight itself.
    static QColor stateFill(const QPalette &palette);
    static QColor walkedColour(const QPalette &palette);

    explicit ChartView(QWidget *parent = nullptr);

    // The chart of a saved file; it keeps the cycle and the results, whose marks show
    // when the file is the one they were run on (see setResults).
    void setChart(const ChartGraph &graph, const ChartLayout &layout);
    // No chart: says why instead ("El diagrama tarda demasiado…", a layout's error, ...).
    void showMessage(const QString &text);
    bool hasChart() const { return m_hasChart; }
    QString message() const { return m_message; }
    const ChartGraph &graph() const { return m_graph; }
    const ChartLayout &layout() const { return m_layout; }

    // The run whose paths the chart shows; clearResults drops them (the file was saved
    // again, or New) and the cycle with them, quietly.
    void setResults(const RunResults &results);
    void clearResults();
    bool hasPaths() const { return !m_results.paths.isEmpty(); }
    // The design warnings of the saved file, marked on their boxes.
    void setWarnings(const DesignWarnings &warnings);
    // With unsaved edits in the editor the strip says the chart shows the saved file.
    void setEditorModified(bool modified);
    QString stripText() const;

    // The cycle shown, -1 for none; kept within the run's cycles.
    int cycle() const { return m_cycle; }
    void setCycle(int cycle);
    const ChartHighlight &highlight() const { return m_highlight; }

    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // Multiplies the zoom, keeping the chart point under a viewport point where it is.
    void zoomBy(double factor, const QPoint &anchor);
    QAction *fitAction() const { return m_fitAction; }

    // Geometry in viewport pixels, after zoom and scrolling.
    QPointF toViewport(const QPointF &chartPoint) const;
    QPointF toChart(const QPointF &viewportPoint) const;
    // The box (position) or stub (-2 - index) under a viewport point; -1 for none.
    int itemAt(const QPoint &pos) const;
    QString toolTipAt(const QPoint &pos) const;

public slots:
    void fit();

signals:
    void cycleChanged(int cycle);
    // A box was clicked (not dragged): its position in the box tables and its ID.
    void boxClicked(int position, qint32 id);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    struct Painting;

    void rebuildPaths();
    void updateHighlight();
    void updateScrollBars();
    QRectF chartArea() const;
    int lastCycle() const;
    QPainterPath shapeOf(int nodeIndex) const;

    void paintClusters(Painting &p) const;
    void paintEdges(Painting &p) const;
    void paintNodes(Painting &p) const;
    void paintNode(Painting &p, int nodeIndex) const;
    void paintBadges(Painting &p, int nodeIndex) const;
    void paintStrip(QPainter &painter) const;
    void paintMessage(QPainter &painter) const;

    ChartGraph m_graph;
    ChartLayout m_layout;
    bool m_hasChart = false;
    QString m_message;
    QVector<QPainterPath> m_edgePaths;   // in chart points, per layout edge
    QVector<QPainterPath> m_arrowHeads;  // likewise; empty where there is no arrow
    QVector<QPainterPath> m_nodeShapes;  // per layout node
    RunResults m_results;
    ChartHighlight m_highlight;
    QHash<int, QStringList> m_warnings;  // box position -> "TEXT [RULE]" lines
    bool m_editorModified = false;
    int m_cycle = -1;
    double m_zoom = 1;
    bool m_fitPending = false;
    QPoint m_pressPos;
    QPoint m_lastDragPos;
    bool m_dragging = false;
    QAction *m_fitAction = nullptr;
};
