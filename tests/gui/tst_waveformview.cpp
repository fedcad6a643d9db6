// The waveform view: what it paints where, the values at its cursor, the tooltips of the
// verification marks, clicks on cycles, zoom, fit and scrolling.
//
// The positions below come from the view's layout: the waves begin at x = 210 (names
// 120 px, values 90 px), the ruler is 22 px high and every row 26 px; at 40 px per cycle,
// cycle c spans x = 210 + 40c to 249 + 40c and row r begins at y = 22 + 26r. Within a
// row, the high level is 5 px below its top, the low level 19 px, and a verification's
// bar is 3 px high from 21 px.

#include "gui/waveformview.h"
#include "testmain.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <ctime>
#include <functional>

namespace {

const QColor kBase(0xff, 0xff, 0xff);
const QColor kText(0x00, 0x00, 0x00);
const QColor kWindow(0xe0, 0xe0, 0xe0);
const QColor kHighlight(0x30, 0x60, 0xc0);
// Not a colour: stands for the band of a value that does not fit, its fill or its hatch.
const QColor kBand;

ResultColumn column(const QString &name, int kind, int width)
{
    ResultColumn c;
    c.name = name;
    c.kind = SignalKind(kind);
    c.width = width;
    return c;
}

ResultVerification verification(int cycle, const QString &signal, int expected, int actual, bool correct)
{
    ResultVerification v;
    v.cycle = cycle;
    v.signal = signal;
    v.expected = expected;
    v.actual = actual;
    v.correct = correct;
    return v;
}

// Eight cycles of four signals. The table holds the cycle time in the clock's column;
// GO is high exactly in cycles 3 and 4; Q is never set in cycles 0 and 1; S is 32 bits.
RunResults smallResults()
{
    RunResults r;
    r.designName = QStringLiteral("small");
    r.columns = {column("CLK", 1, 1), column("GO", 1, 1), column("Q", 2, 4), column("S", 4, 32)};
    const int go[8] = {0, 0, 0, 1, 1, 0, 0, 0};
    const int q[8] = {-1, -1, 0, 1, 2, 3, 3, 15};
    const int s[8] = {-1, -1, 5, 5, 5, 300, 300, -2};
    for (int c = 0; c < 8; ++c)
        r.rows.append({10, go[c], q[c], s[c]});
    r.clockName = QStringLiteral("CLK");
    r.cycleTime = 10;
    r.timeUnit = QStringLiteral("ns");
    r.verifications = {verification(3, "TB.GO", 1, 1, true), verification(5, "Q", 4, 3, false),
                       verification(5, "Q", 3, 3, true), verification(9, "Q", 1, 1, true),
                       verification(2, "NOPE", 0, 0, false)};
    return r;
}

// 300 cycles of 130 signals of every shape, most of them changing every cycle.
RunResults bigResults()
{
    RunResults r;
    for (int i = 0; i < 130; ++i) {
        const int width = i % 3 == 0 ? 1 : (i % 3 == 1 ? 8 : 32);
        r.columns.append(column(QStringLiteral("SIGNAL_%1").arg(i), 1 + i % 4, width));
    }
    for (int c = 0; c < 300; ++c) {
        QVector<qint32> row;
        for (int i = 0; i < 130; ++i)
            row.append(c < i % 7 ? -1 : (c * 7 + i) % (i % 3 == 0 ? 2 : 256));
        r.rows.append(row);
        r.verifications.append(verification(c, QStringLiteral("SIGNAL_%1").arg(c % 130), 1, c % 5 ? 1 : 0, c % 5 != 0));
    }
    return r;
}

QPalette palette(const QColor &base, const QColor &text, const QColor &window)
{
    QPalette p;
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Highlight, kHighlight);
    p.setColor(QPalette::HighlightedText, kBase);
    return p;
}

// A view of its own size, shown (so that its scroll bars are laid out) on the offscreen
// platform.
struct ShownView {
    explicit ShownView(const RunResults &results, QSize size = QSize(600, 240))
    {
        view.setPalette(palette(kBase, kText, kWindow));
        view.resize(size);
        view.setResults(results);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    QImage image() { return view.viewport()->grab().toImage(); }
    QWidget *viewport() { return view.viewport(); }

    WaveformView view;
};

QRgb rgb(const QColor &c)
{
    return c.rgb();
}

QRgb pixelAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}

// The band of a value that does not fit is drawn in two neutral colours between the
// palette's base and text: a light fill and a deeper hatch.
bool isBandPixel(const QImage &image, int x, int y, const QPalette &palette)
{
    const QRgb pixel = pixelAt(image, x, y);
    return pixel == rgb(WaveformView::unknownFill(palette)) || pixel == rgb(WaveformView::unknownHatch(palette));
}

void sendMouseMove(QWidget *widget, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void sendWheel(QWidget *widget, QPoint pos, int delta, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

} // namespace

class TestWaveformView : public QObject {
    Q_OBJECT

private slots:
    // Pixels of the small results, at the view's default 40 px per cycle.
    void paintsLevelsBusesBandsAndMarks_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("same");  // false: any colour but this one
        // GO (row 1, y 48..73): high (y 53) exactly in cycles 3 and 4, low (y 67) elsewhere.
        for (int c = 0; c < 8; ++c) {
            const bool high = c == 3 || c == 4;
            QTest::addRow("GO high level, cycle %d", c) << 230 + 40 * c << 53 << kText << high;
            QTest::addRow("GO low level, cycle %d", c) << 230 + 40 * c << 67 << kText << !high;
        }
        QTest::newRow("GO rises at the start of cycle 3") << 330 << 60 << kText << true;
        QTest::newRow("GO falls at the start of cycle 5") << 410 << 60 << kText << true;
        QTest::newRow("no GO edge between cycles 3 and 4") << 370 << 60 << kText << false;
        QTest::newRow("no GO edge inside cycle 3") << 350 << 60 << kText << false;
        QTest::newRow("no GO edge at the start of cycle 1") << 250 << 60 << kText << false;
        // CLK (row 0, y 22..47) is a real clock although its column holds 10: cycle 2 is
        // high from x 290 to 310 and low from 310 to 330.
        QTest::newRow("clock high in the first half") << 300 << 27 << kText << true;
        QTest::newRow("clock not low in the first half") << 300 << 41 << kText << false;
        QTest::newRow("clock low in the second half") << 320 << 41 << kText << true;
        QTest::newRow("clock not high in the second half") << 320 << 27 << kText << false;
        QTest::newRow("clock rises at the cycle's start") << 290 << 34 << kText << true;
        QTest::newRow("clock falls at the cycle's half") << 310 << 34 << kText << true;
        // Q (row 2, y 74..99): -1 does not fit 4 bits, so cycles 0 and 1 are a hatched
        // band from y 79 to 93; from cycle 2 on it is a bus between those lines.
        QTest::newRow("Q's band, left end") << 211 << 80 << kBand << true;
        QTest::newRow("Q's band, end of cycle 1") << 288 << 92 << kBand << true;
        QTest::newRow("Q's bus from cycle 2, top") << 310 << 79 << kText << true;
        QTest::newRow("Q's bus from cycle 2, bottom") << 310 << 93 << kText << true;
        QTest::newRow("no band from cycle 2") << 300 << 82 << kBand << false;
        // Marks: Q's wrong check of cycle 5 (x 410..449) is a red bar at y 95..97; GO's
        // correct check of cycle 3 a green one at y 69..71.
        QTest::newRow("wrong mark on Q, cycle 5") << 430 << 96 << WaveformView::wrongColor() << true;
        QTest::newRow("wrong mark's left end") << 411 << 95 << WaveformView::wrongColor() << true;
        QTest::newRow("wrong mark's right end") << 448 << 97 << WaveformView::wrongColor() << true;
        QTest::newRow("no mark on Q, cycle 4") << 390 << 96 << kBase << true;
        QTest::newRow("no mark on Q, cycle 6") << 470 << 96 << kBase << true;
        QTest::newRow("correct mark on GO, cycle 3") << 350 << 70 << WaveformView::correctColor() << true;
        QTest::newRow("no mark on GO, cycle 4") << 390 << 70 << kBase << true;
        // The palette's colours around the waves.
        QTest::newRow("names column") << 2 << 60 << kWindow << true;
        QTest::newRow("ruler") << 212 << 2 << kWindow << true;
        QTest::newRow("below the rows") << 400 << 200 << kBase << true;
        QTest::newRow("after the last cycle") << 560 << 60 << kBase << true;
    }
    void paintsLevelsBusesBandsAndMarks()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QColor, colour);
        QFETCH(bool, same);
        ShownView shown(smallResults());
        QCOMPARE(shown.view.cycleWidth(), 40.0);
        const QImage image = shown.image();
        QCOMPARE(image.size(), QSize(600, 240));  // no scroll bar
        if (!colour.isValid())
            QCOMPARE(isBandPixel(image, x, y, shown.view.palette()), same);
        else if (same)
            QCOMPARE(QColor(pixelAt(image, x, y)), colour);
        else
            QVERIFY2(pixelAt(image, x, y) != rgb(colour), qPrintable(QColor(pixelAt(image, x, y)).name()));
    }

    // Under a dark palette the waves, the background and the band follow it; the marks do not.
    void followsADarkPalette()
    {
        ShownView shown(smallResults());
        const QColor darkBase(0x1e, 0x1e, 0x1e), lightText(0xdd, 0xdd, 0xdd);
        const QPalette dark = palette(darkBase, lightText, QColor(0x2b, 0x2b, 0x2b));
        shown.view.setPalette(dark);
        const QImage image = shown.image();
        QCOMPARE(QColor(pixelAt(image, 390, 53)), lightText);  // GO high in cycle 4
        QCOMPARE(QColor(pixelAt(image, 250, 53)), darkBase);   // above GO's low level in cycle 1
        QVERIFY(isBandPixel(image, 211, 80, dark));
        QVERIFY(WaveformView::unknownFill(dark).lightness() < 128);
        QCOMPARE(QColor(pixelAt(image, 430, 96)), WaveformView::wrongColor());
    }

    // The band of a value that does not fit is hatched: both of its neutral colours
    // (no hue, so never the red of a wrong verification) show left of its x.
    void unknownBandIsHatchedAndNeutral()
    {
        ShownView shown(smallResults());
        const QImage image = shown.image();
        const QPalette &p = shown.view.palette();
        QSet<QRgb> seen;
        for (int x = 211; x < 235; ++x)  // Q's band over cycles 0 and 1: x 210..289, y 79..93
            for (int y = 79; y <= 93; ++y)
                seen << pixelAt(image, x, y);
        QCOMPARE(seen, (QSet<QRgb>{rgb(WaveformView::unknownFill(p)), rgb(WaveformView::unknownHatch(p))}));
        QCOMPARE(WaveformView::unknownFill(p).hslSaturation(), 0);
        QCOMPARE(WaveformView::unknownHatch(p).hslSaturation(), 0);
    }

    void cursorFollowsTheMouseAndReadsEveryValue()
    {
        ShownView shown(smallResults());
        QSignalSpy moved(&shown.view, &WaveformView::cursorCycleChanged);
        QCOMPARE(QColor(pixelAt(shown.image(), 470, 150)), kBase);
        sendMouseMove(shown.viewport(), QPoint(455, 60));  // cycle 6 spans x 450..489
        QCOMPARE(shown.view.cursorCycle(), 6);
        QCOMPARE(moved.size(), 1);
        // The cursor is a line down the middle of its cycle, x = (450 + 490) / 2.
        QCOMPARE(QColor(pixelAt(shown.image(), 470, 150)), kHighlight);
        sendMouseMove(shown.viewport(), QPoint(100, 60));  // over the names: it stays
        QCOMPARE(shown.view.cursorCycle(), 6);
        QCOMPARE(shown.view.valuesAt(6), (QStringList{"1", "0", "3", "300"}));
        QCOMPARE(shown.view.valuesAt(0), (QStringList{"1", "0", "x", "-1"}));
        QCOMPARE(shown.view.valuesAt(3), (QStringList{"1", "1", "1", "5"}));
        QCOMPARE(shown.view.valuesAt(8), (QStringList{"", "", "", ""}));
    }

    void radixWritesValuesInDecimalHexadecimalOrBinary_data()
    {
        QTest::addColumn<int>("radix");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("text");
        QTest::newRow("4 bits, decimal") << int(WaveformView::Decimal) << 2 << 7 << "15";
        QTest::newRow("4 bits, hexadecimal") << int(WaveformView::Hexadecimal) << 2 << 7 << "F";
        QTest::newRow("4 bits, binary") << int(WaveformView::Binary) << 2 << 4 << "0010";
        QTest::newRow("never set, hexadecimal") << int(WaveformView::Hexadecimal) << 2 << 0 << "x";
        QTest::newRow("32 bits, decimal") << int(WaveformView::Decimal) << 3 << 7 << "-2";
        QTest::newRow("32 bits, hexadecimal") << int(WaveformView::Hexadecimal) << 3 << 7 << "FFFFFFFE";
        QTest::newRow("32 bits, hexadecimal, padded") << int(WaveformView::Hexadecimal) << 3 << 5 << "0000012C";
        QTest::newRow("32 bits, binary") << int(WaveformView::Binary) << 3 << 5
                                         << "00000000000000000000000100101100";
        QTest::newRow("1 bit, binary") << int(WaveformView::Binary) << 1 << 4 << "1";
    }
    void radixWritesValuesInDecimalHexadecimalOrBinary()
    {
        QFETCH(int, radix);
        QFETCH(int, row);
        QFETCH(int, cycle);
        QFETCH(QString, text);
        WaveformView view;
        view.setResults(smallResults());
        view.setRadix(row, WaveformView::Radix(radix));
        QCOMPARE(view.valueText(row, cycle), text);
    }

    // The context menu on a signal's name sets its radix, which a new run keeps.
    void contextMenuOnANameChoosesTheRadix()
    {
        ShownView shown(smallResults());
        QString offered;
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *act : menu->actions()) {
                if (!act->text().isEmpty())  // the heading with the name, then the choices
                    offered += act->text() + (act->isChecked() ? QStringLiteral("*") : QString()) + QLatin1Char('|');
                if (act->text() == QStringLiteral("Hexadecimal"))
                    act->trigger();
            }
            menu->close();
        });
        answer.start(10);
        const QPoint onQ(50, 87);  // Q's name: row 2, y 74..99
        QContextMenuEvent event(QContextMenuEvent::Mouse, onQ, shown.viewport()->mapToGlobal(onQ));
        QApplication::sendEvent(shown.viewport(), &event);
        answer.stop();
        QCOMPARE(offered, QStringLiteral("Q|Decimal*|Hexadecimal|Binary|Fit|"));
        QCOMPARE(shown.view.radix(2), WaveformView::Hexadecimal);
        QCOMPARE(shown.view.valueText(2, 7), QStringLiteral("F"));
        QCOMPARE(shown.view.radix(3), WaveformView::Decimal);
        shown.view.setResults(smallResults());
        QCOMPARE(shown.view.valueText(2, 7), QStringLiteral("F"));
    }

    void toolTipsTellTheVerificationsAndTheSignal_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QString>("text");
        QTest::newRow("Q, cycle 5: one wrong and one correct check")
            << QPoint(430, 80) << "ciclo 5: Q esperado 4, simulado 3\nciclo 5: Q esperado 3, simulado 3";
        QTest::newRow("GO, cycle 3, checked as TB.GO") << QPoint(345, 60) << "ciclo 3: TB.GO esperado 1, simulado 1";
        QTest::newRow("Q, cycle 4: none") << QPoint(390, 80) << "";
        // Q is -1 in cycles 0 and 1, which 4 bits cannot hold; S's -1 fits its 32 bits.
        QTest::newRow("Q's band, cycle 1") << QPoint(270, 80) << "ciclo 1: el valor -1 no cabe en los 4 bits de Q";
        QTest::newRow("S, cycle 0: -1 fits") << QPoint(230, 110) << "";
        QTest::newRow("Q's name") << QPoint(30, 80) << "Q [3:0] (salida)";
        QTest::newRow("CLK's value") << QPoint(150, 30) << "CLK (entrada)";
        QTest::newRow("S's name") << QPoint(30, 110) << "S [31:0] (señal interna)";
        QTest::newRow("ruler") << QPoint(430, 10) << "";
        QTest::newRow("below the rows") << QPoint(430, 200) << "";
    }
    void toolTipsTellTheVerificationsAndTheSignal()
    {
        QFETCH(QPoint, pos);
        QFETCH(QString, text);
        ShownView shown(smallResults());
        QCOMPARE(shown.view.toolTipAt(pos), text);
    }

    void helpEventShowsTheMarksToolTip()
    {
        ShownView shown(smallResults());
        const QPoint pos(345, 60);
        QHelpEvent help(QEvent::ToolTip, pos, shown.viewport()->mapToGlobal(pos));
        QApplication::sendEvent(shown.viewport(), &help);
        QTRY_COMPARE(QToolTip::text(), QStringLiteral("ciclo 3: TB.GO esperado 1, simulado 1"));
        QToolTip::hideText();
    }

    void clickingACycleEmitsIt_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("cycle");  // -1: nothing emitted
        QTest::newRow("first pixel of cycle 0") << QPoint(210, 60) << 0;
        QTest::newRow("last pixel of cycle 0") << QPoint(249, 60) << 0;
        QTest::newRow("first pixel of cycle 1") << QPoint(250, 60) << 1;
        QTest::newRow("cycle 5 on the ruler") << QPoint(430, 10) << 5;
        QTest::newRow("cycle 7 below the rows") << QPoint(500, 200) << 7;
        QTest::newRow("after the last cycle") << QPoint(530, 60) << -1;
        QTest::newRow("names") << QPoint(100, 60) << -1;
    }
    void clickingACycleEmitsIt()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, cycle);
        ShownView shown(smallResults());
        QSignalSpy clicked(&shown.view, &WaveformView::cycleClicked);
        QTest::mouseClick(shown.viewport(), Qt::LeftButton, Qt::NoModifier, pos);
        QCOMPARE(clicked.size(), cycle < 0 ? 0 : 1);
        if (cycle >= 0)
            QCOMPARE(clicked.at(0).at(0).toInt(), cycle);
    }

    // One notch of Ctrl+wheel zooms by 1.25 and keeps the cycle under the pointer there.
    void ctrlWheelZoomsAboutThePointer()
    {
        ShownView shown(bigResults());
        sendWheel(shown.viewport(), QPoint(330, 100), 120, Qt::ControlModifier);  // cycle 3's left edge
        QCOMPARE(shown.view.cycleWidth(), 50.0);
        QCOMPARE(shown.view.horizontalScrollBar()->value(), 3 * 50 - 120);
        QCOMPARE(shown.view.cycleX(3), 330);
        QCOMPARE(shown.view.cycleAt(329), 2);
        QCOMPARE(shown.view.cycleAt(330), 3);
        sendWheel(shown.viewport(), QPoint(330, 100), -120, Qt::ControlModifier);
        QCOMPARE(shown.view.cycleWidth(), 40.0);
        QCOMPARE(shown.view.horizontalScrollBar()->value(), 0);
        // The plain wheel scrolls the rows, and Shift+wheel the cycles.
        sendWheel(shown.viewport(), QPoint(330, 100), -120, Qt::NoModifier);
        QVERIFY(shown.view.verticalScrollBar()->value() > 0);
        sendWheel(shown.viewport(), QPoint(330, 100), -120, Qt::ShiftModifier);
        QVERIFY(shown.view.horizontalScrollBar()->value() > 0);
        // The zoom stays within its bounds.
        for (int i = 0; i < 40; ++i)
            sendWheel(shown.viewport(), QPoint(330, 100), 120, Qt::ControlModifier);
        QCOMPARE(shown.view.cycleWidth(), WaveformView::kMaxCycleWidth);
        for (int i = 0; i < 80; ++i)
            sendWheel(shown.viewport(), QPoint(330, 100), -120, Qt::ControlModifier);
        QCOMPARE(shown.view.cycleWidth(), WaveformView::kMinCycleWidth);
    }

    void fitShowsEveryCycle()
    {
        ShownView shown(bigResults(), QSize(800, 400));
        QVERIFY(shown.view.fitAction()->isEnabled());
        shown.view.horizontalScrollBar()->setValue(500);
        shown.view.fitAction()->trigger();
        const int waves = shown.viewport()->width() - WaveformView::kWaveLeft;
        QCOMPARE(shown.view.cycleWidth(), waves / 300.0);
        QCOMPARE(shown.view.horizontalScrollBar()->maximum(), 0);
        QCOMPARE(shown.view.cycleAt(WaveformView::kWaveLeft), 0);
        QCOMPARE(shown.view.cycleAt(WaveformView::kWaveLeft + waves - 1), 299);
        shown.view.clear();
        QVERIFY(!shown.view.fitAction()->isEnabled());
        QCOMPARE(shown.view.cycleAt(WaveformView::kWaveLeft), -1);
        shown.view.fit();  // nothing to fit: no harm
    }

    // Fit on a view out of sight waits until it is shown; a fitted view stays fitted
    // when it is resized, until the zoom changes.
    void fitWaitsUntilShownAndFollowsTheWidth()
    {
        WaveformView view;
        view.setPalette(palette(kBase, kText, kWindow));
        view.resize(800, 400);
        view.setResults(bigResults());
        view.fit();
        QCOMPARE(view.cycleWidth(), WaveformView::kDefaultCycleWidth);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto waves = [&] { return view.viewport()->width() - WaveformView::kWaveLeft; };
        QCOMPARE(view.cycleWidth(), waves() / 300.0);
        QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
        view.resize(700, 400);
        QTRY_COMPARE(view.cycleWidth(), waves() / 300.0);
        view.zoomBy(2, WaveformView::kWaveLeft);
        const double zoomed = view.cycleWidth();
        view.resize(900, 400);
        QTRY_COMPARE(view.width(), 900);
        QCOMPARE(view.cycleWidth(), zoomed);
    }

    // A verification's cell is brought into sight, both ways, with the cursor on it.
    void showVerificationBringsItsCellIntoSight()
    {
        ShownView shown(bigResults(), QSize(800, 300));
        // bigResults checks SIGNAL_120 at cycle 250 (250 = 130 + 120), and wrongly (250 % 5 == 0).
        QVERIFY(shown.view.showVerification(QStringLiteral("SIGNAL_120"), 250));
        QCOMPARE(shown.view.cursorCycle(), 250);
        QVERIFY(shown.view.cycleX(250) >= WaveformView::kWaveLeft);
        QVERIFY(shown.view.cycleX(251) <= shown.viewport()->width());
        QVERIFY(shown.view.rowY(120) >= WaveformView::kRulerHeight);
        QVERIFY(shown.view.rowY(120) + WaveformView::kRowHeight <= shown.viewport()->height());
        // By the name after an instance prefix, as the marks find it.
        QVERIFY(shown.view.showVerification(QStringLiteral("TB.SIGNAL_3"), 5));
        QCOMPARE(shown.view.cursorCycle(), 5);
        QVERIFY(shown.view.rowY(3) >= WaveformView::kRulerHeight);
        QVERIFY(!shown.view.showVerification(QStringLiteral("NOPE"), 5));
        QVERIFY(!shown.view.showVerification(QStringLiteral("SIGNAL_3"), 300));
        QCOMPARE(shown.view.cursorCycle(), 5);
    }

    // Scrolled down and across, the rows and cycles in sight are the ones painted.
    void scrollsBothWays()
    {
        ShownView shown(smallResults(), QSize(330, 100));  // room for about 3 cycles and 2 rows
        QVERIFY(shown.view.horizontalScrollBar()->maximum() > 0);
        QVERIFY(shown.view.verticalScrollBar()->maximum() > 0);
        shown.view.horizontalScrollBar()->setValue(120);  // cycle 3 at the left of the waves
        shown.view.verticalScrollBar()->setValue(26);     // GO at the top of the rows
        QCOMPARE(shown.view.cycleAt(210), 3);
        QCOMPARE(shown.view.rowAt(22), 1);
        QCOMPARE(shown.view.rowY(1), 22);
        const QImage image = shown.image();
        // GO is high in cycles 3 and 4 (x 210..289), low from cycle 5 (x 290..).
        QCOMPARE(QColor(pixelAt(image, 230, 27)), kText);
        QCOMPARE(QColor(pixelAt(image, 270, 27)), kText);
        QCOMPARE(QColor(pixelAt(image, 310, 41)), kText);
        QVERIFY(pixelAt(image, 310, 27) != rgb(kText));
        // The names scroll with the rows but not with the cycles: still in the window colour.
        QCOMPARE(QColor(pixelAt(image, 2, 30)), kWindow);
    }

    // Only the first input under the clock's name is drawn as a clock; a wire of that
    // name holding 10 in one bit is a value that does not fit.
    void onlyTheFirstInputUnderTheClocksNameIsTheClock()
    {
        RunResults r = smallResults();
        r.columns.prepend(column("CLK", 4, 1));
        r.columns.append(column("CLK", 1, 1));
        for (QVector<qint32> &row : r.rows) {
            row.prepend(10);
            row.append(10);
        }
        ShownView shown(r);
        QCOMPARE(shown.view.valuesAt(2), (QStringList{"x", "1", "0", "0", "5", "x"}));
        // The wire now takes row 0 (y 22..47): a band where the clock was drawn.
        QVERIFY(isBandPixel(shown.image(), 300, 30, shown.view.palette()));
        // The clock (row 1, y 48..73) is high in the first half of cycle 2.
        QCOMPARE(QColor(pixelAt(shown.image(), 300, 53)), kText);
    }

    // Nothing to show, odd tables and odd calls: no crash, nothing out of range.
    void oddResultsAreShownSafely()
    {
        RunResults r = smallResults();
        r.rows[4].resize(2);                // a short row: Q and S unknown there
        r.columns[1].width = 0;             // a width below 1 counts as 1
        r.columns.append(column("W", 4, 64)); // no values at all in any row
        ShownView shown(r);
        QCOMPARE(shown.view.valueText(2, 4), QStringLiteral("x"));
        QCOMPARE(shown.view.valueText(3, 4), QStringLiteral("-1"));
        QCOMPARE(shown.view.valueText(1, 3), QStringLiteral("1"));
        QCOMPARE(shown.view.valueText(4, 0), QStringLiteral("-1"));
        QCOMPARE(shown.view.valueText(9, 0), QString());
        QCOMPARE(shown.view.valueText(0, -1), QString());
        shown.view.setRadix(-1, WaveformView::Binary);
        shown.view.setCursorCycle(99);
        QCOMPARE(shown.view.cursorCycle(), -1);
        QVERIFY(!shown.image().isNull());
        shown.view.clear();
        QVERIFY(!shown.view.hasResults());
        QCOMPARE(QColor(pixelAt(shown.image(), 560, 10)), kBase);
        QCOMPARE(shown.view.toolTipAt(QPoint(300, 50)), QString());
    }

    // 300 cycles of 130 signals: every paint draws only what is in sight. The figures go
    // to the test's output; what is checked is that the far corner is reached and drawn.
    void bigResultsScrollAndZoom()
    {
        ShownView shown(bigResults(), QSize(1200, 800));
        QImage image(shown.viewport()->size(), QImage::Format_RGB32);
        // Wall-clock time, as a person waits for it, and the processor time spent, which
        // other work on a busy machine does not inflate.
        QStringList figures;
        auto renderTimes = [&](const char *what, const std::function<void(int)> &before) {
            QElapsedTimer timer;
            timer.start();
            const std::clock_t cpu = std::clock();
            for (int i = 0; i < 100; ++i) {
                before(i);
                shown.viewport()->render(&image);
            }
            figures << QStringLiteral("%1 %2 ms (cpu %3 ms)")
                           .arg(QLatin1String(what))
                           .arg(timer.nsecsElapsed() / 1e6, 0, 'f', 1)
                           .arg((std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC, 0, 'f', 1);
        };
        renderTimes("default zoom", [](int) {});
        QScrollBar *h = shown.view.horizontalScrollBar();
        QScrollBar *v = shown.view.verticalScrollBar();
        renderTimes("scrolling", [&](int i) {
            h->setValue(h->maximum() * i / 99);
            v->setValue(v->maximum() * i / 99);
        });
        QCOMPARE(shown.view.cycleAt(shown.viewport()->width() - 1), 299);
        QCOMPARE(shown.view.rowAt(shown.viewport()->height() - 1), 129);
        // SIGNAL_129 (1 bit) is (299 * 7 + 129) % 2 = 0 in cycle 299: low.
        const int top = shown.view.rowY(129);
        const int middle = (shown.view.cycleX(299) + shown.view.cycleX(300)) / 2;
        QCOMPARE(QColor(image.pixel(middle, top + WaveformView::kLowOffset)), kText);
        QVERIFY(image.pixel(middle, top + WaveformView::kHighOffset) != rgb(kText));
        renderTimes("zooming", [&](int i) {
            shown.view.zoomBy(i % 2 ? 1.25 : 0.8, 600);
        });
        shown.view.fit();
        renderTimes("fitted", [](int) {});
        qInfo("300 cycles x 130 signals, 1200x800 view, 100 paints each: %s", qPrintable(figures.join(", ")));
    }
};

ASMSIM_REGISTER_TEST(TestWaveformView)
#include "tst_waveformview.moc"
