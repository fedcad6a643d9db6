// The gathering of a cycle's path: however many walks repeat a box or a link, the cycle
// keeps each once, sorted; a closed cycle leaves nothing behind for the next one.

#include "core/limits.h"
#include "sim/walkpath.h"
#include "testmain.h"

#include <QTest>

class TestWalkPath : public QObject {
    Q_OBJECT

private slots:
    // 500 walks round 3 -> 5 -> 3 in one cycle (far past the room a list is compacted
    // at, 2 boxes give 68), then a cycle with no walk.
    void repeatedWalksKeepEachBoxAndLinkOnce()
    {
        PathRecorder recorder;
        recorder.start(2, 2);
        for (int walk = 0; walk < 500; ++walk) {
            recorder.addBox(0, 3);
            recorder.addStep(0, 3, 5, PathLinkKind::Next1);
            recorder.addStep(0, 5, 3, PathLinkKind::Next);
        }
        recorder.addBox(1, 7);
        recorder.closeCycle(0, {BoxRef{3, 13}, BoxRef{7, 22}});
        recorder.closeCycle(1, {BoxRef{5, 15}});

        QCOMPARE(recorder.cycles().size(), 2);
        const CyclePath &first = recorder.cycles().at(0);
        QCOMPARE(first.diagrams.size(), 2);
        QCOMPARE(first.diagrams.at(0).state, (BoxRef{3, 13}));
        QCOMPARE(first.diagrams.at(0).boxes, (QVector<qint32>{3, 5}));
        const QVector<PathLink> links{{3, 5, PathLinkKind::Next1}, {5, 3, PathLinkKind::Next}};
        QVERIFY(first.diagrams.at(0).links == links);
        QCOMPARE(first.diagrams.at(1).boxes, (QVector<qint32>{7}));
        QVERIFY(!first.cut);

        const CyclePath &second = recorder.cycles().at(1);
        QCOMPARE(second.diagrams.at(0).state, (BoxRef{5, 15}));
        QVERIFY(second.diagrams.at(0).boxes.isEmpty());
        QVERIFY(second.diagrams.at(0).links.isEmpty());
        // A column with no state given has none.
        QVERIFY(!second.diagrams.at(1).state.isValid());
    }

    // Walks inside a design of 20 boxes (where a cycle's entries are read box by box)
    // and of 200 (where they are few and sorted); either way the sets come out alike.
    void eachCycleKeepsItsOwnSortedSets_data()
    {
        QTest::addColumn<int>("boxCount");
        QTest::newRow("entries dense among the boxes") << 20;
        QTest::newRow("entries sparse among the boxes") << 200;
    }

    void eachCycleKeepsItsOwnSortedSets()
    {
        QFETCH(int, boxCount);
        PathRecorder recorder;
        recorder.start(1, boxCount);
        // Cycle 0: round 9 -> 4 -> 9 and 9 -> 2 -> 9 three times, and a jump from 4 to 1.
        recorder.addBox(0, 9);
        for (int walk = 0; walk < 3; ++walk) {
            recorder.addStep(0, 9, 4, PathLinkKind::Next0);
            recorder.addStep(0, 4, 9, PathLinkKind::Next);
            recorder.addStep(0, 9, 2, PathLinkKind::Next1);
            recorder.addStep(0, 2, 9, PathLinkKind::Next);
        }
        recorder.addStep(0, 4, 1, PathLinkKind::ConnectorJump);
        recorder.closeCycle(0, {});
        // Cycle 1: only 4 -> 9; nothing of cycle 0 carries over.
        recorder.addBox(0, 4);
        recorder.addStep(0, 4, 9, PathLinkKind::Next);
        recorder.closeCycle(1, {});
        // Cycle 2: one box's Next leads to two boxes (its links changed between walks).
        recorder.addStep(0, 6, 7, PathLinkKind::Next);
        recorder.addStep(0, 6, 8, PathLinkKind::Next);
        recorder.addStep(0, 6, 7, PathLinkKind::Next);
        recorder.closeCycle(2, {});
        // Cycle 3: back to one target.
        recorder.addStep(0, 6, 7, PathLinkKind::Next);
        recorder.closeCycle(3, {});

        QCOMPARE(recorder.cycles().size(), 4);
        const auto diagram = [&](int cycle) { return recorder.cycles().at(cycle).diagrams.at(0); };
        QCOMPARE(diagram(0).boxes, (QVector<qint32>{1, 2, 4, 9}));
        // Sorted by the box left, then the box reached, then the kind of link.
        const QVector<PathLink> cycle0{{2, 9, PathLinkKind::Next},
                                       {4, 1, PathLinkKind::ConnectorJump},
                                       {4, 9, PathLinkKind::Next},
                                       {9, 2, PathLinkKind::Next1},
                                       {9, 4, PathLinkKind::Next0}};
        QVERIFY(diagram(0).links == cycle0);
        QCOMPARE(diagram(1).boxes, (QVector<qint32>{4, 9}));
        QVERIFY(diagram(1).links == (QVector<PathLink>{{4, 9, PathLinkKind::Next}}));
        QCOMPARE(diagram(2).boxes, (QVector<qint32>{7, 8}));
        QVERIFY(diagram(2).links == (QVector<PathLink>{{6, 7, PathLinkKind::Next}, {6, 8, PathLinkKind::Next}}));
        QCOMPARE(diagram(3).boxes, (QVector<qint32>{7}));
        QVERIFY(diagram(3).links == (QVector<PathLink>{{6, 7, PathLinkKind::Next}}));
    }

    // A column the run does not have and a cycle past the table are not recorded.
    void outsideTheRunNothingIsKept()
    {
        PathRecorder recorder;
        recorder.start(1, 4);
        recorder.addBox(1, 2);
        recorder.addStep(-1, 0, 2, PathLinkKind::Next);
        recorder.closeCycle(0, {});
        recorder.closeCycle(kSimulationRows, {});
        QCOMPARE(recorder.cycles().size(), 1);
        QCOMPARE(recorder.cycles().at(0).diagrams.size(), 1);
        QVERIFY(recorder.cycles().at(0).diagrams.at(0).boxes.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestWalkPath)
#include "tst_walkpath.moc"
