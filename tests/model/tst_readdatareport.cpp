// The report of what the reader stored: the counts and the rows of the three text
// matrices that hold text, one column per box.

#include "core/panesink.h"
#include "model/readdatareport.h"
#include "modelparts.h"
#include "testmain.h"

#include <QTest>

namespace {

const QString S = QString("  -").repeated(220);

QStringList emptyReport(int boxes, int pages)
{
    return {"",
            "//--------------DATOS GUARDADOS AL LEER EL ARCHIVO-----------------//",
            QString(" - Numero de BOX leidos: %1").arg(boxes),
            QString(" - Numero de PAGES leidos: %1").arg(pages),
            " - Matriz de TEXT: ", S, S,
            "\n - Matriz de TEXT UP: ", S, S,
            "\n - Matriz de TEXT DOWN: ", S, S};
}

struct Report {
    MemorySink sink;
    ModelParts state{&sink};
    Report() { rebuildTextMatrices(state.model); }
};

} // namespace

class TestReadDataReport : public QObject {
    Q_OBJECT

private slots:
    void separatorIs660Characters() { QCOMPARE(S.size(), 660); }

    void designWithoutBoxes()
    {
        Report r;
        r.state.model.pageIds = {1, 2};
        reportReadData(r.state.model, r.state.log);
        QCOMPARE(r.sink.output, emptyReport(0, 2));
        QVERIFY(r.state.model.readerLines.isEmpty());
    }

    void onlyRowsWithTextAreListed()
    {
        Report r;
        DesignModel &m = r.state.model;
        m.boxIds = {4, 5};
        m.textMatrix[0][1] = "a";
        m.textMatrix[1][1] = "b";
        m.textDownMatrix[3][0] = "end";
        m.textMatrix[7][2] = "beyond the boxes read";  // column 2 is no box: never shown
        reportReadData(r.state.model, r.state.log);
        QStringList expected = emptyReport(2, 0);
        expected.insert(6, "|   null\ta\t|");
        expected.insert(7, "|   null\tb\t|");
        expected.insert(14, "|   end\tnull\t|");
        QCOMPARE(r.sink.output, expected);
    }

    void textUpRowsAndLineFeedHeadings()
    {
        Report r;
        DesignModel &m = r.state.model;
        m.boxIds = {1};
        m.textUpMatrix[9][0] = "S9";
        reportReadData(r.state.model, r.state.log);
        QCOMPARE(r.sink.output.at(7), QString("\n - Matriz de TEXT UP: "));
        QCOMPARE(r.sink.output.at(9), QString("|   S9\t|"));
        QCOMPARE(r.sink.output.size(), emptyReport(1, 0).size() + 1);
    }
};

ASMSIM_REGISTER_TEST(TestReadDataReport)
#include "tst_readdatareport.moc"
