// The signal list report: one heading, then one item per kind (inputs, outputs, wires,
// inouts) holding a line per signal with its name, timing and range.

#include "core/panesink.h"
#include "model/signallistreport.h"
#include "modelparts.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString kHeading =
    QStringLiteral("//----------------------------- Lista de signals -------------------------------//");

} // namespace

class TestSignalListReport : public QObject {
    Q_OBJECT

private slots:
    void noSignals()
    {
        MemorySink sink;
        ModelParts s(&sink);
        reportSignalList(s.signalTable, s.log);
        QCOMPARE(sink.output, QStringList({kHeading, " - Inputs:\n", " - Outputs:\n", " - Wires:\n",
                                           " - Inouts:\n"}));
    }

    void everyKind()
    {
        MemorySink sink;
        ModelParts s(&sink);
        SignalTable &t = s.signalTable;
        t.inputNames = QStringList{"CLK", "A"};
        t.inputRanges = QStringList{" ", "[3:0]"};
        t.inputTiming = QStringList{"ASYNC", "SYNC"};
        t.outputNames = QStringList{"Q"};
        t.outputRanges = QStringList{"[7:0]"};
        t.outputTiming = QStringList{"SYNC", "ASYNC", "ASYNC"};  // entries past the names are not listed
        t.wireNames = QStringList{"T"};
        t.wireRanges = QStringList{"[1]"};
        t.wireTiming = QStringList{"ASYNC"};
        t.inoutNames = QStringList{"X"};
        t.inoutRanges = QStringList{" "};
        t.inoutTiming = QStringList{"SYNC"};
        reportSignalList(s.signalTable, s.log);

        QCOMPARE(sink.output, QStringList({kHeading,
                                           " - Inputs:\n\tCLK\tASYNC\t \n\tA\tSYNC\t[3:0]\n",
                                           " - Outputs:\n\tQ\tSYNC\t[7:0]\n",
                                           " - Wires:\n\tT\tASYNC\t[1]\n",
                                           " - Inouts:\n\tX\tSYNC\t \n"}));
    }

    // With no operation box in the design no signal has a timing entry: each one is
    // shown as asynchronous, which it is until an operation box says otherwise.
    void signalsWithoutTiming()
    {
        MemorySink sink;
        ModelParts s(&sink);
        s.signalTable.inputNames = QStringList{"A", "B"};
        s.signalTable.inputRanges = QStringList{" ", "[2:0]"};
        s.signalTable.inputTiming = QStringList{"SYNC"};
        s.signalTable.wireNames = QStringList{"W"};
        s.signalTable.wireRanges = QStringList{" "};
        reportSignalList(s.signalTable, s.log);

        QCOMPARE(sink.output.at(1), QStringLiteral(" - Inputs:\n\tA\tSYNC\t \n\tB\tASYNC\t[2:0]\n"));
        QCOMPARE(sink.output.at(3), QStringLiteral(" - Wires:\n\tW\tASYNC\t \n"));
    }
};

ASMSIM_REGISTER_TEST(TestSignalListReport)
#include "tst_signallistreport.moc"
