// The pieces the rules stand on: the reader's Id lines and the mapping to physical
// lines, the file read as the reader reads it, the reading of expressions and of
// test-bench lines, the warnings' shape and their JUnit XML.

#include "check/checkdesign.h"
#include "check/designtext.h"
#include "check/expressionscan.h"
#include "check/lintjunit.h"
#include "check/readerview.h"
#include "check/testbenchlines.h"
#include "run/simstate.h"
#include "lang/signaltable.h"
#include "model/reader.h"
#include "model/readerlines.h"
#include "testmain.h"

#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

// A Text value of 250 characters: the reader reads its line as two.
const QByteArray kLongLine = "  Text = \"" + QByteArray(238, 'x') + "\";";

// What the scan of an expression found, in one line: the missing operand, the
// undeclared names, and the value of a single literal.
QString scanned(const QString &text)
{
    SignalTable table;
    table.inputNames = QStringList{QStringLiteral("EN")};
    table.outputNames = QStringList{QStringLiteral("Q")};
    const ExpressionScan scan = scanExpression(text, table);
    QStringList parts;
    if (!scan.operatorWithoutOperand.isEmpty())
        parts << (scan.operandMissingBefore ? "antes de " : "tras ") + scan.operatorWithoutOperand;
    if (!scan.undeclared.isEmpty())
        parts << "parametro " + scan.undeclared.join(QLatin1Char(','));
    if (scan.singleLiteral)
        parts << (scan.literalReadable ? "literal " + QString::number(scan.literalValue) : QStringLiteral("literal ?"));
    return parts.join(QStringLiteral("; "));
}

} // namespace

class TestCheckParts : public QObject {
    Q_OBJECT

private slots:
    // Reader lines are 200-character pieces: a line of 200 characters counts twice.
    void readerLinesMapToPhysicalLines_data()
    {
        QTest::addColumn<int>("readerLine");
        QTest::addColumn<int>("physicalLine");
        QTest::newRow("first") << 1 << 1;
        QTest::newRow("second piece of a 200-character line") << 3 << 2;
        QTest::newRow("after it") << 4 << 3;
        QTest::newRow("third piece of a 450-character line") << 7 << 4;
        QTest::newRow("last") << 8 << 5;
        QTest::newRow("past the end") << 9 << 0;
        QTest::newRow("zero") << 0 << 0;
    }

    void readerLinesMapToPhysicalLines()
    {
        QFETCH(int, readerLine);
        QFETCH(int, physicalLine);
        const QStringList lines{"a", QString(200, 'b'), "", QString(450, 'c'), "e"};
        QCOMPARE(physicalLineOfReaderLine(lines, readerLine), physicalLine);
    }

    // The reader keeps each box's Id line as it counts it; a box without one keeps its
    // Box line. After a 250-character line its count is one ahead of the file's.
    void theReaderRecordsEachBoxsIdLine()
    {
        QTemporaryDir dir;
        const QString path = writeFile(dir, "ids.vdo",
                                       "Box {\n  Id = 7;\n  Type = State;\n" + kLongLine + "\n}\n"
                                       "Box {\n  Type = State;\n}\nBox {\n  Type = State;\n  Id = 9;\n}\n");
        SimState state;
        readDesignFile(state.model, state.log, path);
        QCOMPARE(state.model.boxIds, (QVector<qint32>{7, 0, 9}));
        QCOMPARE(state.model.boxIdLines, (QVector<qint32>{2, 7, 12}));
        QStringList lines;
        QString error;
        QVERIFY(readDesignLines(path, lines, error));
        QCOMPARE(physicalLineOfReaderLine(lines, 12), 11);
    }

    // The boxes as the reader takes them: a value's pieces with their lines, the 200-
    // character pieces of a long line, and the opening lines it takes for an Id or a
    // Type line (which then open no value).
    void theReaderViewFollowsTheReader()
    {
        const QStringList lines = QString::fromUtf8(
            "Pages {\n  Id = 1; Name = Box;\n}\n"
            "Box {\n  Id = 3;\n  Text = \"Idle%CR%\n  Next = 4;\n}\n"
            "Box {\n  Id = 4;\n  TextDown = \"a;%CR%b\n c\";\n  TextUp = \"TypeA\";\n}\n"
            "Box {\n  Id = 5;\n" + kLongLine + "\n}\n").split(QLatin1Char('\n'));
        const QVector<ReaderBox> boxes = readerBoxes(lines);
        QCOMPARE(boxes.size(), 3);
        QCOMPARE(boxes.at(0).physicalLine, 4);
        QCOMPARE(boxes.at(0).misread.size(), 1);
        QCOMPARE(boxes.at(0).misread.first().physicalLine, 6);
        QCOMPARE(boxes.at(0).misread.first().key, QStringLiteral("Id"));
        QVERIFY(boxes.at(0).pieces.isEmpty());
        QCOMPARE(boxes.at(1).pieces.size(), 2);
        QCOMPARE(boxes.at(1).pieces.at(0).text, QStringLiteral("a;%CR%b"));
        QVERIFY(!boxes.at(1).pieces.at(0).lastOfValue);
        QCOMPARE(boxes.at(1).pieces.at(1).physicalLine, 12);
        QCOMPARE(boxes.at(1).pieces.at(1).text, QStringLiteral(" c"));
        QCOMPARE(boxes.at(1).misread.first().key, QStringLiteral("Type"));
        // The value's 200-character first piece; its rest is a line the box skips.
        QCOMPARE(boxes.at(2).pieces.size(), 2);
        QCOMPARE(boxes.at(2).pieces.at(0).text.size(), 190);
        QCOMPARE(boxes.at(2).pieces.at(1).physicalLine, 17);
    }

    // Only a piece that the reader stores as something else than it is loses text.
    void piecesHoldingEnd_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<int>("warnings");
        QTest::newRow("end simulation") << QByteArray("Type = MetaState;\n  Text = \"end simulation\";") << 0;
        QTest::newRow("the bare end") << QByteArray("Type = State;\n  Text = \"end\";") << 0;
        QTest::newRow("end simulation and more") << QByteArray("Type = MetaState;\n  Text = \"end simulation%CR%x\";") << 1;
        QTest::newRow("end simulation before a line") << QByteArray("Type = MetaState;\n  Text = \"end simulation\nx\";") << 1;
        QTest::newRow("pending") << QByteArray("Type = State;\n  Text = \"pending\";") << 1;
        QTest::newRow("upper case") << QByteArray("Type = State;\n  Text = \"PENDING\";") << 0;
    }

    void piecesHoldingEnd()
    {
        QFETCH(QByteArray, box);
        QFETCH(int, warnings);
        QTemporaryDir dir;
        const QString path = writeFile(dir, "end.vdo", "Box {\n  Id = 1;\n  " + box + "\n  Next = 0;\n}\n");
        int found = 0;
        for (const DesignWarning &w : checkDesignFile(path).warnings)
            found += w.rule == QLatin1String("end-en-texto");
        QCOMPARE(found, warnings);
    }

    void expressionsAreReadAsTheEvaluatorTakesThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found");
        QTest::newRow("complete") << "Q + 1;" << "";
        QTest::newRow("right operand missing") << "Q + ;" << "tras +";
        QTest::newRow("at the end") << "EN ==" << "tras ==";
        QTest::newRow("after a unary minus") << "Q + - ;" << "tras +";
        QTest::newRow("before a closing parenthesis") << "(Q * ) + 1" << "tras *";
        QTest::newRow("left operand missing") << "* 2" << "antes de *";
        QTest::newRow("conditional without its second value") << "EN == 1 ? 2 :" << "tras :";
        QTest::newRow("empty") << ";" << "";
        QTest::newRow("parameter") << "Q + UNO" << "parametro UNO";
        QTest::newRow("parameter in a condition") << "EN == ALTO && Q > BAJO" << "parametro ALTO,BAJO";
        QTest::newRow("instance prefix") << "TB.Q" << "";
        QTest::newRow("bit selection") << "Q[3:1] + EN[0]" << "";
        QTest::newRow("concatenation and replication") << "{EN, Q} + {4{EN}}" << "";
        QTest::newRow("hexadecimal digits are no names") << "'hFA + Q" << "";
        QTest::newRow("decimal literal") << "20" << "literal 20";
        QTest::newRow("sized literal") << "8'hFF;" << "literal 255";
        QTest::newRow("unary plus") << "+7" << "literal 7";
        QTest::newRow("negative literal") << "-1" << "";
        QTest::newRow("parenthesised literal") << "(20)" << "";
        QTest::newRow("comment after") << "Q + 1 // suma" << "";
    }

    void expressionsAreReadAsTheEvaluatorTakesThem()
    {
        QFETCH(QString, text);
        QFETCH(QString, found);
        QCOMPARE(scanned(text), found);
    }

    void testBenchLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("read");
        QTest::newRow("verification at a cycle") << "=> @3 TB.Q == 1" << "V @3 Q 1";
        QTest::newRow("verification in every cycle") << "=> TB.Q == -1" << "V Q -1";
        QTest::newRow("without prefix") << "=> @2 DONE == 0" << "V @2 DONE 0";
        QTest::newRow("action") << "@1 TB.EN <= 1" << "A @1 EN 1";
        QTest::newRow("action in every cycle") << "TB.X <= Q + 1" << "A X Q + 1";
    }

    void testBenchLines()
    {
        QFETCH(QString, line);
        QFETCH(QString, read);
        const TestBenchLine l = readTestBenchLine(line);
        QStringList parts{l.verification ? "V" : "A"};
        if (l.atCycle)
            parts << QStringLiteral("@%1").arg(l.k);
        parts << l.signal << l.value.trimmed();
        QCOMPARE(parts.join(QLatin1Char(' ')), read);
    }

    void warningsHaveTheCompilersShape()
    {
        const DesignWarning w{QStringLiteral("operando-ausente"), 36, QStringLiteral("falta «+»"), 15, 5};
        QCOMPARE(formatWarning(QStringLiteral("d/a.vdo"), w),
                 QStringLiteral("d/a.vdo:36: warning: falta «+» [operando-ausente]"));
    }

    // A suite per design: a failure per warning, one passing case for a clean design and
    // an error for one that cannot be read; the counts add up, and control characters
    // of a text are replaced so the document stays well-formed.
    void junitHasAFailurePerWarning()
    {
        DesignCheck warned;
        warned.readable = true;
        warned.warnings = {{QStringLiteral("a"), 3, QStringLiteral("uno <&>"), 1, 0},
                           {QStringLiteral("b"), 9, QStringLiteral("dos\x01"), 2, 1}};
        DesignCheck clean;
        clean.readable = true;
        DesignCheck unreadable;
        unreadable.error = QStringLiteral("cannot read x.vdo");
        const QByteArray xml = lintJUnitXml({{"w.vdo", warned}, {"c.vdo", clean}, {"x.vdo", unreadable}});

        QStringList seen;
        QXmlStreamReader reader(xml);
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = reader.attributes();
            if (reader.name() == QLatin1String("testsuites") || reader.name() == QLatin1String("testsuite"))
                seen << QStringLiteral("%1 %2 %3 %4 %5").arg(reader.name(), a.value("name"), a.value("tests"),
                                                             a.value("failures"), a.value("errors"));
            else if (reader.name() == QLatin1String("failure") || reader.name() == QLatin1String("error"))
                seen << reader.name().toString() + QLatin1Char(' ') + a.value("message").toString();
        }
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(seen, (QStringList{"testsuites  4 2 1", "testsuite w.vdo 2 2 0",
                                    "failure w.vdo:3: warning: uno <&> [a]",
                                    QStringLiteral("failure w.vdo:9: warning: dos\uFFFD [b]"),
                                    "testsuite c.vdo 1 0 0", "testsuite x.vdo 1 0 1", "error cannot read x.vdo"}));
    }
};

ASMSIM_REGISTER_TEST(TestCheckParts)
#include "tst_checkparts.moc"
