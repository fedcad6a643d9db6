// The design-file reader: keyword search, text values, line counting, the limits of the
// tables and the files it must survive. Expected traces are written out by hand from
// the file format.

#include "core/panesink.h"
#include "model/reader.h"
#include "modelparts.h"
#include "testmain.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString R(45, QLatin1Char('-'));
const QString kStart = QStringLiteral("//Leyendo, interpretando y guardando el archivo de texto en la memoria...");
const QString kEnd = QStringLiteral("//Fin de la simulación en modo lectura de archivo");

// Reads a design written to a temporary file; the state and sink stay for inspection.
struct Reading {
    MemorySink sink;
    ModelParts state{&sink};
    QTemporaryDir dir;

    void readBytes(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("design.vdo"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        readDesignFile(state.model, state.log, path);
    }
    void read(const QStringList &lines) { readBytes(lines.join(QLatin1Char('\n')).toUtf8() + '\n'); }

    const DesignModel &m() const { return state.model; }
    QStringList errors() const { return state.log.errorList; }
    // The process lines between the reader's two opening lines and its closing line.
    QStringList trace() const { return sink.process.mid(2, sink.process.size() - 3); }
    // The trace lines that start with prefix.
    QStringList traceStarting(const QString &prefix) const
    {
        QStringList found;
        for (const QString &line : sink.process)
            if (line.startsWith(prefix))
                found << line;
        return found;
    }
};

QStringList box(const QStringList &inner)
{
    return QStringList{QStringLiteral("Box {")} + inner + QStringList{QStringLiteral("}")};
}

// Every per-box table has one entry per stored box, and the matrices keep their shape.
void verifyTablesInStep(const DesignModel &m)
{
    QVERIFY(m.boxCount >= 0 && m.boxCount <= 300);
    QCOMPARE(m.boxIds.size(), m.boxCount);
    QCOMPARE(m.boxTypes.size(), m.boxCount);
    QCOMPARE(m.boxNext.size(), m.boxCount);
    QCOMPARE(m.boxNext0.size(), m.boxCount);
    QCOMPARE(m.boxNext1.size(), m.boxCount);
    QCOMPARE(m.boxVisited.size(), m.boxCount);
    QCOMPARE(m.pageIds.size(), m.pageNames.size());
    QCOMPARE(m.textMatrix.size(), 50);
    QCOMPARE(m.textUpMatrix.size(), 10);
    QCOMPARE(m.textDownMatrix.size(), 50);
    for (const TextMatrix *matrix : {&m.textMatrix, &m.textUpMatrix, &m.textDownMatrix})
        for (const QVector<QString> &row : *matrix)
            QCOMPARE(row.size(), 300);
}

} // namespace

class TestReader : public QObject {
    Q_OBJECT

private slots:
    void twoBoxExampleGivesItsTablesAndTrace();
    void crLfEndingsReadLikeLineFeeds();
    void keywordsAreFoundInsideLongerWords();
    void typeKeywordsLongestFirst_data();
    void typeKeywordsLongestFirst();
    void successorLines();
    void textValueOverSeveralLines();
    void carriageReturnMarkersSplitTextLines();
    void aPieceMentioningEndTakesOneCell();
    void aSecondTextKeyFillsOnlyEmptyCells();
    void aStoreThatWouldOutgrowItsCellIsRefused();
    void headerBoxHeadings();
    void longLinesAreReadInPieces_data();
    void longLinesAreReadInPieces();
    void commentLinesAreEchoedUpperCased();
    void fileLengthErrorAndCut();
    void missingFileIsAnError();
    void filesWithoutBoxesEndNormally_data();
    void filesWithoutBoxesEndNormally();
    void boxesBeyondTheTablesAreRefused();
    void textBeyondTheMatrixRowsIsRefused();
    void unclosedTextValueEndsAtTheEndOfTheFile();
    void textLineWithoutQuotesIsRefused();
    void boxIdLinesKeepTheTablesInStep();
    void unknownTypeIsReportedAndKeepsTheTablesInStep();
    void boxWithoutClosingBraceEndsAfter2000Lines();
    void randomFilesKeepTheTablesConsistent();
};

void TestReader::twoBoxExampleGivesItsTablesAndTrace()
{
    Reading r;
    r.readBytes(QByteArray("Pages {\n  Id = 1; Name = Hoja1;\n}\nBox {\n  Id = 10;\n  Type = Initial;\n"
                           "  Next = 11;\n}\nBox {\n  Id = 11;\n  Type = State;\n  TextUp = \"S0\";\n"
                           "  Text = \"a = 1;%CR%b = 0;\";\n  Next = 10;\n}\n"));
    const DesignModel &m = r.m();
    QCOMPARE(m.boxCount, 2);
    QCOMPARE(m.boxIds, (QVector<qint32>{10, 11}));
    QCOMPARE(boxTypeNames(m.boxTypes), (QStringList{"Initial", "State"}));
    QCOMPARE(m.boxNext, (QVector<qint32>{11, 10}));
    QCOMPARE(m.boxNext0, (QVector<qint32>{-1, -1}));
    QCOMPARE(m.boxNext1, (QVector<qint32>{-1, -1}));
    QCOMPARE(m.boxVisited, (QVector<qint32>{0, 0}));
    QCOMPARE(m.pageIds, QVector<qint32>{1});
    QCOMPARE(m.pageNames, QStringList{" Hoja1"});
    int filled = 0;
    for (const TextMatrix *matrix : {&m.textMatrix, &m.textUpMatrix, &m.textDownMatrix})
        for (const QVector<QString> &row : *matrix)
            filled += 300 - row.count(QStringLiteral("null"));
    QCOMPARE(filled, 3);
    QCOMPARE(m.textUpMatrix[0][1], QStringLiteral("S0"));
    QCOMPARE(m.textMatrix[0][1], QStringLiteral("a = 1;"));
    QCOMPARE(m.textMatrix[1][1], QStringLiteral("b = 0;"));

    const QStringList expected{
        kStart, R,
        R, "Palabra Pages encontrada en la linea: 1", R, "Id encontrado. Linea: 2 . ID = 1",
        "Name encontrado. Linea: 2 . NAME =  Hoja1", R, "Fin del modulo Pages", R,
        R, "Palabra Box encontrada en la linea: 4", R, "Id encontrado. Linea: 5 . ID = 10", R,
        "Box Type Initial. Linea: 6", R, "Next de este Box. Linea: 7. NEXT = 11", R,
        "Fin del modulo. Linea: 8", R,
        R, "Palabra Box encontrada en la linea: 9", R, "Id encontrado. Linea: 10 . ID = 11", R,
        "Box Type State. Linea: 11", R, "TextoUp de la caja STATE analizandose. Linea: 12", "Texto: S0", R,
        "Texto de la caja STATE analizandose. Linea: 13", "Texto: a = 1;", "Texto: b = 0;", R,
        "Next de este Box. Linea: 14. NEXT = 10", R, "Fin del modulo. Linea: 15", R,
        kEnd};
    QCOMPARE(r.sink.process, expected);
    QCOMPARE(r.sink.output,
             QStringList{"//--------------------------ARCHIVO DE SALIDA----------------------------//"});
    QVERIFY(r.errors().isEmpty());
    QVERIFY(r.state.log.warningList.isEmpty());
}

void TestReader::crLfEndingsReadLikeLineFeeds()
{
    Reading lf, crlf;
    const QStringList lines = box({"  Id = 3;", "  Type = SyncOps;", "  Text = \"q <= d;\";", "  Next = 4;"});
    lf.read(lines);
    crlf.readBytes(lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    QCOMPARE(crlf.sink.process, lf.sink.process);
    QCOMPARE(crlf.m().textMatrix[0][0], QStringLiteral("q <= d;"));
    QCOMPARE(crlf.m().boxNext, QVector<qint32>{4});
}

// "Idle" holds "Id", "Boxes" holds "Box": the searches look for substrings.
void TestReader::keywordsAreFoundInsideLongerWords()
{
    Reading r;
    r.read({"Boxes {", "  Type = State;", "  TextUp = \"Idle\";", "}"});
    QCOMPARE(r.m().boxCount, 1);
    QCOMPARE(r.m().boxIds, QVector<qint32>{0});
    QCOMPARE(r.traceStarting("Id encontrado"), QStringList{"Id encontrado. Linea: 3 . ID = 0"});
    QCOMPARE(r.m().textUpMatrix[0][0], QStringLiteral("null"));
}

void TestReader::typeKeywordsLongestFirst_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("traceLine");
    QTest::newRow("state-async-ops") << "Type = StateAsyncOps;" << "StateAsyncOps" << "Box Type StateAsyncOps. Linea: 3";
    QTest::newRow("state") << "Type = State;" << "State" << "Box Type State. Linea: 3";
    QTest::newRow("cond-sync-ops") << "Type = CondSyncOps;" << "CondSyncOps" << "Box Type CondSyncOps. Linea: 3";
    QTest::newRow("cond-async-ops") << "Type = CondAsyncOps;" << "CondAsyncOps" << "Box Type CondAsyncOps. Linea: 3";
    QTest::newRow("async-ops") << "Type = AsyncOps;" << "AsyncOps" << "Box Type AsyncOps. Linea: 3";
    QTest::newRow("sync-ops") << "Type = SyncOps;" << "SyncOps" << "Box Type SyncOps. Linea: 3";
    QTest::newRow("meta-state label") << "Type = MetaState;" << "MetaState" << "Box Type Meta State. Linea: 3";
    QTest::newRow("thread-sync") << "Type = ThreadSync;" << "ThreadSync" << "Box Type ThreadSync. Linea: 3";
    QTest::newRow("header first") << "Type = HeaderState;" << "Header" << "Caja tipo Header. Linea: 3";
    QTest::newRow("event") << "Type = Event;" << "Event" << "Box Type Event. Linea: 3";
    QTest::newRow("case matters") << "Type = state;" << "" << "ERROR! TYPE Box no implementado. Linea: 3";
}

void TestReader::typeKeywordsLongestFirst()
{
    QFETCH(QString, line);
    QFETCH(QString, type);
    QFETCH(QString, traceLine);
    Reading r;
    r.read(box({"  Id = 1;", "  " + line}));
    QCOMPARE(boxTypeNames(r.m().boxTypes), QStringList{type});
    QCOMPARE(r.sink.process.at(r.sink.process.indexOf("Id encontrado. Linea: 2 . ID = 1") + 2), traceLine);
}

void TestReader::successorLines()
{
    Reading r;
    r.read(box({"Id = 7;", "Type = Decision;", "Next1 = 9;", "Next0 = 8;", "Next = junk;"})
           + box({"Id = 8;", "Type = State;"}));
    QCOMPARE(r.m().boxNext, (QVector<qint32>{0, -1}));
    QCOMPARE(r.m().boxNext0, (QVector<qint32>{8, -1}));
    QCOMPARE(r.m().boxNext1, (QVector<qint32>{9, -1}));
    QCOMPARE(r.traceStarting("Next"),
             (QStringList{"Next1 de este Box. Linea: 4. NEXT1 = 9", "Next0 de este Box. Linea: 5. NEXT0 = 8",
                          "Next de este Box. Linea: 6. NEXT = 0"}));
}

void TestReader::textValueOverSeveralLines()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = SyncOps;", "Text = \"first line", "   middle, blanks kept  ",
                "last\" ; ignored", "Next = 2;"}));
    const TextMatrix &t = r.m().textMatrix;
    QCOMPARE(t[0][0], QStringLiteral("first line"));
    QCOMPARE(t[1][0], QStringLiteral("   middle, blanks kept  "));
    QCOMPARE(t[2][0], QStringLiteral("last"));
    QCOMPARE(t[3][0], QStringLiteral("null"));
    QCOMPARE(r.traceStarting("Next de"), QStringList{"Next de este Box. Linea: 7. NEXT = 2"});
    QCOMPARE(r.traceStarting("Texto"),
             (QStringList{"Texto de la caja SYNCOPS analizandose. Linea: 4", "Texto: first line",
                          "Texto:    middle, blanks kept  ", "Texto: last"}));
}

void TestReader::carriageReturnMarkersSplitTextLines()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = AsyncOps;", "TextDown = \"x = 1;%CR%%CR%y = 2;\";"}));
    const TextMatrix &t = r.m().textDownMatrix;
    QCOMPARE(t[0][0], QStringLiteral("x = 1;"));
    QCOMPARE(t[1][0], QString());
    QCOMPARE(t[2][0], QStringLiteral("y = 2;"));
    QCOMPARE(t[3][0], QStringLiteral("null"));
    QCOMPARE(r.traceStarting("Texto"), (QStringList{"TextoDown de la caja ASYNCOPS analizandose. Linea: 4",
                                                    "Texto: x = 1;", "Texto: ", "Texto: y = 2;"}));
}

void TestReader::aPieceMentioningEndTakesOneCell()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = MetaState;", "Text = \"end simulation\";"})
           + box({"Id = 2;", "Type = State;", "Text = \"pending%CR%more\";"})
           + box({"Id = 3;", "Type = State;", "Text = \"a;", "the end", "b\";"}));
    const TextMatrix &t = r.m().textMatrix;
    QCOMPARE(t[0][0], QStringLiteral("end simulation"));
    QCOMPARE(t[0][1], QStringLiteral("end"));
    QCOMPARE(t[1][1], QStringLiteral("null"));
    // In a value over several lines, the "end" line takes the next row without moving on.
    QCOMPARE(t[0][2], QStringLiteral("a;"));
    QCOMPARE(t[1][2], QStringLiteral("end"));
    QCOMPARE(t[2][2], QStringLiteral("null"));
    // "b" then goes to the row that "end" holds, which keeps its text.
    QCOMPARE(r.traceStarting("Texto: "), (QStringList{"Texto: a;", "Texto: b"}));
}

void TestReader::aSecondTextKeyFillsOnlyEmptyCells()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = SyncOps;", "Text = \"a%CR%b\";", "Text = \"c%CR%d%CR%e\";"}));
    const TextMatrix &t = r.m().textMatrix;
    QCOMPARE(t[0][0], QStringLiteral("a"));
    QCOMPARE(t[1][0], QStringLiteral("b"));
    QCOMPARE(t[2][0], QStringLiteral("e"));

    // A cell whose text still mentions "null" has each mention replaced, as any store does.
    Reading words;
    words.read(box({"Id = 1;", "Type = SyncOps;", "Text = \"null or null%CR%x\";", "Text = \"ab\";"}));
    QCOMPARE(words.m().textMatrix[0][0], QStringLiteral("ab or ab"));
    QCOMPARE(words.m().textMatrix[1][0], QStringLiteral("x"));
    QVERIFY(words.errors().isEmpty());
}

void TestReader::aStoreThatWouldOutgrowItsCellIsRefused()
{
    // Twenty "null"s (99 characters) filled with the same twenty give 99 + 20 * 95 =
    // 1999 characters and 400 "null"s, which fits. A 60-character value would then make
    // 1999 + 400 * 56 characters: the cell keeps its text, the refusal is reported once
    // for the value, and the value's next row is still stored.
    const QString twenty = QStringList(20, QStringLiteral("null")).join(QLatin1Char(' '));
    const QString wide(60, QLatin1Char('w'));
    Reading r;
    r.read(box({"Id = 1;", "Type = SyncOps;", "Text = \"" + twenty + "\";", "Text = \"" + twenty + "\";",
                "Text = \"" + wide + "%CR%" + wide + "\";", "Text = \"" + wide + "\";"}));
    const TextMatrix &t = r.m().textMatrix;
    QCOMPARE(t[0][0].size(), 1999);
    QCOMPARE(t[0][0].count(QLatin1String("null")), 400);
    QCOMPARE(t[1][0], wide);
    QCOMPARE(r.errors(), (QStringList{"ERROR!\t Texto demasiado largo al guardar; no se guarda. Linea: 6",
                                      "ERROR!\t Texto demasiado largo al guardar; no se guarda. Linea: 7"}));
}

void TestReader::headerBoxHeadings()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = Header;", "Text = \"module m\";"}) + box({"Id = 2;", "Text = \"x\";"}));
    QCOMPARE(r.traceStarting("Texto "), (QStringList{"Texto de la caja HEADER analizandose. Linea: 4",
                                                     "Texto de la caja DESCONOCIDA analizandose. Linea: 8"}));
    QCOMPARE(boxTypeNames(r.m().boxTypes), (QStringList{"Header", ""}));
}

void TestReader::longLinesAreReadInPieces_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("boxLine");
    QTest::newRow("199") << 199 << 2;
    QTest::newRow("200 gives an empty second piece") << 200 << 3;
    QTest::newRow("250") << 250 << 3;
    QTest::newRow("400") << 400 << 4;
    QTest::newRow("401") << 401 << 4;
}

void TestReader::longLinesAreReadInPieces()
{
    QFETCH(int, length);
    QFETCH(int, boxLine);
    Reading r;
    r.read({QString(length, QLatin1Char('x')), "Box {", "Id = 5;", "}"});
    QCOMPARE(r.traceStarting("Palabra Box"), QStringList{QStringLiteral("Palabra Box encontrada en la linea: %1").arg(boxLine)});
    // A keyword cut in two by the 200-character limit is not found.
    Reading cut;
    cut.read({QString(198, QLatin1Char(' ')) + "Box {", "Id = 5;", "}"});
    QCOMPARE(cut.m().boxCount, 0);
}

void TestReader::commentLinesAreEchoedUpperCased()
{
    Reading r;
    r.read({"   // hola, Mundo", "x // not a comment", "Box {", "}"});
    QVERIFY(r.sink.process.contains("// HOLA, MUNDO"));
    QCOMPARE(r.traceStarting("X "), QStringList());
    QCOMPARE(r.traceStarting("Palabra Box"), QStringList{"Palabra Box encontrada en la linea: 3"});
}

void TestReader::fileLengthErrorAndCut()
{
    const QString tooLong = "ERROR!\t Archivo excesivamente largo. Aumentar variable i en bucle while de LecturaArchivo();";
    QStringList lines(100000, QStringLiteral("."));
    lines += box({"Id = 4;", "Type = State;"});  // lines 100001 to 100004: beyond the cut
    Reading r;
    r.read(lines);
    QCOMPARE(r.m().boxCount, 0);
    QCOMPARE(r.errors(), QStringList{tooLong});

    QStringList fits(99990, QStringLiteral("."));
    fits += box({"Id = 4;", "Type = State;"});  // lines 99991 to 99994
    Reading f;
    f.read(fits);
    QCOMPARE(f.m().boxIds, QVector<qint32>{4});
    QCOMPARE(f.errors(), QStringList{tooLong});  // the passes after the end reach 99999

    Reading shortFile;
    shortFile.read(QStringList(99000, QStringLiteral(".")));
    QCOMPARE(shortFile.errors(), QStringList());
}

void TestReader::missingFileIsAnError()
{
    Reading r;
    const QString path = r.dir.filePath("absent.vdo");
    readDesignFile(r.state.model, r.state.log, path);
    QCOMPARE(r.errors(), QStringList{"ERROR!\t No se puede abrir el archivo: " + path});
    QCOMPARE(r.sink.process, (QStringList{kStart, R, kEnd}));
    QCOMPARE(r.m().boxCount, 0);
    verifyTablesInStep(r.m());
}

void TestReader::filesWithoutBoxesEndNormally_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only braces") << QByteArray("}\n}\n}\n");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\x80\x81\x22\x0d\x0a\x00", 10);
    QTest::newRow("invalid utf-8 text") << QByteArray("\xc3\x28 Pages \xa0\xa1\n");
    QTest::newRow("no final newline") << QByteArray("just text");
}

void TestReader::filesWithoutBoxesEndNormally()
{
    QFETCH(QByteArray, bytes);
    Reading r;
    r.readBytes(bytes);
    QCOMPARE(r.m().boxCount, 0);
    QCOMPARE(r.sink.process.last(), kEnd);
    verifyTablesInStep(r.m());
}

void TestReader::boxesBeyondTheTablesAreRefused()
{
    QStringList lines;
    for (int id = 1; id <= 302; ++id)
        lines += box({QStringLiteral("Id = %1;").arg(id), "Type = State;", "Text = \"s\";"});
    Reading r;
    r.read(lines);
    QCOMPARE(r.m().boxCount, 300);
    QCOMPARE(r.m().boxIds.last(), 300);
    // Box 301 starts at line 5 * 300 + 1.
    QCOMPARE(r.errors(), QStringList{"ERROR!\t Demasiadas cajas: solo caben 300. No se guardan las cajas desde la linea: 1501"});
    QCOMPARE(r.traceStarting("Palabra Box").size(), 300);
    verifyTablesInStep(r.m());
}

void TestReader::textBeyondTheMatrixRowsIsRefused()
{
    const QString up = QStringList(12, QStringLiteral("u")).join(QStringLiteral("%CR%"));
    QStringList text{"Text = \"t0"};
    for (int i = 1; i < 55; ++i)
        text << QStringLiteral("t%1").arg(i);
    text << "\";";
    Reading r;
    r.read(box(QStringList{"Id = 1;", "Type = State;", "TextUp = \"" + up + "\";"} + text + QStringList{"Next = 6;"}));
    QCOMPARE(r.m().textUpMatrix[9][0], QStringLiteral("u"));
    QCOMPARE(r.m().textMatrix[49][0], QStringLiteral("t49"));
    QCOMPARE(r.traceStarting("Texto: ").size(), 10 + 50);
    QCOMPARE(r.errors(),
             (QStringList{"ERROR!\t Texto con demasiadas lineas (caben 10); no se guardan las siguientes. Linea: 4",
                          "ERROR!\t Texto con demasiadas lineas (caben 50); no se guardan las siguientes. Linea: 5"}));
    QCOMPARE(r.m().boxNext, QVector<qint32>{6});  // the reading stays in step after the value
    verifyTablesInStep(r.m());
}

void TestReader::unclosedTextValueEndsAtTheEndOfTheFile()
{
    Reading r;
    r.read({"Box {", "Id = 1;", "Type = State;", "Text = \"never closed", "Next = 2;", "}"});
    QCOMPARE(r.m().boxCount, 1);
    QCOMPARE(r.m().textMatrix[1][0], QStringLiteral("Next = 2;"));
    QCOMPARE(r.errors(), QStringList{"ERROR!\t Texto sin cerrar al final del archivo. Linea: 4"});
    QCOMPARE(r.sink.process.last(), kEnd);
    verifyTablesInStep(r.m());
}

void TestReader::textLineWithoutQuotesIsRefused()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = State;", "Text = a <= 1;", "Next = 3;"}));
    QCOMPARE(r.errors(), QStringList{"ERROR!\t Texto sin comillas; no se guarda. Linea: 4"});
    QCOMPARE(r.m().textMatrix[0][0], QStringLiteral("null"));
    QCOMPARE(r.m().boxNext, QVector<qint32>{3});
}

void TestReader::boxIdLinesKeepTheTablesInStep()
{
    Reading r;
    r.read(box({"Id = 5;", "Type = State;", "TextUp = \"Idle\";"}) + box({"Type = State;"})
           + box({"Id = 9;", "Type = State;"}));
    QCOMPARE(r.m().boxIds, (QVector<qint32>{5, 0, 9}));
    QCOMPARE(r.errors(), (QStringList{"ERROR!\t Segunda linea Id en la caja; no se guarda. Linea: 4",
                                      "ERROR!\t Caja sin Id; se le da el ID 0. Linea: 6"}));
    verifyTablesInStep(r.m());
}

void TestReader::unknownTypeIsReportedAndKeepsTheTablesInStep()
{
    Reading r;
    r.read(box({"Id = 1;", "Type = Widget;"}) + box({"Id = 2;"}) + box({"Id = 3;", "Type = State;", "Type = Decision;"}));
    QCOMPARE(boxTypeNames(r.m().boxTypes), (QStringList{"", "", "State"}));
    QCOMPARE(r.errors(), (QStringList{"ERROR!\t TYPE Box no implementado. Linea: 3",
                                      "ERROR!\t Caja sin Type. Linea: 5",
                                      "ERROR!\t Segunda linea Type en la caja; no se guarda. Linea: 11"}));
    QCOMPARE(r.traceStarting("ERROR!"), QStringList{"ERROR! TYPE Box no implementado. Linea: 3"});
    verifyTablesInStep(r.m());
}

void TestReader::boxWithoutClosingBraceEndsAfter2000Lines()
{
    QStringList lines{"Box {", "Id = 1;"};
    lines += QStringList(1999, QStringLiteral("skip"));
    lines += box({"Id = 2;"});  // its "Box" line is the one left over after 2000 box lines
    lines += box({"Id = 3;"});  // at line 2005, counted as 2004: the left-over line is not counted
    Reading r;
    r.read(lines);
    QCOMPARE(r.m().boxIds, (QVector<qint32>{1, 3}));
    QCOMPARE(r.traceStarting("Palabra Box"), (QStringList{"Palabra Box encontrada en la linea: 1",
                                                          "Palabra Box encontrada en la linea: 2004"}));
}

// Files made of pieces of the format in random order: the reading always ends and
// the tables always stay in step.
void TestReader::randomFilesKeepTheTablesConsistent()
{
    const QStringList pieces{"Box {", "}", "Pages {", "Id = 3; Name = p;", "Id = 12;", "Idle", "Type = State;",
                             "Type = Decision;", "Type = Nope;", "Text = \"a%CR%b", "TextUp = \"x\";",
                             "TextDown = \"end simulation\";", "q\";", "Next = 4;", "Next0 = 0;", "Next1 = -7;",
                             "\"", "// note", "", "%CR%%CR%%CR%", QString(230, QLatin1Char('"'))};
    QRandomGenerator random(20261207);
    for (int file = 0; file < 300; ++file) {
        QStringList lines;
        const int count = random.bounded(1, 120);
        for (int i = 0; i < count; ++i)
            lines << pieces.at(random.bounded(int(pieces.size())));
        Reading r;
        r.read(lines);
        verifyTablesInStep(r.m());
        QCOMPARE(r.sink.process.last(), kEnd);
    }
}

ASMSIM_REGISTER_TEST(TestReader)
#include "tst_reader.moc"
