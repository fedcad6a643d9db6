// The run driver: what a run shows around its stages, in which order, and what reaches
// the output file.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "run/rundriver.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The output file holds the output pane line for line, except the simulation table,
// whose file layout pads its tabs. A design without signals, in which no cycle is
// simulated, has only the table's cycle heading for cycles 0 and 1.
QByteArray withPaddedTable(QByteArray paneText)
{
    return paneText.replace("\n\t[0]\t[1]\t\n", "\n\t\t[0]\t\t[1]\t\t\n");
}


const QString kHeader = QStringLiteral("\n//-------------- WARNINGS Y ERRORES --------------//");
const QString kRule = QStringLiteral("---------------------------------------------");

QStringList summary(const QStringList &messages, int warnings, int errors)
{
    return QStringList{kHeader} + messages
           + QStringList{QStringLiteral("Numero de Warnings: %1").arg(warnings),
                         QStringLiteral("Numero de Errores: %1").arg(errors)};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What the output file must hold for a list of output-pane items.
QByteArray asFileText(const QStringList &items)
{
    QByteArray text;
    for (const QString &item : items)
        text += item.toUtf8() + '\n';
    return text;
}

QString writeDesign(const QTemporaryDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("");  // a design without boxes: the stages have nothing to report
    return path;
}

} // namespace

class TestRunDriver : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_startDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_startDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }

    void runShowsHeaderCycleCountAndSummary()
    {
        MemorySink sink;
        SimState state(&sink);
        const QString design = writeDesign(m_dir, QStringLiteral("one.vdo"));
        runSimulation(state, design);

        // The driver's own lines frame what the stages show.
        QCOMPARE(sink.process.mid(0, 3), (QStringList{"//Simulando el archivo con direccion: ", design, kRule}));
        QCOMPARE(sink.process.last(), QStringLiteral("\nNumero de ciclos de simulacion: 1"));
        QCOMPARE(sink.output.first(), QStringLiteral("//--------------------------ARCHIVO DE SALIDA----------------------------//"));
        const QStringList tail = summary(state.log.warningList, state.log.warningList.size(), 0);
        QCOMPARE(sink.output.mid(sink.output.size() - tail.size()), tail);
        QCOMPARE(sink.statuses, QStringList{"Simulando el archivo seleccionado"});
        QCOMPARE(state.simulatedFileName, design);
        QCOMPARE(readAll(QStringLiteral("OutFileSimulation.txt")), withPaddedTable(asFileText(sink.output)));
        QVERIFY(!state.log.outputFile.isOpen());
    }

    // The reader's reset leaves the cycle counter alone; the operative stage starts it
    // again from 0 and leaves it at 1 when no cycle is simulated.
    void runReportsTheCycleCounterOfThisRun()
    {
        MemorySink sink;
        SimState state(&sink);
        state.signalTable.simCycle = 17;
        runSimulation(state, writeDesign(m_dir, QStringLiteral("one.vdo")));
        QCOMPARE(sink.process.last(), QStringLiteral("\nNumero de ciclos de simulacion: 1"));
    }

    void secondRunOverwritesTheFileAndClearsBothPanes()
    {
        MemorySink sink;
        SimState state(&sink);
        sink.output << QStringLiteral("stale output");
        sink.process << QStringLiteral("stale trace");
        QFile stale(QStringLiteral("OutFileSimulation.txt"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(5000, 'x'));
        stale.close();

        runSimulation(state, writeDesign(m_dir, QStringLiteral("first.vdo")));
        logMessage(state.log, QStringLiteral("Error! between runs"), LogError);
        const QString second = writeDesign(m_dir, QStringLiteral("second.vdo"));
        runSimulation(state, second);

        QCOMPARE(sink.process.count(QStringLiteral("//Simulando el archivo con direccion: ")), 1);
        QCOMPARE(sink.process.at(1), second);
        QCOMPARE(sink.output.count(sink.output.first()), 1);
        QVERIFY(state.log.errorList.isEmpty());  // the reset emptied the error list
        QCOMPARE(readAll(QStringLiteral("OutFileSimulation.txt")), withPaddedTable(asFileText(sink.output)));
    }

    void outputFileThatCannotBeOpenedIsReportedAndTheRunGoesOn()
    {
        MemorySink sink;
        SimState state(&sink);
        const QString unwritable = m_dir.filePath(QStringLiteral("no/such/dir/out.txt"));
        state.log.outputFile.setFileName(unwritable);
        runSimulation(state, writeDesign(m_dir, QStringLiteral("one.vdo")));

        QCOMPARE(sink.process.last(), QStringLiteral("\nNumero de ciclos de simulacion: 1"));
        QCOMPARE(state.log.errorList, QStringList{"Error! Fallo al abrir el archivo de salida"});
        QCOMPARE(sink.output.last(), QStringLiteral("Numero de Errores: 1"));
        QVERIFY(!QFile::exists(unwritable));
    }
};

ASMSIM_REGISTER_TEST(TestRunDriver)
#include "tst_rundriver.moc"
