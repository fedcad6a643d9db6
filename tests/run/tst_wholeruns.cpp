// Whole runs of the designs under tests/data: the output file and the process trace of
// each compared, byte for byte, with the files written by hand beside the design
// (NAME.out and NAME.process; "@DESIGN@" in the latter stands for the design's path).

#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QElapsedTimer>
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

    // A State box whose Text key is repeated, each value 47 "null"s: the reader reads the
    // 246-character line in two pieces (38 "null"s, then 9), so every key after the
    // first would multiply the "null"s of row 0 past the room of a cell. Each such key is
    // refused once; the run ends at once with the refusals counted in the summary.
    void aValueThatKeepsMultiplyingEndsAtOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("refused");
        const QString text = QStringLiteral("ERROR!\t Texto demasiado largo al guardar; no se guarda. Linea: %1");
        QTest::newRow("six keys") << "growing-text-six-keys"
                                  << QStringList{text.arg(6), text.arg(8), text.arg(10), text.arg(12), text.arg(14)};
        QTest::newRow("five keys") << "growing-text-five-keys"
                                   << QStringList{text.arg(6), text.arg(8), text.arg(10), text.arg(12)};
    }

    void aValueThatKeepsMultiplyingEndsAtOnce()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, refused);
        QTemporaryDir dir;
        MemorySink sink;
        SimState state(&sink);
        state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
        QElapsedTimer timer;
        timer.start();
        runSimulation(state, QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo")));
        // Before the bound this took minutes and gigabytes; now it is a few milliseconds.
        QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));

        QStringList found;
        for (const QString &error : state.log.errorList)
            if (error.startsWith(QStringLiteral("ERROR!\t Texto demasiado largo")))
                found << error;
        QCOMPARE(found, refused);
        const QStringList file = QString::fromUtf8(readFile(dir.filePath(QStringLiteral("out.txt")))).split('\n');
        QCOMPARE(file.value(file.size() - 2), QStringLiteral("Numero de Errores: %1").arg(state.log.errorList.size()));
        for (const QString &error : refused)
            QVERIFY(file.contains(error));
        for (const QString &cell : state.model.textMatrix.value(0))
            QVERIFY(cell.size() <= 4000);
    }
};

ASMSIM_REGISTER_TEST(TestWholeRuns)
#include "tst_wholeruns.moc"
