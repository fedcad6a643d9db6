// Runs whose process pane nobody reads build no trace, yet must end exactly as traced
// runs do: the same output file, the same messages, the same cycles. The cycle log's
// length decides where a run stops, so an untraced run counts it to the character.

#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "sim/cyclelogtext.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

namespace {

// A sink whose process pane goes nowhere, like the batch runner's without --process.
class NoProcessSink : public MemorySink {
public:
    bool showsProcessPane() const override { return false; }
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read ") + path.toUtf8() + '>';
}

struct Outcome {
    QByteArray outputFile;
    QStringList output;
    QStringList process;
    QStringList errors;
    QStringList warnings;
    qint32 cycles = 0;
    QVector<QVector<qint32>> table;
};

Outcome runOnce(const QString &design, bool traced, qint64 cycleLogRoom = 0)
{
    static QTemporaryDir dir;
    MemorySink tracedSink;
    NoProcessSink untracedSink;
    MemorySink *sink = traced ? &tracedSink : &untracedSink;
    SimState state(sink);
    if (cycleLogRoom > 0)
        state.simulation.maxCycleLogLength = cycleLogRoom;
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, design);
    return {readFile(dir.filePath(QStringLiteral("out.txt"))), sink->output, sink->process, state.log.errorList,
            state.log.warningList, state.signalTable.simCycle, state.simulation.simulationTable};
}

void compareOutcomes(const Outcome &traced, const Outcome &untraced)
{
    QCOMPARE(untraced.errors, traced.errors);
    QCOMPARE(untraced.warnings, traced.warnings);
    QCOMPARE(untraced.cycles, traced.cycles);
    QCOMPARE(untraced.table, traced.table);
    QCOMPARE(untraced.output, traced.output);
    QCOMPARE(untraced.outputFile, traced.outputFile);
}

QByteArray box(int id, const char *type, const QByteArray &keys)
{
    return "Box {\n  Id = " + QByteArray::number(id) + ";\n  Type = " + type + ";\n" + keys + "}\n";
}

QByteArray key(const char *name, const QByteArray &value)
{
    return QByteArray("  ") + name + " = " + value + ";\n";
}

QByteArray text(const char *name, const QByteArray &value)
{
    return key(name, '"' + value + '"');
}

// A counter whose test bench lines hold a lower-case "ß", which the log shows upper-cased
// as "SS": one character more in the log than in the design.
QByteArray sharpSDesign()
{
    return box(1, "Header", text("Text", "CONTADOR") + key("Next", "2"))
           + box(2, "Ports", text("Text", "INPUT A%CR%OUTPUT Q") + key("Next", "3"))
           + box(3, "State", text("Text", "S") + key("Next", "4"))
           + box(4, "SyncOps", text("Text", "Q <= Q + A; // straße") + key("Next", "5"))
           + box(5, "State", text("Text", "S") + key("Next", "0"))
           + box(20, "Header", text("Text", "BANCO") + key("Next", "21"))
           + box(21, "StateAsyncOps",
                 text("TextUp", "<6>") + text("TextDown", "tb.a <= 1 // groß%CR%=> tb.q == 2 // maß") + key("Next", "22"))
           + box(22, "MetaState", text("Text", "end simulation") + key("Next", "0") + key("Next0", "0"));
}

} // namespace

class TestUntracedRuns : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeDesign(const QByteArray &design)
    {
        const QString path = m_dir.filePath(QStringLiteral("design.vdo"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(design);
        return path;
    }

private slots:
    void everyDesignEndsAsItsTracedRun_data()
    {
        QTest::addColumn<QString>("design");
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        for (const QString &name : data.entryList({QStringLiteral("*.vdo")}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << data.filePath(name);
        const QDir examples(QStringLiteral(ASMSIM_TEST_DATA "/../../examples"));
        for (const QString &name : examples.entryList({QStringLiteral("*.vdo")}, QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(QStringLiteral("examples/") + name)) << examples.filePath(name);
    }

    void everyDesignEndsAsItsTracedRun()
    {
        QFETCH(QString, design);
        const Outcome traced = runOnce(design, true);
        const Outcome untraced = runOnce(design, false);
        compareOutcomes(traced, untraced);
        // Nothing of the trace is built, so nothing reaches the process pane.
        QVERIFY(untraced.process.isEmpty());
        QVERIFY(!traced.process.isEmpty());
    }

    // Rooms of the cycle log from nothing to past the whole log, seven characters apart:
    // wherever the room runs out, in the middle of any entry, the untraced run stops
    // where the traced run does. The design's "ß" is logged as "SS", so a count of the
    // design's own characters would be one short from its first entry on, and some of
    // the rooms would fall in that gap.
    void aLoweredCycleLogRoomStopsBothRunsAlike()
    {
        // The whole cycle log of the design is some 7600 characters.
        constexpr qint64 kRooms = 8000;
        const QString design = writeDesign(sharpSDesign());
        qint64 stopped = 0, tried = 0;
        for (qint64 room = 1; room <= kRooms; room += 7) {
            const Outcome traced = runOnce(design, true, room);
            const Outcome untraced = runOnce(design, false, room);
            compareOutcomes(traced, untraced);
            if (QTest::currentTestFailed()) {
                qWarning("room %lld", static_cast<long long>(room));
                return;
            }
            ++tried;
            if (!traced.errors.isEmpty())
                ++stopped;
        }
        // The rooms cover runs stopped in every cycle and runs that end on their own.
        QVERIFY(stopped > 100);
        QVERIFY(stopped < tried);
    }

    // The length a piece adds is the length its text would have.
    void piecesCountAsTheirText_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("zero") << qint64(0) << "0";
        QTest::newRow("nine") << qint64(9) << "9";
        QTest::newRow("ten") << qint64(10) << "10";
        QTest::newRow("minus one") << qint64(-1) << "-1";
        QTest::newRow("minus ten") << qint64(-10) << "-10";
        QTest::newRow("largest") << qint64(2147483647) << "2147483647";
        QTest::newRow("smallest") << qint64(-2147483648LL) << "-2147483648";
        QTest::newRow("smallest of 64 bits") << qint64(std::numeric_limits<qint64>::min()) << "-9223372036854775808";
    }

    void piecesCountAsTheirText()
    {
        QFETCH(qint64, value);
        QFETCH(QString, written);
        QCOMPARE(decimalLength(value), written.size());
        QString appended;
        appendPiece(appended, Decimal{value});
        QCOMPARE(appended, written);
    }
};

ASMSIM_REGISTER_TEST(TestUntracedRuns)
#include "tst_untracedruns.moc"
