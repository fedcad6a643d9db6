// The verdict after a run, in the words the window shows, on small designs whose results
// are worked out by hand. The batch runner's tests judge the same designs the same way.

#include "gui/runverdict.h"
#include "core/messagelog.h"
#include "core/panesink.h"
#include "run/rundriver.h"
#include "results/runresults.h"
#include "run/collectresults.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString designPath(const QString &name)
{
    return QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(name + QStringLiteral(".vdo"));
}

} // namespace

class TestRunVerdict : public QObject {
    Q_OBJECT

private slots:
    // What each design gives, worked out by hand:
    // - counter-enable: the counter's table has cycles 0 to 8 and its seven checks hold.
    // - counter-wrong: the same table (Q is 1 in cycle 5), with the check of cycle 5
    //   expecting 2; the other six hold.
    // - verdict-no-checks: a test bench whose header leads straight to its end state;
    //   the loop ends in its first pass, at cycle 1, and nothing is checked.
    // - verdict-error: the same with a Ports box in the test bench's header chain, which
    //   the presimulation does not take: one error.
    // - two-boxes: no parent box at all, so no test bench (two warnings: no parent, no
    //   test-bench parent); the cycle counter stays at 1.
    // - verdict-connector: one diagram closing on a connector "B" that no other box
    //   names, met by the walk of each of the three modes: three errors, whose text
    //   begins "WARNING!", and the warning that there is no test bench.
    void wordsOfTheVerdict_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("failure");

        QTest::newRow("pass") << "counter-enable" << "CORRECTO"
                              << "8 ciclos · verificaciones: 7 correctas / 0 erróneas · 0 errores · 0 warnings" << "";
        QTest::newRow("wrong verification")
            << "counter-wrong" << "FALLO"
            << "8 ciclos · verificaciones: 6 correctas / 1 errónea · 0 errores · 0 warnings"
            << "ciclo 5: Q esperado 2, simulado 1";
        QTest::newRow("no verifications") << "verdict-no-checks" << "CORRECTO (sin verificaciones)"
                                          << "1 ciclo · verificaciones: 0 correctas / 0 erróneas · 0 errores · 0 warnings"
                                          << "";
        QTest::newRow("error") << "verdict-error" << "FALLO (sin verificaciones)"
                               << "1 ciclo · verificaciones: 0 correctas / 0 erróneas · 1 error · 0 warnings"
                               << "Error!: BOX PORTS no implantado en Presimulacion Operativa";
        QTest::newRow("no test bench") << "two-boxes" << "CORRECTO (sin test bench, sin verificaciones)"
                                       << "1 ciclo · verificaciones: 0 correctas / 0 erróneas · 0 errores · 2 warnings"
                                       << "";
        // The first error goes before any wrong verification, whatever its text says.
        QTest::newRow("error written as a warning")
            << "verdict-connector" << "FALLO (sin test bench, sin verificaciones)"
            << "1 ciclo · verificaciones: 0 correctas / 0 erróneas · 3 errores · 1 warning"
            << "WARNING! No hay State con el mismo nombre;";
    }
    void wordsOfTheVerdict()
    {
        QFETCH(QString, design);
        QFETCH(QString, headline);
        QFETCH(QString, counts);
        QFETCH(QString, failure);

        QTemporaryDir dir;
        MemorySink sink;
        SimState state(&sink);
        state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
        runSimulation(state, designPath(design));
        const RunResults results = collectRunResults(state);
        const RunVerdict verdict = runVerdict(results);

        QCOMPARE(verdict.headline, headline);
        QCOMPARE(verdict.counts, counts);
        QCOMPARE(verdict.failure, failure);
        QCOMPARE(verdict.passed, headline.startsWith(QStringLiteral("CORRECTO")));
    }

    // "sin test bench" comes from the run's field, not from the text of a warning; an
    // error is named on one line.
    void notesComeFromTheFieldsNotTheTexts()
    {
        RunResults r;
        r.messages = {{LogWarning, QStringLiteral("WARNING!\t No hay padre de test bench: no se simulan ciclos")},
                      {LogError, QStringLiteral("\nError! primero\tcon tabulador")}};
        QCOMPARE(runVerdict(r).headline, QStringLiteral("FALLO (sin verificaciones)"));
        QCOMPARE(runVerdict(r).failure, QStringLiteral("Error! primero con tabulador"));
        r.noTestBench = true;
        r.messages.clear();
        QCOMPARE(runVerdict(r).headline, QStringLiteral("CORRECTO (sin test bench, sin verificaciones)"));
    }
};

ASMSIM_REGISTER_TEST(TestRunVerdict)
#include "tst_runverdict.moc"
