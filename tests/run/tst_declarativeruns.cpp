// Whole runs of small design files: the declarative simulation and the signal list as
// they reach the output pane, and the messages recorded up to there.

#include "core/panesink.h"
#include "run/analysis.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kHeading = QStringLiteral("\n//--------------SIMULACION DECLARATIVA-----------------//");
const QString kSignalHeading =
    QStringLiteral("//----------------------------- Lista de signals -------------------------------//");
const QString kLoop = QStringLiteral("ERROR!\t Bucle sin fin en el diagrama del padre con ID: 1");

QString padre(const QString &links)
{
    return QStringLiteral("PADRE: ") + links;
}

QString child(const QString &links)
{
    return QStringLiteral("          - HIJO: ") + links;
}

QString handedOver(const QString &typeName, const QString &links)
{
    return QStringLiteral("               + ") + typeName + QLatin1Char('\n') + child(links);
}

// From the declarative heading to the last item of the signal list.
QStringList declarativeSections(const QStringList &output)
{
    const qsizetype start = output.indexOf(kHeading);
    const qsizetype signalList = output.indexOf(kSignalHeading);
    if (start < 0 || signalList < start)
        return {};
    return output.mid(start, signalList + 5 - start);
}

QStringList declarePorts()
{
    const QString padreLine = padre("10, 2, -1, -1");
    const QString touched = QStringLiteral("               + STATE: CARGA -> TOCADO");
    return {
        kHeading,
        padreLine,
        "     a) MODO PORTS",
        child("2, 3, -1, -1"),
        handedOver("Ports", "3, 1, -1, -1"),
        child("1, 5, -1, -1"),
        child("5, -1, 7, 6"),
        child("7, 1, -1, -1"),
        child("1, 5, -1, -1"),
        child("5, -1, 7, 6"),
        child("6, 8, -1, -1"),
        child("8, 0, -1, -1"),
        touched,
        "",
        padreLine,
        "     b) MODO CODE",
        child("2, 3, -1, -1"),
        child("3, 1, -1, -1"),
        handedOver("Code", "1, 5, -1, -1"),
        child("5, -1, 7, 6"),
        child("7, 1, -1, -1"),
        child("1, 5, -1, -1"),
        child("5, -1, 7, 6"),
        child("6, 8, -1, -1"),
        child("8, 0, -1, -1"),
        touched,
        "",
        padreLine,
        "     c) MODO ASYNC-SYNC",
        child("2, 3, -1, -1"),
        child("3, 1, -1, -1"),
        child("1, 5, -1, -1"),
        child("5, -1, 7, 6"),
        child("7, 1, -1, -1"),
        handedOver("Code", "1, 5, -1, -1"),
        child("5, -1, 7, 6"),
        child("6, 8, -1, -1"),
        handedOver("Code", "8, 0, -1, -1"),
        touched,
        "",
        "",
        kSignalHeading,
        " - Inputs:\n\tCLK\tASYNC\t \n\tRST\tASYNC\t \n\tD\tSYNC\t[3:0]\n",
        " - Outputs:\n\tQ\tSYNC\t[7:0]\n\tZ\tASYNC\t[7:0]\n",
        " - Wires:\n\tT\tASYNC\t[1]\n",
        " - Inouts:\n\tBUS\tASYNC\t \n",
    };
}

QStringList testBenchFirst()
{
    // The test bench's notice waits for the next flush, which comes after the design's
    // first "PADRE: " line.
    QStringList lines{kHeading, padre("20, 21, -1, -1")};
    const QString padreLine = padre("1, 2, -1, -1");
    lines << padreLine << "END SIMULATION. Padre de test bench" << "---------------------------------------"
          << "     a) MODO PORTS" << child("2, 3, -1, -1") << handedOver("Ports", "3, 4, -1, -1")
          << child("4, -1, 3, 5") << child("5, 3, -1, -1") << child("3, 4, -1, -1") << child("4, -1, 3, 5")
          << "";
    lines << padreLine << "     b) MODO CODE" << child("2, 3, -1, -1") << child("3, 4, -1, -1")
          << child("4, -1, 3, 5") << child("5, 3, -1, -1") << child("3, 4, -1, -1") << child("4, -1, 3, 5")
          << "";
    lines << padreLine << "     c) MODO ASYNC-SYNC" << child("2, 3, -1, -1") << child("3, 4, -1, -1")
          << child("4, -1, 3, 5") << child("5, 3, -1, -1") << handedOver("Code", "3, 4, -1, -1")
          << child("4, -1, 3, 5") << "";
    lines << "" << kSignalHeading << " - Inputs:\n\tCLK\tASYNC\t \n\tEN\tASYNC\t \n"
          << " - Outputs:\n\tQ\tSYNC\t[3:0]\n" << " - Wires:\n" << " - Inouts:\n";
    return lines;
}

QStringList loopWithoutDecision()
{
    const QString padreLine = padre("1, 2, -1, -1");
    return {
        kHeading,
        padreLine, "     a) MODO PORTS", child("2, 3, -1, -1"), handedOver("Ports", "3, 4, -1, -1"),
        child("4, 3, -1, -1"), child("3, 4, -1, -1"), "",
        padreLine, "     b) MODO CODE", child("2, 3, -1, -1"), child("3, 4, -1, -1"),
        child("4, 3, -1, -1"), child("3, 4, -1, -1"), "",
        padreLine, "     c) MODO ASYNC-SYNC", child("2, 3, -1, -1"), child("3, 4, -1, -1"),
        handedOver("Code", "4, 3, -1, -1"), handedOver("Code", "3, 4, -1, -1"), "",
        "",
        kSignalHeading, " - Inputs:\n", " - Outputs:\n\tA\tASYNC\t \n", " - Wires:\n", " - Inouts:\n",
    };
}

} // namespace

class TestDeclarativeRuns : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void run_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QStringList>("sections");
        QTest::addColumn<QStringList>("kinds");
        QTest::addColumn<QStringList>("errors");

        // Ports and Code boxes declare every kind; the state with ID 1 is walked like any
        // other; the AsyncOps box leaves T asynchronous, the SyncOps box makes Q and D
        // synchronous; the design closes through a connector.
        QTest::newRow("declare-ports") << "declare-ports.vdo" << declarePorts() << QStringList{"Design"}
                                       << QStringList{};
        // The test bench comes first: its notice follows its own line. The design closes
        // at its decision, not through a connector, so it gets no kind.
        QTest::newRow("testbench-first") << "testbench-first.vdo" << testBenchFirst()
                                         << QStringList{"TestBench", ""} << QStringList{};
        // Each mode cuts the endless loop; the last tag of A is the AsyncOps box's.
        QTest::newRow("loop-without-decision")
            << "loop-without-decision.vdo" << loopWithoutDecision() << QStringList{""}
            << QStringList{kLoop, kLoop, "Error! Encontrado nombre de señal sin definición previa", kLoop};
    }

    void run()
    {
        QFETCH(QString, design);
        QFETCH(QStringList, sections);
        QFETCH(QStringList, kinds);
        QFETCH(QStringList, errors);

        QVERIFY(m_dir.isValid());
        MemorySink sink;
        SimState s(&sink);
        s.log.outputFile.setFileName(m_dir.filePath(QStringLiteral("out.txt")));
        runSimulation(s, QStringLiteral(ASMSIM_TEST_DATA "/") + design);

        QCOMPARE(declarativeSections(sink.output), sections);
        QCOMPARE(diagramKindNames(s.model.parentKinds), kinds);

        // The messages of the run up to the signal list, without those of later stages.
        const auto upToSignals =
            analyseDesign(RunCarry{}, QStringLiteral(ASMSIM_TEST_DATA "/") + design, Stage::SignalList);
        QCOMPARE(upToSignals->log.errorList, errors);
        QVERIFY(upToSignals->log.warningList.isEmpty());
    }
};

ASMSIM_REGISTER_TEST(TestDeclarativeRuns)
#include "tst_declarativeruns.moc"
