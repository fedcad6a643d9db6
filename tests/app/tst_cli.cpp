// The batch runner as a user meets it: a real process, its exit codes, its standard
// output and the files it writes.

#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

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
    }

    void init() { QFile::remove(defaultOutput()); }

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
        QTest::newRow("two designs") << QStringList{"a.vdo", "b.vdo"};
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
