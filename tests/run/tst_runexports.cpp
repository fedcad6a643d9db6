// Whole runs written as the files the front ends export: the wrong counter as JUnit XML,
// the enabled counter as a Value Change Dump read back through GTKWave's converters.

#include "results/junitexport.h"
#include "results/vcdexport.h"
#include "results/junitreading.h"
#include "results/vcdreading.h"
#include "run/collectresults.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

RunResults runDesign(const QTemporaryDir &dir, const QString &name)
{
    SimState state;
    state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
    runSimulation(state, QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo")));
    return collectRunResults(state);
}

} // namespace

class TestRunExports : public QObject {
    Q_OBJECT

private slots:
    // The wrong counter run whole: seven verifications, the one at cycle 5 wrong; the
    // file is well formed.
    void aWholeRunAsJUnit()
    {
        QTemporaryDir dir;
        const RunResults r = runDesign(dir, QStringLiteral("counter-wrong"));
        const QString path = dir.filePath(QStringLiteral("r.xml"));
        QString error;
        QVERIFY2(writeJUnit({{&r, 0.5}}, path, error), qPrintable(error));
        QVERIFY2(xmllintAccepts(path, error), qPrintable(error));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString fault;
        const QList<Element> elements = readBack(file.readAll(), fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        const Element suite = named(elements, QStringLiteral("testsuite")).value(0);
        QCOMPARE(suite.attribute("name"), QStringLiteral("counter-wrong"));
        QCOMPARE(suite.attribute("tests"), QStringLiteral("7"));
        QCOMPARE(suite.attribute("failures"), QStringLiteral("1"));
        QCOMPARE(suite.attribute("errors"), QStringLiteral("0"));
        const QList<Element> failures = named(elements, QStringLiteral("failure"));
        QCOMPARE(failures.size(), 1);
        QCOMPARE(failures.at(0).attribute("message"), QStringLiteral("expected 2, got 1"));
        QCOMPARE(named(elements, QStringLiteral("testcase")).at(3).attribute("name"), QStringLiteral("cycle 5: Q == 2"));
    }

    // GTKWave's converters read the dump of the enabled counter, run whole, without a
    // complaint and give back the same value per signal per time.
    void aWholeRunRoundTripsThroughGtkWave()
    {
        QTemporaryDir dir;
        const RunResults r = runDesign(dir, QStringLiteral("counter-enable"));
        QCOMPARE(r.lastCycle(), 8);
        const QString vcd = dir.filePath(QStringLiteral("w.vcd"));
        const QString fst = dir.filePath(QStringLiteral("w.fst"));
        QString error;
        QVERIFY2(writeVcd(r, vcd, error), qPrintable(error));

        const QString fault = gtkWaveRoundTripFault(vcd, fst, r.columns.size());
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
};

ASMSIM_REGISTER_TEST(TestRunExports)
#include "tst_runexports.moc"
