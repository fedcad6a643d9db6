// asmsim-cli --lint as a user meets it: the warnings in the compilers' shape, the exit
// codes, no simulation and no report file, and the JUnit file a CI server reads.

#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kData = QStringLiteral(ASMSIM_TEST_DATA "/");

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestLintCommand : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    Result lint(const QStringList &args)
    {
        QProcess process;
        process.setWorkingDirectory(m_dir.path());
        process.start(QStringLiteral(ASMSIM_CLI), QStringList{QStringLiteral("--lint")} + args);
        Result result;
        if (!process.waitForFinished(60000))
            return result;
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    // The folder the command ran in holds nothing it wrote but what it was asked for.
    QStringList writtenFiles() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void aCleanDesignPrintsNothing()
    {
        const Result r = lint({QStringLiteral(ASMSIM_TEST_DATA "/../../examples/counter.vdo")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(r.err, QByteArray());
        QCOMPARE(writtenFiles(), QStringList());
    }

    // One line per warning, file by file in the order given, each design's in file order.
    void warningsPrintInTheCompilersShape()
    {
        const QString missing = kData + "lint-missing-operand.vdo";
        const QString key = kData + "lint-key-in-text.vdo";
        const Result r = lint({missing, kData + "lint-counter.vdo", key});
        QCOMPARE(r.exitCode, 1);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(QString::fromUtf8(lines.at(0)),
                 missing + ":36: warning: en «Q <= Q + ;» falta el operando tras «+»: la simulación usa en su "
                           "lugar el último valor calculado [operando-ausente]");
        QVERIFY(lines.at(1).startsWith(key.toUtf8() + ":23: warning: la línea 25 abre un texto"));
        QVERIFY(lines.at(2).startsWith(key.toUtf8() + ":42: warning: la línea 44 abre un texto"));
        QCOMPARE(lines.at(3), QByteArray());
        QCOMPARE(writtenFiles(), QStringList());
    }

    // A file that cannot be read: a message, exit 2, and the other files still checked.
    void anUnreadableFileExitsWithTwo()
    {
        const Result r = lint({kData + "no-such-design.vdo", kData + "lint-missing-operand.vdo"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.startsWith("asmsim-cli: cannot read " + kData.toUtf8() + "no-such-design.vdo: "));
        QVERIFY(r.out.contains("[operando-ausente]"));
    }

    void otherOptionsAreRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("quiet") << QStringList{"--quiet", kData + "lint-counter.vdo"}
                               << QByteArray("asmsim-cli: option --quiet cannot be given with --lint (try --help)\n");
        QTest::newRow("out") << QStringList{"--out", "x.txt", kData + "lint-counter.vdo"}
                             << QByteArray("asmsim-cli: option --out cannot be given with --lint (try --help)\n");
        QTest::newRow("no design") << QStringList{}
                                   << QByteArray("asmsim-cli: no design file given (try --help)\n");
        QTest::newRow("junit without a file") << QStringList{kData + "lint-counter.vdo", "--junit"}
                                              << QByteArray("asmsim-cli: option --junit needs a file name (try --help)\n");
    }

    void otherOptionsAreRefused()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, message);
        const Result r = lint(args);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err, message);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(writtenFiles(), QStringList());
    }

    // --junit FILE: a suite per design, a failed case per warning; xmllint accepts it.
    void junitWritesAFailurePerWarning()
    {
        const QString xmlPath = m_dir.filePath(QStringLiteral("lint.xml"));
        const Result r = lint({QStringLiteral("--junit=") + xmlPath, kData + "lint-key-in-text.vdo",
                               kData + "lint-counter.vdo"});
        QCOMPARE(r.exitCode, 1);
        QFile file(xmlPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray xml = file.readAll();
        QCOMPARE(xml.count("<failure "), 2);
        QVERIFY(xml.contains("<testsuites tests=\"3\" failures=\"2\" errors=\"0\""));
        QVERIFY(xml.contains("<failure type=\"clave-en-texto\" message=\"" + kData.toUtf8() + "lint-key-in-text.vdo:23: "));
        QVERIFY(xml.contains("<testcase classname=\"" + kData.toUtf8() + "lint-counter.vdo\" name=\"lint\"/>"));

        const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
        QVERIFY2(!xmllint.isEmpty(), "xmllint is not installed (scripts/install-deps.sh installs it)");
        QProcess check;
        check.start(xmllint, {QStringLiteral("--noout"), xmlPath});
        QVERIFY(check.waitForFinished(60000));
        QCOMPARE(check.exitCode(), 0);
        QCOMPARE(check.readAllStandardError(), QByteArray());
        QFile::remove(xmlPath);
    }
};

ASMSIM_REGISTER_TEST(TestLintCommand)
#include "tst_lintcommand.moc"
