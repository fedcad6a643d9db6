// From a pane line to the design file: what a report line names, and which editor line
// holds it.

#include "gui/sourcejump.h"
#include "testmain.h"

#include <QTest>

Q_DECLARE_METATYPE(SourceRef::Kind)

namespace {

QStringList linesOf(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

} // namespace

class TestSourceJump : public QObject {
    Q_OBJECT

private slots:
    void referenceInPaneLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<SourceRef::Kind>("kind");
        QTest::addColumn<int>("number");

        const auto none = SourceRef::None;
        const auto file = SourceRef::FileLine;
        const auto box = SourceRef::BoxId;
        // The reader's trace.
        QTest::newRow("box type") << "Box Type SyncOps. Linea: 37" << file << 37;
        QTest::newRow("lower-case linea") << "Palabra Box encontrada en la linea: 16" << file << 16;
        QTest::newRow("line wins over ID") << "Id encontrado. Linea: 11 . ID = 11" << file << 11;
        QTest::newRow("line before NEXT") << "Next de este Box. Linea: 26. NEXT = 14" << file << 26;
        // The cycles and the hierarchy.
        QTest::newRow("next ID") << "  - Decision: EN == 1\t\t->\tResultado Decision: Comparacion Verdadera (Camino 1). Next ID: 15"
                                 << box << 15;
        QTest::newRow("first of two IDs") << "\tState inicio ID: 13,\tState inicio IT: 3,\tSTATE TYPE: State\t     ->\tState paro sin decisiones ID: 16"
                                          << box << 13;
        QTest::newRow("con ID") << "WARNING!\t Hijo no encontrado con ID: 7" << box << 7;
        QTest::newRow("ID equals") << "Hijo ID = 204 sin tipo" << box << 204;
        // Nothing to go to.
        QTest::newRow("no number") << "Linea: fin" << none << 0;
        QTest::newRow("negative ID") << "Next ID: -1" << none << 0;
        QTest::newRow("ID inside a word") << "VALID: 3" << none << 0;
        QTest::newRow("id in lower case") << "Hijo id: 3" << none << 0;
        QTest::newRow("table heading") << "-ID Cabeceras:    \t10\t30\t" << none << 0;
        QTest::newRow("too long a number") << "Linea: 99999999999" << none << 0;
        QTest::newRow("empty") << "" << none << 0;
    }

    void referenceInPaneLine()
    {
        QFETCH(QString, line);
        QFETCH(SourceRef::Kind, kind);
        QFETCH(int, number);
        const SourceRef ref = sourceRefIn(line);
        QCOMPARE(ref.kind, kind);
        if (kind != SourceRef::None)
            QCOMPARE(ref.number, number);
    }

    // The reader reads a long line in pieces of 200 characters, each counted as a line.
    void fileLinesOfLongLines()
    {
        const QStringList lines = {QStringLiteral("uno"), QString(250, QLatin1Char('x')), QStringLiteral("tres"),
                                   QString(200, QLatin1Char('y')), QStringLiteral("cinco")};
        // File lines: 1 "uno"; 2-3 the 250 characters (200 + 50); 4 "tres"; 5-6 the 200
        // characters (200 + an empty piece); 7 "cinco".
        const QList<QPair<int, int>> fileToEditor = {{1, 1}, {2, 2}, {3, 2}, {4, 3}, {5, 4}, {6, 4}, {7, 5}, {8, 0}, {0, 0}};
        for (const auto &[fileLine, editorLine] : fileToEditor)
            QVERIFY2(editorLineOfFileLine(lines, fileLine) == editorLine, qPrintable(QString::number(fileLine)));
    }

    void boxIdLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("line");

        const char *design =
            "Pages {\n"                 // 1
            "  Id = 15; Name = Hoja;\n" // 2: a page's ID, not a box's
            "}\n"                       // 3
            "Box {\n"                   // 4
            "  Id = 10;\n"              // 5
            "  Type = State;\n"         // 6
            "  Text = \"a = 1;\n"       // 7: a value over three lines
            "  Id = 99;\n"              // 8: inside the value
            "  b\";\n"                  // 9
            "  Next = 15;\n"            // 10
            "}\n"                       // 11
            "Box {\n"                   // 12
            "  Type = SyncOps;\n"       // 13
            "  Id = 15 ;\n"             // 14: blanks around the value
            "}\n";                      // 15
        QTest::newRow("first box") << design << 10 << 5;
        QTest::newRow("box, not page") << design << 15 << 14;
        QTest::newRow("inside a text value") << design << 99 << 0;
        QTest::newRow("missing") << design << 11 << 0;

        // "Idle" holds "Id": the reader takes that line as the box's ID line (value 0),
        // and a later Id line of the same box is refused.
        const char *idle =
            "Box {\n"                  // 1
            "  Text = \"Idle\";\n"     // 2
            "  Id = 4;\n"              // 3
            "}\n";                     // 4
        QTest::newRow("Idle is an ID line") << idle << 0 << 2;
        QTest::newRow("second ID line refused") << idle << 4 << 0;

        // Two boxes with one ID: a lookup by ID finds the later one.
        const char *twice = "Box {\n  Id = 7;\n}\nBox {\n  Id = 7;\n}\n";
        QTest::newRow("later duplicate") << twice << 7 << 5;

        // A box without an Id line has ID 0; its "Box" line is where it is.
        QTest::newRow("box without ID") << "x\nBox {\n  Type = State;\n}\n" << 0 << 2;
    }

    void boxIdLines()
    {
        QFETCH(QString, text);
        QFETCH(int, id);
        QFETCH(int, line);
        QCOMPARE(boxIdLine(text.split(QLatin1Char('\n')), id), line);
    }

    // A box by its place among the boxes, as the chart knows it: of two boxes with one
    // ID each has its own line; the page's ID line and a line inside a text value are no
    // boxes; a box without an Id line is at its "Box" line.
    void boxesByPosition()
    {
        const QStringList lines = linesOf("Pages {\n"           // 1
                                          "  Id = 15;\n"        // 2
                                          "}\n"                 // 3
                                          "Box {\n"             // 4
                                          "  Id = 7;\n"         // 5
                                          "  Text = \"a\n"      // 6
                                          "  Id = 8;\n"         // 7
                                          "  b\";\n"            // 8
                                          "}\n"                 // 9
                                          "Box {\n"             // 10
                                          "  Type = State;\n"   // 11
                                          "}\n"                 // 12
                                          "Box {\n"             // 13
                                          "  Id = 7;\n"         // 14
                                          "}\n");
        QCOMPARE(boxPositionLine(lines, 0), 5);
        QCOMPARE(boxPositionLine(lines, 1), 10);
        QCOMPARE(boxPositionLine(lines, 2), 14);
        QCOMPARE(boxPositionLine(lines, 3), 0);
        QCOMPARE(boxPositionLine(lines, -1), 0);
        QCOMPARE(boxIdLine(lines, 7), 14);
    }

    // A line of 250 characters before a box is two lines for the reader, but one line of
    // the editor: the box is still found on its editor line.
    void boxAfterLongLine()
    {
        QStringList lines = linesOf("Box {\n  Id = 3;\n}\n");
        lines.prepend(QString(250, QLatin1Char('-')));
        QCOMPARE(boxIdLine(lines, 3), 3);
    }

    // Only the first 300 boxes fit in the tables; a box after them cannot be found.
    void boxesPastTheTablesAreNotFound()
    {
        QStringList lines;
        for (int id = 1; id <= 301; ++id)
            lines << QStringLiteral("Box {") << QStringLiteral("  Id = %1;").arg(id) << QStringLiteral("}");
        QCOMPARE(boxIdLine(lines, 300), 300 * 3 - 1);
        QCOMPARE(boxIdLine(lines, 301), 0);
    }
};

ASMSIM_REGISTER_TEST(TestSourceJump)
#include "tst_sourcejump.moc"
