// Each cycle's path in the results of a whole run: every diagram's state after the
// cycle, the boxes and links its walks took (once each, however many walks), and the
// test-bench box of each verification. The walks are worked out by hand from the
// designs in tests/data; a box is written as position/ID.

#include "core/panesink.h"
#include "run/collectresults.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

RunResults runDesign(const QString &name)
{
    QTemporaryDir dir;
    MemorySink sink;
    SimState state(&sink);
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo")));
    return collectRunResults(state);
}

QString boxText(const BoxRef &box)
{
    return box.isValid() ? QStringLiteral("%1/%2").arg(box.it).arg(box.id) : QStringLiteral("none");
}

// "state 3/13 | 3 4 | 3>4 4>3:0": the state after the cycle, the boxes, the links (":0"
// and ":1" for a decision's exits, ":c" for a connector's jump).
QString pathText(const DiagramPath &d)
{
    static const char *const kinds[] = {"", ":0", ":1", ":c"};
    QStringList boxes, links;
    for (qint32 pos : d.boxes)
        boxes << QString::number(pos);
    for (const PathLink &link : d.links)
        links << QStringLiteral("%1>%2%3").arg(link.from).arg(link.to).arg(QLatin1String(kinds[int(link.kind)]));
    return QStringLiteral("state %1 | %2 | %3").arg(boxText(d.state), boxes.join(QLatin1Char(' ')), links.join(QLatin1Char(' ')));
}

// One column's path in every cycle of the run.
QStringList columnPaths(const RunResults &r, int column)
{
    QStringList texts;
    for (const CyclePath &cycle : r.paths)
        texts << (cycle.cut ? QStringLiteral("cut ") : QString()) + pathText(cycle.diagrams.value(column));
    return texts;
}

} // namespace

class TestCyclePaths : public QObject {
    Q_OBJECT

private slots:
    // A decision «X == 1» at state A (3/13): X = 0 goes straight back to A by Next0; X = 1
    // goes by Next1 to B (5/15), whose SyncOps (6) ends at the connector A (7), which
    // jumps to A. The test bench's four states (10 to 13) last 1, 1, 2 cycles and the end.
    void aDecisionTakenBothWaysAndAConnectorJump()
    {
        const RunResults r = runDesign(QStringLiteral("path-decision"));
        QCOMPARE(r.lastCycle(), 5);
        QCOMPARE(r.paths.size(), 6);
        for (const CyclePath &cycle : r.paths)
            QCOMPARE(cycle.diagrams.size(), 2);

        const QStringList design{
            QStringLiteral("state 3/13 |  | "),                    // cycle 0: before any walk
            QStringLiteral("state 3/13 | 3 4 | 3>4 4>3:0"),       // X = 0: stays in A
            QStringLiteral("state 5/15 | 3 4 5 | 3>4 4>5:1"),     // X = 1: on to B
            QStringLiteral("state 3/13 | 3 5 6 7 | 5>6 6>7 7>3:c"),  // B back to A
            QStringLiteral("state 3/13 | 3 4 | 3>4 4>3:0"),       // X = 0 again
            QStringLiteral("state 3/13 |  | "),                    // the end: no walk
        };
        QCOMPARE(columnPaths(r, 0), design);

        // The state after a cycle is the one the next cycle's step runs; once ended, the
        // end state stays.
        const QStringList testBench{
            QStringLiteral("state 10/22 |  | "),
            QStringLiteral("state 11/23 | 10 | "),
            QStringLiteral("state 12/24 | 11 | "),
            QStringLiteral("state 12/24 | 12 | "),
            QStringLiteral("state 13/25 | 12 | "),
            QStringLiteral("state 13/25 | 13 | "),
        };
        QCOMPARE(columnPaths(r, 1), testBench);
    }

    // Each verification names the state box whose line registered it: «=> TB.Y == 0»
    // of 10/22 at cycle 1, «=> @2 TB.Y == 1» of 12/24 entered at cycle 3, for cycle 4.
    void eachVerificationKeepsItsTestBenchBox()
    {
        const RunResults r = runDesign(QStringLiteral("path-decision"));
        QCOMPARE(r.verifications.size(), 2);
        QCOMPARE(r.verifications.at(0).cycle, 1);
        QCOMPARE(r.verifications.at(0).expected, 0);
        QCOMPARE(boxText(r.verifications.at(0).box), QStringLiteral("10/22"));
        QCOMPARE(r.verifications.at(1).cycle, 4);
        QCOMPARE(r.verifications.at(1).expected, 1);
        QCOMPARE(boxText(r.verifications.at(1).box), QStringLiteral("12/24"));
    }

    // Cycle 1: Y starts without a value (-1), so «Y == 1» takes Next0 to the AsyncOps
    // (5) that sets Y to 1 at once; the walk ends at the connector S (7), jumping to S
    // (3). Y changed, so the cycle walks again: now Next1, past 5. The cycle's path is
    // the union of both walks. Cycle 2 walks once, by Next1.
    void aSettlingCycleKeepsTheUnionOfItsWalks()
    {
        const RunResults r = runDesign(QStringLiteral("path-settle"));
        QCOMPARE(r.lastCycle(), 3);
        const QStringList design{
            QStringLiteral("state 3/13 |  | "),
            QStringLiteral("state 3/13 | 3 4 5 6 7 | 3>4 4>5:0 4>6:1 5>6 6>7 7>3:c"),
            QStringLiteral("state 3/13 | 3 4 6 7 | 3>4 4>6:1 6>7 7>3:c"),
            QStringLiteral("state 3/13 |  | "),
        };
        QCOMPARE(columnPaths(r, 0), design);
        const QStringList testBench{
            QStringLiteral("state 10/22 |  | "),
            QStringLiteral("state 10/22 | 10 | "),
            QStringLiteral("state 11/23 | 10 | "),
            QStringLiteral("state 11/23 | 11 | "),
        };
        QCOMPARE(columnPaths(r, 1), testBench);
    }

    // Without a test bench the cycle loop does not run: no cycle has a path.
    void noPathsWhenTheLoopDoesNotRun()
    {
        const RunResults r = runDesign(QStringLiteral("verdict-connector"));
        QVERIFY(r.cycleLoopSkipped);
        QVERIFY(r.paths.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestCyclePaths)
#include "tst_cyclepaths.moc"
