// The room of the process trace outside the cycle log, over a whole run: the lines that
// fit are shown as they are, the cycle log is shown whole, the lines past the room are
// counted in one closing note, and the output file and the jumps to each cycle's heading
// are those of the run whose trace fits.

#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kDesign = QStringLiteral(ASMSIM_TEST_DATA "/presim-events.vdo");
const QString kExpectedOutput = QStringLiteral(ASMSIM_TEST_DATA "/presim-events.out");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read ") + path.toUtf8() + '>';
}

struct Traced {
    QStringList process;
    QByteArray output;
    QVector<int> headingRows;  // per cycle, the row of the process pane with its heading
    qsizetype cycleLogItems = 0;
};

Traced run(qint64 room)
{
    QTemporaryDir dir;
    MemorySink sink;
    SimState state(&sink);
    state.log.traceRoom = room;
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    const RunResults results = runSimulation(state, kDesign);
    return {sink.process, readFile(dir.filePath(QStringLiteral("out.txt"))), results.cycleProcessRows,
            state.simulation.loop.cycleLog.size()};
}

// The rows of the pane: its items split at their line feeds.
QStringList paneRows(const QStringList &items)
{
    return items.join(QLatin1Char('\n')).split(QLatin1Char('\n'));
}

} // namespace

class TestTraceRoom : public QObject {
    Q_OBJECT

    Traced m_whole;
    // Index of the first item of the cycle log in the whole trace.
    qsizetype m_cycleLogStart = -1;
    // The items the room applies to: all but the three opening lines, the cycle log and
    // the closing cycle count.
    QVector<qsizetype> m_roomed;

    // The trace expected with a room: the opening lines, the cycle log and the count
    // whole, the roomed items while they fit, and the note counting the others.
    QStringList expectedWithRoom(qint64 room) const
    {
        QStringList items;
        qint64 used = 0;
        qsizetype leftOut = 0;
        for (qsizetype i = 0; i < m_whole.process.size(); ++i) {
            const QString &item = m_whole.process.at(i);
            if (!m_roomed.contains(i)) {
                items << item;
                continue;
            }
            if (leftOut == 0 && used + item.size() <= room) {
                used += item.size();
                items << item;
            } else {
                ++leftOut;
            }
        }
        if (leftOut > 0)
            items << QStringLiteral("\n//Traza demasiado larga: %1 lineas mas no se muestran").arg(leftOut);
        return items;
    }

    qint64 roomOfFirst(qsizetype count) const
    {
        qint64 total = 0;
        for (qsizetype k = 0; k < count; ++k)
            total += m_whole.process.at(m_roomed.at(k)).size();
        return total;
    }

private slots:
    void initTestCase()
    {
        m_whole = run(kMaxTraceLength);
        QCOMPARE(m_whole.output, readFile(kExpectedOutput));
        m_cycleLogStart = m_whole.process.indexOf(QStringLiteral("\n//------------CICLOS DE SIMULACION---------------//"));
        QVERIFY(m_cycleLogStart > 3);
        QVERIFY(m_whole.cycleLogItems > 1);
        for (qsizetype i = 3; i < m_whole.process.size() - 1; ++i)
            if (i < m_cycleLogStart || i >= m_cycleLogStart + m_whole.cycleLogItems)
                m_roomed << i;
        // Roomed lines come after the cycle log too (the verification check's).
        QVERIFY(m_roomed.last() > m_cycleLogStart);
    }

    void linesPastTheRoomAreCountedAndLeftOut_data()
    {
        QTest::addColumn<int>("fitting");  // roomed items that fit; -1 for all
        QTest::addColumn<int>("slack");    // characters of room beyond them
        QTest::newRow("no room") << 0 << 0;
        QTest::newRow("ten lines exactly") << 10 << 0;
        QTest::newRow("one character short of eleven") << 10 << -1;
        QTest::newRow("all but the last") << -2 << 0;
        QTest::newRow("all of them exactly") << -1 << 0;
    }

    void linesPastTheRoomAreCountedAndLeftOut()
    {
        QFETCH(int, fitting);
        QFETCH(int, slack);
        const qsizetype count = fitting >= 0 ? fitting : m_roomed.size() + 1 + fitting;
        qint64 room = roomOfFirst(count) + slack;
        // One short of eleven lines: ten fit with room to spare, the eleventh does not.
        if (slack < 0)
            room = roomOfFirst(count + 1) - 1;
        const Traced trimmed = run(room);
        const QStringList expected = expectedWithRoom(room);
        QCOMPARE(trimmed.process, expected);
        QCOMPARE(trimmed.output, m_whole.output);
        QCOMPARE(trimmed.process.last().startsWith(QStringLiteral("\n//Traza demasiado larga")), fitting != -1);

        // Every cycle's jump lands on its heading in the trimmed pane.
        const QStringList rows = paneRows(trimmed.process);
        QCOMPARE(trimmed.headingRows.size(), m_whole.headingRows.size());
        int headings = 0;
        for (int cycle = 0; cycle < trimmed.headingRows.size(); ++cycle) {
            const int row = trimmed.headingRows.at(cycle);
            if (row < 0)
                continue;
            ++headings;
            QCOMPARE(rows.value(row), QStringLiteral("CICLO SE SIMULACION NUEVO: %1").arg(cycle));
        }
        QVERIFY(headings > 0);
    }
};

ASMSIM_REGISTER_TEST(TestTraceRoom)
#include "tst_traceroom.moc"
