// The many-designs runner: whole runs on several threads at once, each compared byte for
// byte with its hand-written report, and the summary lines. This file also makes the
// ThreadSanitizer build's test program (make tsan): two runs must share nothing.

#include "cli/options.h"
#include "cli/manydesigns.h"
#include "cli/outputfiles.h"
#include "cli/summary.h"
#include "results/junitexport.h"
#include "results/runresults.h"
#include "results/vcdexport.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read ") + path.toUtf8() + '>';
}

// The figures a hand-written report states: the last cycle heading of the simulation
// table, the verification totals and the warning and error counts.
DesignOutcome figuresOfReport(const QByteArray &report)
{
    const QString text = QString::fromUtf8(report);
    const auto number = [&text](const QString &pattern) {
        const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    };
    DesignOutcome figures;
    const QString table = text.section(QStringLiteral("//-------------------------SIMULACION----------------------//\n"), 1);
    const QString headings = table.section(QLatin1Char('\n'), 0, 0);
    figures.cycles = headings.section(QLatin1Char('['), -1).section(QLatin1Char(']'), 0, 0).toInt();
    figures.correct = number(QStringLiteral("\nVerificaciones correctas: (\\d+)\n"));
    figures.wrong = number(QStringLiteral("\nVerificaciones erroneas: (\\d+)\n"));
    figures.warnings = number(QStringLiteral("\nNumero de Warnings: (\\d+)\n"));
    figures.errors = number(QStringLiteral("\nNumero de Errores: (\\d+)\n"));
    return figures;
}

// The VCD with its $date section emptied: the one part that differs between two writes.
QByteArray withoutDate(QByteArray vcd)
{
    const qsizetype end = vcd.indexOf("$end\n");
    return vcd.startsWith("$date\n") && end > 0 ? vcd.remove(6, end - 6) : vcd;
}

// What a run's results show of it: its VCD at a fixed date and its JUnit XML.
QByteArray resultsText(const RunResults *results)
{
    if (!results)
        return "<no results>";
    return vcdText(*results, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5))) + junitXml({JUnitSuite{results, 0}});
}

QStringList wholeRunDesigns()
{
    QStringList names;
    const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
    for (const QString &out : data.entryList({QStringLiteral("*.out")}, QDir::Files, QDir::Name))
        names << out.chopped(4);
    return names;
}

QByteArray readStream(FILE *stream)
{
    QByteArray bytes;
    rewind(stream);
    char buffer[4096];
    for (size_t n = fread(buffer, 1, sizeof buffer, stream); n > 0; n = fread(buffer, 1, sizeof buffer, stream))
        bytes.append(buffer, qsizetype(n));
    return bytes;
}

} // namespace

class TestMultiRunner : public QObject {
    Q_OBJECT

private slots:
    // Every whole-run design four times over on four threads: each output file and
    // process trace is the hand-written one, each outcome is its own design's, and its
    // results and VCD are those of the same design run alone.
    void concurrentRunsMatchTheHandWrittenReports()
    {
        const QStringList names = wholeRunDesigns();
        QVERIFY(names.size() >= 4);
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        QTemporaryDir dir;
        QHash<QString, QByteArray> alone;
        for (const QString &name : names) {
            const DesignOutcome outcome = runDesignJob(
                {data.filePath(name + ".vdo"), dir.filePath(name + ".txt"), QString(), QString(), true});
            alone.insert(name, resultsText(outcome.results.get()));
        }
        QVector<DesignJob> jobs;
        QStringList expectedNames;
        constexpr int copies = 4;
        for (int copy = 0; copy < copies; ++copy) {
            for (const QString &name : names) {
                const QString tag = QStringLiteral("%1-%2").arg(name).arg(copy);
                jobs << DesignJob{data.filePath(name + ".vdo"), dir.filePath(tag + ".txt"), dir.filePath(tag + ".process"),
                                  dir.filePath(tag + ".vcd"), true};
                expectedNames << name;
            }
        }

        QVector<int> finishedOnce(jobs.size(), 0);
        const QVector<DesignOutcome> outcomes =
            runDesignJobs(jobs, 4, [&finishedOnce](int index, const DesignOutcome &) { ++finishedOnce[index]; });

        QCOMPARE(outcomes.size(), jobs.size());
        QCOMPARE(finishedOnce, QVector<int>(jobs.size(), 1));
        for (int i = 0; i < jobs.size(); ++i) {
            const QString &name = expectedNames.at(i);
            const QByteArray expected = readFile(data.filePath(name + ".out"));
            QCOMPARE(readFile(jobs.at(i).outputPath), expected);
            const QString processFile = data.filePath(name + ".process");
            if (QFile::exists(processFile))
                QCOMPARE(readFile(jobs.at(i).processPath),
                         readFile(processFile).replace("@DESIGN@", jobs.at(i).designPath.toUtf8()));
            const DesignOutcome figures = figuresOfReport(expected);
            const DesignOutcome &outcome = outcomes.at(i);
            QVERIFY2(outcome.ran(), qPrintable(outcome.failure));
            QCOMPARE(outcome.cycles, figures.cycles);
            QCOMPARE(outcome.correct, figures.correct);
            QCOMPARE(outcome.wrong, figures.wrong);
            QCOMPARE(outcome.errors, figures.errors);
            QCOMPARE(outcome.warnings, figures.warnings);
            QCOMPARE(resultsText(outcome.results.get()), alone.value(name));
            QVERIFY(outcome.results);
            QCOMPARE(withoutDate(readFile(jobs.at(i).vcdPath)), withoutDate(vcdText(*outcome.results, QDateTime())));
            QVERIFY(outcome.fileError.isEmpty());
        }
    }

    // A design that cannot be read is reported and the ones around it still run.
    void anUnreadableDesignDoesNotStopTheOthers()
    {
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        QTemporaryDir dir;
        const QVector<DesignJob> jobs{
            {data.filePath("counter-enable.vdo"), dir.filePath("a.txt"), QString()},
            {dir.filePath("missing.vdo"), dir.filePath("b.txt"), QString(), dir.filePath("b.vcd"), true},
            {data.path(), dir.filePath("c.txt"), QString()},
            {data.filePath("counter-wrong.vdo"), dir.filePath("d.txt"), dir.filePath("none/d.process")},
            {data.filePath("fsm-decision.vdo"), dir.filePath("e.txt"), QString()},
        };
        const QVector<DesignOutcome> outcomes = runDesignJobs(jobs, 2);
        QCOMPARE(outcomes.size(), 5);
        QVERIFY(outcomes.at(0).passed());
        QVERIFY(outcomes.at(1).failure.startsWith("cannot read " + dir.filePath("missing.vdo") + ": "));
        // For the JUnit file: a design named after the file, with the failure as its error.
        QVERIFY(outcomes.at(1).results);
        QCOMPARE(outcomes.at(1).results->designName, QStringLiteral("missing"));
        QCOMPARE(outcomes.at(1).results->messages.size(), 1);
        QCOMPARE(outcomes.at(1).results->messages.at(0).kind, LogError);
        QCOMPARE(outcomes.at(1).results->messages.at(0).text, outcomes.at(1).failure);
        QVERIFY(!outcomes.at(0).results);
        QCOMPARE(outcomes.at(2).failure, "cannot read " + data.path() + ": it is a directory");
        QVERIFY(outcomes.at(3).failure.startsWith("cannot write " + dir.filePath("none/d.process") + ": "));
        QVERIFY(outcomes.at(4).passed());
        QCOMPARE(readFile(dir.filePath("e.txt")), readFile(data.filePath("fsm-decision.out")));
        for (const char *notWritten : {"b.txt", "b.vcd", "c.txt", "d.txt"})
            QVERIFY(!QFile::exists(dir.filePath(notWritten)));
    }

    void noDesignsAndMoreThreadsThanDesigns()
    {
        QCOMPARE(runDesignJobs({}, 4).size(), 0);
        QTemporaryDir dir;
        const QVector<DesignOutcome> one = runDesignJobs(
            {{QStringLiteral(ASMSIM_TEST_DATA "/counter-wrong.vdo"), dir.filePath("w.txt"), QString()}}, 64);
        QCOMPARE(one.size(), 1);
        QCOMPARE(one.at(0).wrong, 1);
        QVERIFY(!one.at(0).passed());
    }

    void designStemDropsFolderAndLastSuffix_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stem");
        QTest::newRow("plain") << "counter.vdo" << "counter";
        QTest::newRow("folder") << "lab/one/counter.vdo" << "counter";
        QTest::newRow("two dots") << "lab/a.b.vdo" << "a.b";
        QTest::newRow("no suffix") << "lab/design" << "design";
    }
    void designStemDropsFolderAndLastSuffix()
    {
        QFETCH(QString, path);
        QFETCH(QString, stem);
        QCOMPARE(designStem(path), stem);
    }

    // The layout of one line: the name padded to the longest, fixed-width figures.
    void summaryLineLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("errors");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("line");
        QTest::newRow("pass") << "a.vdo" << 0 << 0 << QString()
                              << "a.vdo         8 cycles     7 correct /    0 wrong    0 errors    2 warnings  PASS    0.250 s";
        QTest::newRow("wrong verification")
            << "a.vdo" << 1 << 0 << QString()
            << "a.vdo         8 cycles     7 correct /    1 wrong    0 errors    2 warnings  FAIL    0.250 s";
        QTest::newRow("error") << "a.vdo" << 0 << 3 << QString()
                               << "a.vdo         8 cycles     7 correct /    0 wrong    3 errors    2 warnings  FAIL    0.250 s";
        QTest::newRow("not run") << "a.vdo" << 0 << 0 << "cannot read a.vdo: gone" << "a.vdo     NOT RUN  cannot read a.vdo: gone";
        // A file name may hold what looks like a place for an argument.
        QTest::newRow("percent name")
            << "%2%1.vdo" << 0 << 0 << QString()
            << "%2%1.vdo      8 cycles     7 correct /    0 wrong    0 errors    2 warnings  PASS    0.250 s";
        QTest::newRow("percent name not run") << "%1.vdo" << 0 << 0 << "cannot read %1.vdo: %2"
                                              << "%1.vdo    NOT RUN  cannot read %1.vdo: %2";
    }
    void summaryLineLayout()
    {
        QFETCH(QString, name);
        QFETCH(int, wrong);
        QFETCH(int, errors);
        QFETCH(QString, failure);
        QFETCH(QString, line);
        DesignOutcome outcome;
        outcome.cycles = 8;
        outcome.correct = 7;
        outcome.wrong = wrong;
        outcome.errors = errors;
        outcome.warnings = 2;
        outcome.seconds = 0.25;
        outcome.failure = failure;
        QCOMPARE(designSummaryLine(name, 8, outcome), line);
    }

    // The total adds the figures of the designs that ran and counts the others apart.
    void totalLineAddsTheDesignsThatRan()
    {
        DesignOutcome pass, fail, notRun;
        pass.cycles = 8;
        pass.correct = 7;
        pass.warnings = 1;
        fail.cycles = 6;
        fail.correct = 5;
        fail.wrong = 2;
        fail.errors = 1;
        notRun.failure = QStringLiteral("cannot read x.vdo: gone");
        QCOMPARE(totalSummaryLine({pass, notRun, fail, pass}, 1.5),
                 QStringLiteral("total: 4 designs, 2 passed, 1 failed, 1 not run  22 cycles  19 correct / 2 wrong  "
                                "1 errors  2 warnings  1.500 s"));
    }

    // The whole command in this process, with its progress line: the lines on standard
    // output come in the order given, the progress line counts up on standard error and
    // is wiped before each line and at the end.
    void commandPrintsInOrderWithAProgressLine()
    {
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        QTemporaryDir dir;
        BatchOptions options;
        options.designPaths = QStringList{data.filePath("presim-events.vdo"), data.filePath("counter-wrong.vdo"),
                                          data.filePath("two-boxes.vdo")};
        options.outputDir = dir.path();
        options.jobs = 3;
        FILE *out = std::tmpfile();
        FILE *err = std::tmpfile();
        QVERIFY(out && err);
        const int exitCode = runManyDesigns(options, out, err, true);
        const QStringList lines = QString::fromUtf8(readStream(out)).split(QLatin1Char('\n'));
        const QByteArray progress = readStream(err);
        std::fclose(out);
        std::fclose(err);

        QCOMPARE(exitCode, int(ExitFindings));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(4), QString());
        for (int i = 0; i < 3; ++i)
            QVERIFY2(lines.at(i).startsWith(options.designPaths.at(i) + ' '), qPrintable(lines.at(i)));
        QVERIFY(lines.at(0).contains(" PASS "));
        QVERIFY(lines.at(1).contains(" FAIL "));
        QVERIFY(lines.at(2).contains(" PASS "));
        QVERIFY(lines.at(3).startsWith("total: 3 designs, 2 passed, 1 failed, 0 not run  14 cycles  "
                                       "14 correct / 1 wrong  0 errors  2 warnings  "));
        for (const char *counted : {"\r[1/3] ", "\r[2/3] ", "\r[3/3] "})
            QVERIFY2(progress.contains(counted), progress.constData());
        QVERIFY(progress.endsWith('\r'));
        QVERIFY(!progress.contains('\n'));
        for (const QString &stem : QStringList{"presim-events", "counter-wrong", "two-boxes"})
            QCOMPARE(readFile(dir.filePath(stem + ".txt")), readFile(data.filePath(stem + ".out")));
    }
};

ASMSIM_REGISTER_TEST(TestMultiRunner)
#include "tst_multirunner.moc"
