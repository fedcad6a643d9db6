// Whole runs of the designs under tests/data: the output file and the process trace of
// each compared, byte for byte, with the files written by hand beside the design
// (NAME.out and NAME.process; "@DESIGN@" in the latter stands for the design's path).

#include "app/panesink.h"
#include "app/rundriver.h"
#include "app/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read ") + path.toUtf8() + '>';
}

// Compares line by line first, so that a failure names the first line that differs.
void compareTexts(const QByteArray &actual, const QByteArray &expected)
{
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (int i = 0; i < qMin(a.size(), e.size()); ++i) {
        if (a.at(i) != e.at(i))
            QFAIL(qPrintable(QStringLiteral("line %1 differs:\n   actual: %2\n expected: %3")
                                 .arg(i + 1).arg(QString::fromUtf8(a.at(i)), QString::fromUtf8(e.at(i)))));
    }
    QCOMPARE(actual, expected);
}

} // namespace

class TestWholeRuns : public QObject {
    Q_OBJECT

private slots:
    void runMatchesTheHandWrittenReports_data()
    {
        QTest::addColumn<QString>("name");
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        const QStringList expected = data.entryList({QStringLiteral("*.out")}, QDir::Files, QDir::Name);
        QVERIFY(!expected.isEmpty());
        for (const QString &out : expected) {
            const QString name = out.chopped(4);
            QTest::newRow(qPrintable(name)) << name;
        }
    }

    void runMatchesTheHandWrittenReports()
    {
        QFETCH(QString, name);
        const QDir data(QStringLiteral(ASMSIM_TEST_DATA));
        const QString design = data.filePath(name + QStringLiteral(".vdo"));
        QTemporaryDir dir;
        MemorySink sink;
        SimState state(&sink);
        state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
        runSimulation(state, design);

        compareTexts(readFile(dir.filePath(QStringLiteral("out.txt"))), readFile(data.filePath(name + ".out")));
        const QString processFile = data.filePath(name + QStringLiteral(".process"));
        if (QFile::exists(processFile)) {
            const QByteArray process = sink.process.join(QLatin1Char('\n')).toUtf8() + '\n';
            compareTexts(process, readFile(processFile).replace("@DESIGN@", design.toUtf8()));
        }
    }
};

ASMSIM_REGISTER_TEST(TestWholeRuns)
#include "tst_wholeruns.moc"
