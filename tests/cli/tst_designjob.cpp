// One design's job, the unit both the single-design and the many-designs runner are made
// of: its verdict on small designs worked out by hand (the same designs the window's
// verdict is tested on), and its output pane printed on a stream as the report file has it.

#include "cli/command.h"
#include "cli/designjob.h"
#include "cli/options.h"
#include "cli/summary.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

QString designPath(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo"));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDesignJob : public QObject {
    Q_OBJECT

private slots:
    // counter-enable runs cycles 0 to 8 and its seven checks hold; counter-wrong expects
    // 2 where Q is 1 in cycle 5; verdict-no-checks ends in its first pass with nothing
    // checked; verdict-error has a Ports box the presimulation does not take (one
    // error); two-boxes has no parent box, so no test bench, and the counter stays at 1;
    // verdict-connector records three errors worded "WARNING!".
    void verdictOfOneDesign_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<bool>("passed");
        QTest::addColumn<int>("cycles");
        QTest::addColumn<int>("errors");

        QTest::newRow("pass") << "counter-enable" << true << 8 << 0;
        QTest::newRow("wrong verification") << "counter-wrong" << false << 8 << 0;
        QTest::newRow("no verifications") << "verdict-no-checks" << true << 1 << 0;
        QTest::newRow("error") << "verdict-error" << false << 1 << 1;
        QTest::newRow("no test bench") << "two-boxes" << true << 1 << 0;
        QTest::newRow("error written as a warning") << "verdict-connector" << false << 1 << 3;
    }
    void verdictOfOneDesign()
    {
        QFETCH(QString, design);
        QFETCH(bool, passed);
        QFETCH(int, cycles);
        QFETCH(int, errors);

        QTemporaryDir dir;
        const DesignOutcome outcome = runDesignJob({designPath(design), dir.filePath(QStringLiteral("job.txt")), {}});
        QVERIFY(outcome.ran());
        QCOMPARE(outcome.passed(), passed);
        QCOMPARE(outcome.cycles, cycles);
        QCOMPARE(outcome.errors, errors);
        QVERIFY(designSummaryLine(design, 20, outcome).contains(passed ? QStringLiteral(" PASS ") : QStringLiteral(" FAIL ")));

        // The single-design command gives the exit code of the same rule.
        const QString out = dir.filePath(QStringLiteral("one.txt"));
        const int exitCode = runBatch({QStringLiteral("--quiet"), QStringLiteral("--out"), out, designPath(design)},
                                      stdout, stderr);
        QCOMPARE(exitCode, passed ? int(ExitClean) : int(ExitFindings));
    }

    // With a stream, the job prints its output pane there line by line: the lines of the
    // design's hand-written report, but for the simulation table, which the file pads
    // (two tabs after each short value) and the pane does not (one tab).
    void outputPaneGoesToTheStream()
    {
        QTemporaryDir dir;
        const QString printed = dir.filePath(QStringLiteral("printed.txt"));
        FILE *stream = fopen(QFile::encodeName(printed).constData(), "w");
        QVERIFY(stream);
        DesignJob job{designPath(QStringLiteral("counter-enable")), dir.filePath(QStringLiteral("out.txt")), {}};
        job.out = stream;
        const DesignOutcome outcome = runDesignJob(job);
        fclose(stream);
        QVERIFY(outcome.passed());
        const QByteArray expected = readAll(QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(QStringLiteral("counter-enable.out")));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(readAll(job.outputPath), expected);

        const QList<QByteArray> fileLines = expected.split('\n');
        const QList<QByteArray> paneLines = readAll(printed).split('\n');
        QCOMPARE(paneLines.size(), fileLines.size());
        int tableLines = 0;
        for (qsizetype i = 0; i < fileLines.size(); ++i) {
            if (paneLines.at(i) == fileLines.at(i))
                continue;
            QByteArray padded = paneLines.at(i);
            QCOMPARE(padded.replace('\t', "\t\t"), fileLines.at(i));
            ++tableLines;
        }
        QCOMPARE(tableLines, 4);  // the heading, CLK, EN and Q
    }

    // A design that cannot be read is not run, and says why.
    void unreadableDesignIsNotRun()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing.vdo"));
        DesignJob job{missing, dir.filePath(QStringLiteral("out.txt")), {}};
        job.keepResults = true;
        const DesignOutcome outcome = runDesignJob(job);
        QVERIFY(!outcome.ran());
        QVERIFY(outcome.failure.startsWith(QStringLiteral("cannot read ") + missing));
        QVERIFY(!QFile::exists(job.outputPath));
        QVERIFY(outcome.results);
        QCOMPARE(outcome.results->errorCount(), 1);
    }
};

ASMSIM_REGISTER_TEST(TestDesignJob)
#include "tst_designjob.moc"
