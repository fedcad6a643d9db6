#pragma once
// The waveforms of a run: one row per column of the simulation table, cycles across.
// Painted by hand, and only the cycles and rows in sight, so that a long run with many
// signals scrolls and zooms at once.
//
// Viewport layout, left to right: signal names, the value of each signal at the cursor,
// then the waves; the ruler of cycle numbers runs along the top of the waves. Cycle c
// spans [cycleX(c), cycleX(c + 1)). Within a row, a high level is drawn kHighOffset
// pixels below the row's top, a low level kLowOffset below it, and a verification's mark
// is a bar kMarkHeight pixels high starting kMarkOffset below it. The clock input is
// drawn as a real clock: high from the start of each cycle, low from its half. A value
// that does not fit its signal's width is a hatched band in neutral tones, apart from the
// red and green of the verifications. A run that simulated no cycle, or declared no
// signal, shows why instead of waves.

#include "results/displayrules.h"
#include "results/runresults.h"
#include "results/waveformrows.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class QAction;

class WaveformView : public QAbstractScrollArea {
    Q_OBJECT

public:
    using Radix = ValueRadix;
    using enum ValueRadix;

    static constexpr int kNamesWidth = 120;
    static constexpr int kValuesWidth = 90;
    static constexpr int kWaveLeft = kNamesWidth + kValuesWidth;
    static constexpr int kRulerHeight = 22;
    static constexpr int kRowHeight = 26;
    static constexpr int kHighOffset = 5;
    static constexpr int kLowOffset = 19;
    static constexpr int kMarkOffset = 21;
    static constexpr int kMarkHeight = 3;
    static constexpr double kDefaultCycleWidth = 40;
    static constexpr double kMinCycleWidth = 1;
    static constexpr double kMaxCycleWidth = 400;

    // The colours that do not follow the palette: the marks of correct and wrong
    // verifications.
    static QColor correctColor() { return QColor(0x2e, 0xa0, 0x43); }
    static QColor wrongColor() { return QColor(0xe0, 0x1b, 0x1b); }
    // The band of a value that does not fit its width: a neutral fill between the
    // palette's base and its text, hatched in a deeper neutral.
    static QColor unknownFill(const QPalette &palette);
    static QColor unknownHatch(const QPalette &palette);

    explicit WaveformView(QWidget *parent = nullptr);

    // Shows a run's results (the view keeps its own copy), or nothing.
    void setResults(const RunResults &results);
    void clear();
    // True when there are waves to draw: signals, and cycles that the loop simulated.
    bool hasResults() const;
    // What the view says instead of waves (no run yet, no cycle simulated, no signal
    // declared); empty while it shows waves.
    QString placeholderText() const;
    int rowCount() const { return int(m_results.columns.size()); }
    int cycleCount() const { return int(m_results.rows.size()); }

    // "Fit": fits every cycle into the width in sight (at once, or when the view is next
    // shown). Enabled while there are results; the window may put it in a menu or tool bar.
    QAction *fitAction() const { return m_fitAction; }

    // Pixels per cycle, kept within [kMinCycleWidth, kMaxCycleWidth].
    double cycleWidth() const { return m_cycleWidth; }
    void setCycleWidth(double width);
    // Multiplies the zoom, keeping the point under viewport x where it is.
    void zoomBy(double factor, int anchorX);

    // The cycle the cursor is on (its values are shown beside the names); -1 for none.
    int cursorCycle() const { return m_cursorCycle; }
    void setCursorCycle(int cycle);

    // How a signal's values are written; 1-bit signals write the same in every radix.
    // The choice is kept per signal name from run to run.
    Radix radix(int row) const;
    void setRadix(int row, Radix radix);

    // A signal's value at a cycle as written in its radix: "x" when it does not fit the
    // signal's width, "" out of range. valuesAt gives every row's value at a cycle.
    QString valueText(int row, int cycle) const;
    QStringList valuesAt(int cycle) const;

    // Geometry in viewport coordinates, after scrolling.
    int cycleX(int cycle) const;
    int rowY(int row) const;
    int cycleAt(int x) const;  // -1 outside the cycles
    int rowAt(int y) const;    // -1 outside the rows
    // The tooltip at a viewport point: on a cell, that its value does not fit the
    // signal's width and the verifications checked there ("ciclo C: Q esperado E,
    // simulado A"), one per line; on a name, the signal's name, width and kind; "" elsewhere.
    QString toolTipAt(const QPoint &pos) const;

    // Brings a signal's cell at a cycle into sight and puts the cursor on it; the signal
    // is found as the verifications' marks find it. False when it has no row or cycle.
    bool showVerification(const QString &signal, int cycle);

public slots:
    void fit();

signals:
    // A cycle of the waves or of the ruler was clicked.
    void cycleClicked(int cycle);
    void cursorCycleChanged(int cycle);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    using Segment = WaveSegment;
    using Mark = WaveMark;
    using Row = WaveRow;
    struct Painting;

    void buildRows();
    int rowOfSignal(const QString &signal) const;
    qint32 valueAt(int row, int cycle) const;
    bool fits(int row, qint32 value) const;
    QString formatValue(int row, qint32 value) const;
    int waveWidth() const;
    int waveHeight() const;
    int contentX(int cycle) const;
    void updateScrollBars();

    int firstSegmentInSight(const Painting &p, int row) const;
    QRect rulerLabelBox(const Painting &p, int cycle) const;
    void paintRuler(Painting &p) const;
    void paintNames(Painting &p) const;
    void paintRow(Painting &p, int row) const;
    void paintClock(Painting &p, int row) const;
    void paintBit(Painting &p, int row) const;
    void paintBus(Painting &p, int row) const;
    void paintUnknown(Painting &p, int row, int x0, int x1) const;
    void paintMarks(Painting &p, int row, bool tint) const;
    void paintCursor(Painting &p) const;

    RunResults m_results;
    QVector<Row> m_rows;
    QHash<QString, Radix> m_radixByName;
    double m_cycleWidth = kDefaultCycleWidth;
    int m_cursorCycle = -1;
    bool m_fitPending = false;  // fit once the view is shown at its size
    bool m_fitted = false;      // the zoom is Fit's: it follows the view's width
    QAction *m_fitAction = nullptr;
};
