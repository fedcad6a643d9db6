// Every design kept in the whole-run fuzz corpus (fuzz/corpus/run) runs to its end as the
// window runs it: the output closes with the warnings-and-errors summary, whose two counts
// match the messages it lists; the trace closes with the cycle count; and the trace stays
// within its room. Run again as the batch runner runs it, with no trace, it reports the
// same output, line for line and byte for byte. Under the sanitizer build this replays
// every kept design with AddressSanitizer and UBSan watching.

#include "core/limits.h"
#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kCorpus = QStringLiteral(ASMSIM_TEST_DATA "/../../fuzz/corpus/run");
const QString kSummaryHeading = QStringLiteral("\n//-------------- WARNINGS Y ERRORES --------------//");

// The number after a fixed start, or -1 when the text is not the start and a number.
int countAfter(const QString &text, const QString &start)
{
    if (!text.startsWith(start))
        return -1;
    bool ok = false;
    const int count = text.mid(start.size()).toInt(&ok);
    return ok ? count : -1;
}

// A sink whose process pane nobody reads, as the batch runner's without --process.
class UntracedSink : public MemorySink {
public:
    bool showsProcessPane() const override { return false; }
};

// Runs a design into a sink and returns the output file it wrote.
QByteArray runInto(MemorySink &sink, const QString &design)
{
    QTemporaryDir dir;
    SimState state(&sink);
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, design);
    QFile written(state.log.outputFile.fileName());
    return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray();
}

} // namespace

class TestFuzzCorpus : public QObject {
    Q_OBJECT

private slots:
    // An empty or moved corpus would leave the replay below without a row.
    void corpusHoldsDesigns()
    {
        const QDir corpus(kCorpus);
        QVERIFY2(corpus.entryList(QDir::Files).size() >= 10,
                 qPrintable(QStringLiteral("too few kept designs in ") + corpus.absolutePath()));
    }

    void keptDesignEndsWithinBounds_data()
    {
        QTest::addColumn<QString>("design");
        const QDir corpus(kCorpus);
        for (const QString &name : corpus.entryList(QDir::Files, QDir::Name))
            QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }

    void keptDesignEndsWithinBounds()
    {
        QFETCH(QString, design);
        MemorySink sink;
        const QByteArray written = runInto(sink, design);
        QVERIFY(!written.isEmpty());

        // Output: ... heading, W warnings, E errors, "Numero de Warnings: W", "Numero de Errores: E".
        const QStringList &output = sink.output;
        QVERIFY(output.size() >= 3);
        const int warnings = countAfter(output.at(output.size() - 2), QStringLiteral("Numero de Warnings: "));
        const int errors = countAfter(output.last(), QStringLiteral("Numero de Errores: "));
        QVERIFY2(warnings >= 0 && errors >= 0, qPrintable(output.mid(output.size() - 2).join(QLatin1Char('|'))));
        const qsizetype heading = output.size() - 3 - warnings - errors;
        QVERIFY(heading >= 0);
        QCOMPARE(output.at(heading), kSummaryHeading);

        // Trace: the cycle count closes it, followed at most by the note on lines left out.
        const QStringList &process = sink.process;
        const QRegularExpression cycles(QStringLiteral("^\nNumero de ciclos de simulacion: \\d+$"));
        const bool noteFollows = process.size() >= 2
            && process.last().startsWith(QStringLiteral("\n//Traza demasiado larga: "));
        QVERIFY(!process.isEmpty());
        QVERIFY2(cycles.match(process.at(process.size() - (noteFollows ? 2 : 1))).hasMatch(),
                 qPrintable(process.last().left(200)));

        // The room of the trace and of the cycle log, and a line's worth over each.
        qint64 characters = 0;
        for (const QString &item : process)
            characters += item.size();
        QVERIFY2(characters <= kMaxTraceLength + kMaxCycleLogLength + 2 * 1000 * 1000,
                 qPrintable(QString::number(characters)));

        UntracedSink untraced;
        QCOMPARE(runInto(untraced, design), written);
        QCOMPARE(untraced.output, sink.output);
        QVERIFY(untraced.process.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
