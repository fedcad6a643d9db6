// The batch runner as a user meets it: a real process, its exit codes, its standard
// output and the files it writes.

#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString kData = QStringLiteral(ASMSIM_TEST_DATA "/");

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

const QByteArray kHeader = "//--------------------------ARCHIVO DE SALIDA----------------------------//\n";
const QByteArray kNoErrors = "\nNumero de Errores: 0\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The words of a summary line without its time (the last but one word).
QStringList wordsWithoutTime(const QByteArray &line)
{
    QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() >= 2 && words.last() == QLatin1String("s"))
        words.removeAt(words.size() - 2);
    return words;
}

// The bundled counter with a test bench that holds EN low for 2 cycles, checking that
// Q is still unset (-1) in each, then lets it count for `counting` cycles unchecked:
// 2 + counting test-bench cycles and the closing one, 2 verifications, both correct.
QByteArray longCounter(int counting)
{
    QByteArray d;
    const auto box = [&d](int id, const char *type, const QByteArray &keys) {
        d += "Box {\n  Id = " + QByteArray::number(id) + ";\n  Type = " + type + ";\n" + keys + "}\n";
    };
    box(10, "Header", "  Text = \"CONTADOR\";\n  Next = 11;\n");
    box(11, "Ports", "  Text = \"INPUT CLK, EN%CR%OUTPUT [7:0] Q\";\n  Next = 12;\n");
    box(12, "ThreadSync", "  Text = \"CLK\";\n  Next = 13;\n");
    box(13, "State", "  Text = \"CUENTA\";\n  Next = 14;\n");
    box(14, "Decision", "  Text = \"EN == 1\";\n  Next0 = 13;\n  Next1 = 15;\n");
    box(15, "SyncOps", "  Text = \"Q <= Q + 1;\";\n  Next = 16;\n");
    box(16, "State", "  Text = \"CUENTA\";\n  Next = 0;\n");
    box(30, "Header", "  Text = \"BANCO\";\n  Next = 31;\n");
    box(31, "ThreadSync", "  Text = \"TB.CLK = 10 ns\";\n  Next = 32;\n");
    box(32, "Initial", "  TextDown = \"TB.EN <= 0\";\n  Next = 33;\n");
    box(33, "StateAsyncOps", "  TextUp = \"<2>\";\n  TextDown = \"TB.EN <= 0%CR%=> TB.Q == -1\";\n  Next = 34;\n");
    box(34, "StateAsyncOps", "  TextUp = \"<" + QByteArray::number(counting) + ">\";\n  TextDown = \"TB.EN <= 1\";\n  Next = 35;\n");
    box(35, "MetaState", "  Text = \"end simulation\";\n  Next = 0;\n  Next0 = 0;\n");
    return d;
}

// Runs an outside program that checks a file the runner wrote; false with a message
// when it is missing or complains.
bool outsideCheck(const QString &program, const QStringList &args, QString &failure)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        failure = program + " is not installed (scripts/install-deps.sh installs it)";
        return false;
    }
    QProcess process;
    process.start(path, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0
        || !process.readAllStandardError().trimmed().isEmpty()) {
        failure = program + " did not accept " + args.join(' ');
        return false;
    }
    return true;
}

// Each <testsuite> of a JUnit file: its name, tests, failures and errors.
QStringList junitSuites(const QByteArray &xml)
{
    QStringList suites;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("testsuite")) {
            const QXmlStreamAttributes a = reader.attributes();
            suites << QStringLiteral("%1 %2 %3 %4")
                          .arg(a.value("name"), a.value("tests"), a.value("failures"), a.value("errors"));
        }
    }
    if (reader.hasError())
        suites << "not well-formed: " + reader.errorString();
    return suites;
}

QStringList words(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

class TestBatchRunner : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_design;

    Result runCli(const QStringList &args)
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(ASMSIM_CLI), args);
        Result result;
        if (!process.waitForFinished(60000))
            return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    QString defaultOutput() const { return m_dir.filePath(QStringLiteral("OutFileSimulation.txt")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_design = m_dir.filePath(QStringLiteral("design.vdo"));
        QFile file(m_design);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Box {\n  Id = 1;\n  Type = State;\n}\n");
        // Many times longer than the designs under tests/data: it finishes after them.
        QFile longDesign(m_dir.filePath(QStringLiteral("long-count.vdo")));
        QVERIFY(longDesign.open(QIODevice::WriteOnly));
        longDesign.write(longCounter(280));
    }

    // Every test starts from a working directory holding only the design.
    void init()
    {
        QDir dir(m_dir.path());
        for (const QString &written : dir.entryList({QStringLiteral("*.txt")}, QDir::Files))
            QFile::remove(dir.filePath(written));
        for (const QString &written : dir.entryList({QStringLiteral("*.vcd"), QStringLiteral("*.fst"), QStringLiteral("*.xml")}, QDir::Files))
            QFile::remove(dir.filePath(written));
        for (const QString &written : dir.entryList({QStringLiteral("*.dot"), QStringLiteral("*.svg")}, QDir::Files))
            QFile::remove(dir.filePath(written));
        for (const char *folder : {"reports", "traces"})
            QDir(dir.filePath(QString::fromLatin1(folder))).removeRecursively();
    }

    void cleanRunPrintsTheOutputPaneAndWritesTheFile()
    {
        const Result r = runCli({m_design});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(kHeader));
        QVERIFY(r.out.endsWith(kNoErrors));
        // The file pads the tabs of the simulation table (here only its cycle heading).
        QCOMPARE(readAll(defaultOutput()),
                 QByteArray(r.out).replace("\n\t[0]\t[1]\t\n", "\n\t\t[0]\t\t[1]\t\t\n"));
        QVERIFY(r.err.isEmpty());
    }

    void outProcessAndQuietOptions()
    {
        const QString out = m_dir.filePath(QStringLiteral("report.txt"));
        const QString trace = m_dir.filePath(QStringLiteral("trace.txt"));
        const Result r = runCli({QStringLiteral("--quiet"), QStringLiteral("--out"), out,
                                 QStringLiteral("--process=") + trace, m_design});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());
        QVERIFY(readAll(out).startsWith(kHeader));
        QVERIFY(readAll(out).endsWith(kNoErrors));
        QVERIFY(!QFile::exists(defaultOutput()));
        const QByteArray traced = readAll(trace);
        QVERIFY(traced.startsWith("//Simulando el archivo con direccion: \n" + m_design.toUtf8()
                                  + "\n---------------------------------------------\n"));
        QVERIFY(traced.endsWith("\n\nNumero de ciclos de simulacion: 1\n"));
    }

    // A wrong verification is a finding of the run, like an error: exit 1; the same
    // counter with every verification right exits 0.
    void aWrongVerificationExitsOne_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("totals");
        QTest::newRow("all correct") << "counter-enable.vdo" << 0
                                     << QByteArray("Verificaciones correctas: 7\nVerificaciones erroneas: 0\n");
        QTest::newRow("one wrong") << "counter-wrong.vdo" << 1
                                   << QByteArray("Verificaciones correctas: 6\nVerificaciones erroneas: 1\n");
    }
    void aWrongVerificationExitsOne()
    {
        QFETCH(QString, design);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, totals);
        const Result r = runCli({QStringLiteral("--out"), m_dir.filePath(QStringLiteral("report.txt")),
                                 QStringLiteral(ASMSIM_TEST_DATA "/") + design});
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(r.out.contains(totals));
        QVERIFY(r.out.endsWith(kNoErrors));
    }

    void unwritableOutputFileIsAnErrorOfTheRun()
    {
        const Result r = runCli({QStringLiteral("--out"), m_dir.filePath(QStringLiteral("none/x.txt")), m_design});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.startsWith(kHeader));
        QVERIFY(r.out.contains("\nError! Fallo al abrir el archivo de salida\nNumero de Warnings: "));
        QVERIFY(r.out.endsWith("\nNumero de Errores: 1\n"));
    }

    void wrongArgumentsExitTwoWithOneLineAndNoFile_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no design") << QStringList{};
        QTest::newRow("out with two designs") << QStringList{"--out", "r.txt", "design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo"};
        QTest::newRow("two designs, one stem")
            << QStringList{"design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo", "counter-enable.vdo"};
        QTest::newRow("one design twice") << QStringList{"design.vdo", "./design.vdo"};
        QTest::newRow("jobs zero") << QStringList{"--jobs", "0", "design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo"};
        QTest::newRow("jobs not a number") << QStringList{"--jobs=two", "design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo"};
        QTest::newRow("out-dir is a file") << QStringList{"--out-dir", "design.vdo", "design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo"};
        QTest::newRow("out and out-dir") << QStringList{"--out", "r.txt", "--out-dir", "reports", "design.vdo"};
        QTest::newRow("unwritable vcd file") << QStringList{"--vcd", "none/w.vcd", "design.vdo"};
        QTest::newRow("junit is a directory") << QStringList{"--junit", ".", "design.vdo"};
        QTest::newRow("junit over a design")
            << QStringList{"--junit", "design.vdo", "design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo"};
        QTest::newRow("vcd folder is a file")
            << QStringList{"--vcd", "design.vdo", "design.vdo", ASMSIM_TEST_DATA "/counter-enable.vdo"};
        QTest::newRow("trace over a design") << QStringList{"--process", ".", "design.vdo", "design.process.txt"};
        QTest::newRow("unknown option") << QStringList{"--fast", "design.vdo"};
        QTest::newRow("out without file") << QStringList{"design.vdo", "--out"};
        QTest::newRow("empty process file") << QStringList{"--process=", "design.vdo"};
        QTest::newRow("missing design") << QStringList{"missing.vdo"};
        QTest::newRow("design is a directory") << QStringList{"."};
        QTest::newRow("unwritable process file") << QStringList{"--process", "none/t.txt", "design.vdo"};
    }
    void wrongArgumentsExitTwoWithOneLineAndNoFile()
    {
        QFETCH(QStringList, args);
        const Result r = runCli(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.startsWith("asmsim-cli: "));
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.endsWith('\n'));
        QVERIFY(!QFile::exists(defaultOutput()));
        for (const char *stemFile : {"design.txt", "counter-enable.txt", "r.txt", "reports", "none"})
            QVERIFY(!QFile::exists(m_dir.filePath(QString::fromLatin1(stemFile))));
    }

    // Several designs: one line per design in the order given, whatever order they
    // finish in, then the total; each output file in --out-dir as STEM.txt.
    void severalDesignsPrintOneLineEachInTheOrderGiven()
    {
        const QStringList designs{"long-count.vdo", kData + "presim-events.vdo", kData + "counter-enable.vdo",
                                  kData + "counter-wrong.vdo", kData + "fsm-decision.vdo"};
        const Result r = runCli(QStringList{"--jobs", "2", "--out-dir", "reports"} + designs);
        QCOMPARE(r.exitCode, 1);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(wordsWithoutTime(lines.at(0)), words(designs.at(0) + " 283 cycles 2 correct / 0 wrong 0 errors 0 warnings PASS s"));
        QCOMPARE(wordsWithoutTime(lines.at(1)), words(designs.at(1) + " 5 cycles 8 correct / 0 wrong 0 errors 0 warnings PASS s"));
        QCOMPARE(wordsWithoutTime(lines.at(2)), words(designs.at(2) + " 8 cycles 7 correct / 0 wrong 0 errors 0 warnings PASS s"));
        QCOMPARE(wordsWithoutTime(lines.at(3)), words(designs.at(3) + " 8 cycles 6 correct / 1 wrong 0 errors 0 warnings FAIL s"));
        QCOMPARE(wordsWithoutTime(lines.at(4)), words(designs.at(4) + " 6 cycles 8 correct / 0 wrong 0 errors 0 warnings PASS s"));
        QVERIFY(lines.at(5).startsWith("total: 5 designs, 4 passed, 1 failed, 0 not run  310 cycles  31 correct / 1 wrong  "
                                       "0 errors  0 warnings  "));
        QVERIFY(lines.at(6).isEmpty());
        QVERIFY(r.err.isEmpty());
        for (const char *stem : {"presim-events", "counter-enable", "counter-wrong", "fsm-decision"})
            QCOMPARE(readAll(m_dir.filePath(QStringLiteral("reports/%1.txt").arg(stem))), readAll(kData + stem + ".out"));
        QVERIFY(!QFile::exists(defaultOutput()));
    }

    // 0 when every design passed, 1 when one failed, 2 when one could not be read: the
    // others still run, write their files (here in the working directory) and are reported.
    void severalDesignsExitCodes_data()
    {
        QTest::addColumn<QStringList>("designs");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("verdicts");
        QTest::addColumn<int>("errLines");
        QTest::newRow("all pass") << QStringList{"counter-enable", "fsm-decision"} << 0
                                  << QStringList{"PASS", "PASS"} << 0;
        QTest::newRow("one fails") << QStringList{"counter-enable", "counter-wrong"} << 1
                                   << QStringList{"PASS", "FAIL"} << 0;
        QTest::newRow("unreadable among good") << QStringList{"counter-wrong", "missing", "fsm-decision"} << 2
                                               << QStringList{"FAIL", "NOT RUN", "PASS"} << 1;
        QTest::newRow("two unreadable") << QStringList{"missing", "counter-enable", "gone"} << 2
                                        << QStringList{"NOT RUN", "PASS", "NOT RUN"} << 2;
    }
    void severalDesignsExitCodes()
    {
        QFETCH(QStringList, designs);
        QFETCH(int, exitCode);
        QFETCH(QStringList, verdicts);
        QFETCH(int, errLines);
        QStringList args{"--jobs=3"};
        for (const QString &design : designs)
            args << kData + design + ".vdo";
        const Result r = runCli(args);
        QCOMPARE(r.exitCode, exitCode);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), designs.size() + 2);
        for (int i = 0; i < designs.size(); ++i) {
            const QString line = QString::fromUtf8(lines.at(i));
            QVERIFY2(line.startsWith(args.at(i + 1) + ' '), qPrintable(line));
            if (verdicts.at(i) == QLatin1String("NOT RUN")) {
                QVERIFY2(line.contains("  NOT RUN  cannot read " + args.at(i + 1) + ": "), qPrintable(line));
                QVERIFY(r.err.contains("asmsim-cli: cannot read " + args.at(i + 1).toUtf8() + ": "));
            } else {
                QVERIFY2(line.contains(" warnings  " + verdicts.at(i) + "  "), qPrintable(line));
                QCOMPARE(readAll(m_dir.filePath(designs.at(i) + ".txt")), readAll(kData + designs.at(i) + ".out"));
            }
        }
        QVERIFY(lines.at(designs.size()).startsWith("total: " + QByteArray::number(designs.size()) + " designs, "));
        QCOMPARE(r.err.count('\n'), errLines);
    }

    // With several designs --process names a folder of STEM.process.txt files, and
    // --quiet leaves standard output empty.
    void severalDesignsWithTracesAndQuiet()
    {
        const QString presim = kData + "presim-events.vdo";
        const Result r = runCli({"--quiet", "--process", "traces", "--out-dir=reports", presim, kData + "two-boxes.vdo"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.isEmpty());
        QCOMPARE(readAll(m_dir.filePath("traces/presim-events.process.txt")),
                 readAll(kData + "presim-events.process").replace("@DESIGN@", presim.toUtf8()));
        QCOMPARE(readAll(m_dir.filePath("traces/two-boxes.process.txt")),
                 readAll(kData + "two-boxes.process").replace("@DESIGN@", (kData + "two-boxes.vdo").toUtf8()));
        QCOMPARE(readAll(m_dir.filePath("reports/two-boxes.txt")), readAll(kData + "two-boxes.out"));
    }

    // One design keeps its report on standard output; --out-dir moves its file to
    // DIR/STEM.txt and --jobs changes nothing.
    void oneDesignWithOutDirAndJobs()
    {
        const Result r = runCli({"--jobs", "4", "--out-dir", "reports", kData + "counter-enable.vdo"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(kHeader));
        QVERIFY(r.out.endsWith(kNoErrors));
        QCOMPARE(readAll(m_dir.filePath("reports/counter-enable.txt")), readAll(kData + "counter-enable.out"));
        QVERIFY(!QFile::exists(defaultOutput()));
    }

    // One design: the report on standard output as always, and the waveform and the
    // verifications in the files GTKWave and CI servers read.
    void oneDesignWritesVcdAndJUnit()
    {
        const Result r = runCli({"--vcd", "w.vcd", "--junit=r.xml", kData + "counter-wrong.vdo"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.out.startsWith(kHeader));
        QVERIFY(r.err.isEmpty());
        const QByteArray vcd = readAll(m_dir.filePath("w.vcd"));
        QVERIFY(vcd.startsWith("$date\n"));
        QVERIFY(vcd.contains("\n$scope module counter_wrong $end\n"));  // a VCD name has no '-' 
        const QByteArray xml = readAll(m_dir.filePath("r.xml"));
        QCOMPARE(junitSuites(xml), QStringList{"counter-wrong 7 1 0"});
        // The report states the check of cycle 5 (Q == 2) and the table's Q of 1 there.
        QVERIFY(xml.contains("name=\"cycle 5: Q == 2\">"));
        QVERIFY(xml.contains("<failure message=\"expected 2, got 1\"/>"));

        QString failure;
        QVERIFY2(outsideCheck("vcd2fst", {m_dir.filePath("w.vcd"), m_dir.filePath("w.fst")}, failure), qPrintable(failure));
        QVERIFY2(outsideCheck("xmllint", {"--noout", m_dir.filePath("r.xml")}, failure), qPrintable(failure));
    }

    // The counter with the wrong check, its output called AÑO, once in UTF-8 with LF and
    // once as a Spanish Windows writes it (Windows-1252, CR LF): the same run, the same
    // reports, all in UTF-8. The check of cycle 5 names AÑO; a VCD name is plain ASCII.
    void aWindows1252DesignGivesTheReportsOfItsUtf8Twin()
    {
        QFile source(kData + "counter-wrong.vdo");
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray design = source.readAll();
        QDir(m_dir.path()).mkpath("utf8");
        QDir(m_dir.path()).mkpath("windows");
        const QString utf8 = m_dir.filePath("utf8/anio.vdo");
        const QString windows = m_dir.filePath("windows/anio.vdo");
        QFile utf8File(utf8), windowsFile(windows);
        QVERIFY(utf8File.open(QIODevice::WriteOnly) && windowsFile.open(QIODevice::WriteOnly));
        utf8File.write(QByteArray(design).replace("Q", "A\xC3\x91O"));
        windowsFile.write(QByteArray(design).replace("Q", "A\xD1O").replace("\n", "\r\n"));
        utf8File.close();
        windowsFile.close();

        QList<Result> runs;
        for (const char *folder : {"utf8", "windows"}) {
            const QString stem = m_dir.filePath(QString::fromLatin1(folder) + "/anio");
            runs << runCli({"--out", stem + ".txt", "--process", stem + ".process", "--vcd", stem + ".vcd",
                            "--junit", stem + ".xml", stem + ".vdo"});
        }
        QCOMPARE(runs[0].exitCode, 1);
        QCOMPARE(runs[1].exitCode, 1);
        QCOMPARE(runs[1].out, runs[0].out);
        const QByteArray report = readAll(m_dir.filePath("windows/anio.txt"));
        QCOMPARE(report, readAll(m_dir.filePath("utf8/anio.txt")));
        QVERIFY(report.contains("OUTPUT [3:0] A\xC3\x91O"));
        QVERIFY(!report.contains("\xEF\xBF\xBD"));  // no replacement character
        QCOMPARE(readAll(m_dir.filePath("windows/anio.process")).replace(windows.toUtf8(), "@DESIGN@"),
                 readAll(m_dir.filePath("utf8/anio.process")).replace(utf8.toUtf8(), "@DESIGN@"));
        const QByteArray xml = readAll(m_dir.filePath("windows/anio.xml"));
        QVERIFY(xml.contains("name=\"cycle 5: A\xC3\x91O == 2\">"));
        QVERIFY(readAll(m_dir.filePath("windows/anio.vcd")).contains(" A_O [3:0] $end\n"));
    }

    // Several designs: a VCD per design in the --vcd folder, one JUnit file with a
    // testsuite per design in the order given, the unreadable one as an error.
    void severalDesignsWriteVcdsAndOneJUnit()
    {
        const QString missing = kData + "missing.vdo";
        const Result r = runCli({"--jobs", "2", "--vcd", "traces", "--junit", "all.xml", kData + "fsm-decision.vdo",
                                 missing, kData + "counter-wrong.vdo", kData + "counter-enable.vdo"});
        QCOMPARE(r.exitCode, 2);
        for (const char *stem : {"fsm-decision", "counter-wrong", "counter-enable"})
            QVERIFY(readAll(m_dir.filePath(QStringLiteral("traces/%1.vcd").arg(stem)))
                        .contains("\n$scope module " + QByteArray(stem).replace('-', '_') + " $end\n"));
        QVERIFY(!QFile::exists(m_dir.filePath("traces/missing.vcd")));
        const QByteArray xml = readAll(m_dir.filePath("all.xml"));
        QCOMPARE(junitSuites(xml), (QStringList{"fsm-decision 8 0 0", "missing 1 0 1", "counter-wrong 7 1 0",
                                                "counter-enable 7 0 0"}));
        QVERIFY(xml.contains("<error message=\"cannot read " + missing.toUtf8() + ": "));
        QString failure;
        QVERIFY2(outsideCheck("xmllint", {"--noout", m_dir.filePath("all.xml")}, failure), qPrintable(failure));
    }

    // --version prints the project's version, as CMake gives it, and runs nothing.
    // --dot draws without simulating: the Graphviz source of a state, a decision and a
    // link to an ID no box carries, the same bytes on every run, nothing printed, no
    // report written.
    void dotWritesTheChartAndNothingElse()
    {
        const QString design = m_dir.filePath(QStringLiteral("branch.vdo"));
        QFile file(design);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Box {\n  Id = 1;\n  Type = State;\n  Text = \"S\";\n  Next = 2;\n}\n"
                   "Box {\n  Id = 2;\n  Type = Decision;\n  Text = \"A == 1\";\n  Next0 = 1;\n  Next1 = 9;\n}\n");
        file.close();
        const QString dot = m_dir.filePath(QStringLiteral("branch.dot"));
        const Result first = runCli({QStringLiteral("--dot"), dot, design});
        QCOMPARE(first.exitCode, 0);
        QVERIFY(first.out.isEmpty());
        QVERIFY(first.err.isEmpty());
        QVERIFY(!QFile::exists(defaultOutput()));
        QFile written(dot);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray source = written.readAll();
        written.close();
        // The state is box 0, the decision box 1; its exit 1 names ID 9, which no box
        // carries, and ends at stub 0.
        QVERIFY(source.startsWith("digraph"));
        QVERIFY(source.contains("b0 [id=b0, shape=box, label=\"S\""));
        QVERIFY(source.contains("b1 [id=b1, shape=diamond, label=\"A == 1\""));
        QVERIFY(source.contains("b0 -> b1 [id=e0]"));
        QVERIFY(source.contains("b1 -> b0 [id=e1, taillabel=\"0\""));
        QVERIFY(source.contains("b1 -> s0 [id=e2, taillabel=\"1\""));
        QVERIFY(source.contains("ID 9"));
        QCOMPARE(source.count("->"), 3);

        QVERIFY(QFile::remove(dot));
        QCOMPARE(runCli({QStringLiteral("--dot=") + dot, design}).exitCode, 0);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), source);
    }

    // --svg is Graphviz's picture: an XML document whose root is <svg>. With several
    // designs both options name folders, made when missing, with STEM.dot and STEM.svg.
    void svgAndFoldersOfCharts()
    {
        const QString svg = m_dir.filePath(QStringLiteral("design.svg"));
        QCOMPARE(runCli({QStringLiteral("--svg"), svg, m_design}).exitCode, 0);
        QFile picture(svg);
        QVERIFY(picture.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&picture);
        while (!xml.atEnd() && !xml.isStartElement())
            xml.readNext();
        QCOMPARE(xml.name().toString(), QStringLiteral("svg"));
        while (!xml.atEnd())
            xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

        const QString example = QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(QStringLiteral("counter-enable.vdo"));
        const Result r = runCli({QStringLiteral("--quiet"), QStringLiteral("--dot"), QStringLiteral("reports/dot"),
                                 QStringLiteral("--svg"), QStringLiteral("reports/svg"), m_design, example});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());
        for (const char *name : {"reports/dot/design.dot", "reports/dot/counter-enable.dot", "reports/svg/design.svg",
                                 "reports/svg/counter-enable.svg"})
            QVERIFY2(QFileInfo(m_dir.filePath(QString::fromLatin1(name))).size() > 0, name);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("design.txt"))));
    }

    // A design that cannot be read exits 2 and the others are still drawn; the run's own
    // options cannot go with a chart; a chart never takes the place of a design.
    void chartFailuresExitTwo()
    {
        const QString missing = m_dir.filePath(QStringLiteral("missing.vdo"));
        Result r = runCli({QStringLiteral("--dot"), QStringLiteral("reports"), missing, m_design});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("asmsim-cli: cannot read " + missing.toUtf8()));
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("reports/design.dot"))));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("reports/missing.dot"))));

        r = runCli({QStringLiteral("--dot"), QStringLiteral("a.dot"), QStringLiteral("--out"), QStringLiteral("x.txt"), m_design});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err, QByteArray("asmsim-cli: option --out cannot be given with --dot or --svg (try --help)\n"));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("a.dot"))));

        QFile design(m_design);
        QVERIFY(design.open(QIODevice::ReadOnly));
        const QByteArray before = design.readAll();
        design.close();
        r = runCli({QStringLiteral("--svg"), m_design, m_design});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("would be written over by the chart"));
        QVERIFY(design.open(QIODevice::ReadOnly));
        QCOMPARE(design.readAll(), before);
    }

    void versionPrintsTheProjectVersion()
    {
        const Result r = runCli({QStringLiteral("--version")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("asmsim-cli " ASMSIM_PROJECT_VERSION "\n"));
        QVERIFY(r.err.isEmpty());
        QVERIFY(!QFile::exists(defaultOutput()));
    }

    void helpPrintsTheUsage()
    {
        const Result r = runCli({QStringLiteral("--help")});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("Usage: asmsim-cli [--process FILE] [--out FILE] [--quiet] DESIGN.vdo\n"));
        QVERIFY(!QFile::exists(defaultOutput()));
    }
};

ASMSIM_REGISTER_TEST(TestBatchRunner)
#include "tst_cli.moc"
