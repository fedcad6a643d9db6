#include "model/reader.h"

#include "core/messagelog.h"
#include "core/simstate.h"
#include "lang/lexer.h"
#include "model/designlines.h"
#include "model/readerkeywords.h"

#include <QFile>
#include <optional>

namespace {

const QString kRule(45, QLatin1Char('-'));
constexpr int kMaxLineLength = 200;   // longer physical lines are read in pieces
// Room of one text cell. A line is at most kMaxLineLength characters, so only a value
// that repeats a key over and over comes near it.
constexpr int kMaxCellLength = 4000;
constexpr int kMaxBoxLines = 2000;    // a box without "}" ends after this many lines
constexpr int kLastLine = 100000;     // the reader stops after this line
constexpr int kLongFileLine = 99999;  // reaching it is reported as an error
constexpr int kEmptyPassesAtEnd = 100;

// The integer after the first "=" of a "key = value;" text; 0 when it is not one.
qint32 valueAfterEquals(const QString &field)
{
    const int eq = field.indexOf(QLatin1Char('='));
    if (eq < 0)
        return 0;
    return field.mid(eq + 1).trimmed().toInt();
}

qint32 keyValue(const QString &line)
{
    return valueAfterEquals(line.section(QLatin1Char(';'), 0, 0));
}

QString textAfterEquals(const QString &field)
{
    const int eq = field.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : field.mid(eq + 1);
}

// Splits a piece of a text value at each "%CR%", keeping empty text lines.
QStringList textLines(const QString &piece)
{
    return piece.split(QStringLiteral("%CR%"));
}

class Reader {
public:
    Reader(SimState &state, QIODevice *file)
        : state(state), m(state.model)
    {
        // Each piece read moves the line number on by one at most, so the reader reads at
        // least kLastLine pieces before it stops: the encoding is decided within them.
        if (file)
            in.emplace(file, kMaxLineLength, kLastLine);
    }

    void readAll();

private:
    SimState &state;
    DesignModel &m;
    std::optional<DesignLines> in;
    QString line;  // null at the end of the file, unlike an empty line
    int lineNo = 1;

    // Per box: the type of its latest type line, whether it fits in the tables, and
    // whether it has had its ID and type lines.
    QString boxType;
    bool storing = true;
    bool hasId = false;
    bool hasType = false;
    bool sawTypeLine = false;
    bool tooManyBoxesReported = false;

    void readLine() { line = in ? in->next() : QString(); }
    void advance()
    {
        readLine();
        ++lineNo;
    }
    void note(const QString &text)
    {
        if (storing)
            m.readerLines << text;
    }
    void flushTrace()
    {
        showInProcessPane(state, m.readerLines);
        m.readerLines.clear();
    }
    void error(const QString &text) { logMessage(state, text, LogError); }

    void echoComment();
    void readPage();
    void readBox();
    bool readBoxLine();
    void readId();
    void readType();
    void readNext();
    void endBox(int boxLine);

    void readTextValue();
    void storePiece(TextMatrix &matrix, int rows, int &row, const QString &piece, int keyLine);
    bool storeCell(TextMatrix &matrix, int rows, int &row, const QString &text, int keyLine);
    bool rowOverflowReported = false;
    bool lengthOverflowReported = false;
};

// A top-level comment line is echoed, left-trimmed and upper-cased as the lexer leaves it.
void Reader::echoComment()
{
    if (scanToken(line, false) == TokComment)
        showInProcessPane(state, {line});
}

void Reader::readAll()
{
    int emptyPasses = 0;
    while (true) {
        if (line.isNull()) {
            if (++emptyPasses == kEmptyPassesAtEnd)
                lineNo = kLastLine + 1;
        } else {
            emptyPasses = 0;
            echoComment();
        }
        readLine();
        if (line.contains(QLatin1String("Pages")))
            readPage();
        else if (line.contains(QLatin1String("Box")))
            readBox();
        else
            ++lineNo;
        flushTrace();
        if (lineNo == kLongFileLine)
            error(QStringLiteral("ERROR!\t Archivo excesivamente largo. Aumentar variable i en bucle while de LecturaArchivo();"));
        if (lineNo > kLastLine)
            break;
    }
    m.readerLines << QStringLiteral("//Fin de la simulación en modo lectura de archivo");
    flushTrace();
}

// Three lines: the "Pages" line, "Id = n; Name = text;", and a closing line.
void Reader::readPage()
{
    m.readerLines << kRule << QStringLiteral("Palabra Pages encontrada en la linea: %1").arg(lineNo)
                  << kRule;
    readLine();
    ++lineNo;
    const qint32 id = valueAfterEquals(line.section(QLatin1Char(';'), 0, 0));
    const QString name = textAfterEquals(line.section(QLatin1Char(';'), 1, 1));
    m.pageIds << id;
    m.pageNames << name;
    m.readerLines << QStringLiteral("Id encontrado. Linea: %1 . ID = %2").arg(lineNo).arg(id)
                  << QStringLiteral("Name encontrado. Linea: %1 . NAME = %2").arg(lineNo).arg(name)
                  << kRule;
    ++lineNo;
    readLine();
    ++lineNo;
    if (line.contains(QLatin1Char('}')))
        m.readerLines << QStringLiteral("Fin del modulo Pages") << kRule;
    flushTrace();
}

// A box beyond the room of the tables is still read to its end, so that the file stays
// in step, but nothing of it is stored or traced.
void Reader::readBox()
{
    const int boxLine = lineNo;
    storing = m.boxCount < kMaxBoxes;
    if (!storing && !tooManyBoxesReported) {
        tooManyBoxesReported = true;
        error(QStringLiteral("ERROR!\t Demasiadas cajas: solo caben %1. No se guardan las cajas desde la linea: %2")
                  .arg(kMaxBoxes).arg(boxLine));
    }
    if (storing) {
        m.boxNext << -1;
        m.boxNext0 << -1;
        m.boxNext1 << -1;
    }
    boxType.clear();
    hasId = hasType = sawTypeLine = false;
    note(kRule);
    note(QStringLiteral("Palabra Box encontrada en la linea: %1").arg(boxLine));
    note(kRule);
    flushTrace();

    advance();
    for (int handled = 0; handled < kMaxBoxLines; ++handled) {
        if (!readBoxLine())
            break;
    }
    if (storing)
        endBox(boxLine);
    storing = true;
}

// Handles the current box line; false at the box's "}".
bool Reader::readBoxLine()
{
    if (line.contains(QLatin1String("Id"))) {
        readId();
    } else if (line.contains(QLatin1String("Type"))) {
        readType();
    } else if (line.contains(QLatin1String("Text"))) {
        readTextValue();
    } else if (line.contains(QLatin1String("Next"))) {
        readNext();
    } else if (line.contains(QLatin1Char('}'))) {
        note(QStringLiteral("Fin del modulo. Linea: %1").arg(lineNo));
        note(kRule);
        ++lineNo;
        return false;
    } else {
        advance();
    }
    return true;
}

// A second ID line (a text value such as "Idle" is one) would put the IDs out of step
// with the boxes: it is refused.
void Reader::readId()
{
    if (storing && hasId) {
        error(QStringLiteral("ERROR!\t Segunda linea Id en la caja; no se guarda. Linea: %1").arg(lineNo));
    } else if (storing) {
        m.boxIds << keyValue(line);
        m.boxIdLines << lineNo;
        hasId = true;
        note(QStringLiteral("Id encontrado. Linea: %1 . ID = %2").arg(lineNo).arg(m.boxIds.at(m.boxCount)));
        note(kRule);
    }
    advance();
}

void Reader::readType()
{
    const QString type = findBoxType(line);
    if (type.isEmpty()) {
        note(QStringLiteral("ERROR! TYPE Box no implementado. Linea: %1").arg(lineNo));
        note(kRule);
        if (storing)
            error(QStringLiteral("ERROR!\t TYPE Box no implementado. Linea: %1").arg(lineNo));
    } else if (storing && hasType) {
        error(QStringLiteral("ERROR!\t Segunda linea Type en la caja; no se guarda. Linea: %1").arg(lineNo));
    } else {
        if (type == QLatin1String("Header"))
            note(QStringLiteral("Caja tipo Header. Linea: %1").arg(lineNo));
        else
            note(QStringLiteral("Box Type %1. Linea: %2").arg(boxTypeLabel(type)).arg(lineNo));
        note(kRule);
        if (storing)
            m.boxTypes << type;
        hasType = true;
    }
    boxType = type;
    sawTypeLine = true;
    advance();
}

void Reader::readNext()
{
    const qint32 value = keyValue(line);
    QString key = QStringLiteral("Next");
    QVector<qint32> *links = &m.boxNext;
    if (line.contains(QLatin1String("Next0"))) {
        key = QStringLiteral("Next0");
        links = &m.boxNext0;
    } else if (line.contains(QLatin1String("Next1"))) {
        key = QStringLiteral("Next1");
        links = &m.boxNext1;
    }
    if (storing)
        (*links)[m.boxCount] = value;
    note(QStringLiteral("%1 de este Box. Linea: %2. %3 = %4").arg(key).arg(lineNo).arg(key.toUpper()).arg(value));
    note(kRule);
    advance();
}

// Keeps the per-box tables in step: a box without an ID line gets ID 0 and a box
// without a recognised type an empty type, each reported.
void Reader::endBox(int boxLine)
{
    if (!hasId) {
        m.boxIds << 0;
        m.boxIdLines << boxLine;
        error(QStringLiteral("ERROR!\t Caja sin Id; se le da el ID 0. Linea: %1").arg(boxLine));
    }
    if (!hasType) {
        m.boxTypes << QString();
        if (!sawTypeLine)
            error(QStringLiteral("ERROR!\t Caja sin Type. Linea: %1").arg(boxLine));
    }
    m.boxVisited << 0;
    ++m.boxCount;
}

// A text value: the text between the first double quote of the key line and the next
// double quote, on the same line or a later one.
void Reader::readTextValue()
{
    const int keyLine = lineNo;
    const int quote = line.indexOf(QLatin1Char('"'));
    if (quote < 0) {
        if (storing)
            error(QStringLiteral("ERROR!\t Texto sin comillas; no se guarda. Linea: %1").arg(keyLine));
        advance();
        return;
    }
    const TextKind kind = textKindOfKey(line.left(quote));
    TextMatrix &matrix = kind == TextUp ? m.textUpMatrix : kind == TextDown ? m.textDownMatrix : m.textMatrix;
    const int rows = kind == TextUp ? kTextUpRows : kind == TextDown ? kTextDownRows : kTextRows;
    note(textHeading(kind, boxType) + QString::number(keyLine));

    rowOverflowReported = false;
    lengthOverflowReported = false;
    int row = 0;
    QString rest = line.mid(quote + 1);
    int close = rest.indexOf(QLatin1Char('"'));
    storePiece(matrix, rows, row, close < 0 ? rest : rest.left(close), keyLine);
    while (close < 0) {
        advance();
        if (line.isNull()) {
            if (storing)
                error(QStringLiteral("ERROR!\t Texto sin cerrar al final del archivo. Linea: %1").arg(keyLine));
            return;
        }
        close = line.indexOf(QLatin1Char('"'));
        storePiece(matrix, rows, row, close < 0 ? line : line.left(close), keyLine);
    }
    note(kRule);
    advance();
}

// A piece that mentions "end" marks the end of the test bench and takes one cell
// without advancing; any other piece gives one text line per "%CR%"-separated part.
void Reader::storePiece(TextMatrix &matrix, int rows, int &row, const QString &piece, int keyLine)
{
    if (piece.contains(QLatin1String("end"))) {
        const bool simulation = piece.contains(QLatin1String("end simulation"));
        int fixedRow = row;
        storeCell(matrix, rows, fixedRow, simulation ? QStringLiteral("end simulation") : QStringLiteral("end"), keyLine);
        return;
    }
    for (const QString &text : textLines(piece)) {
        if (!storeCell(matrix, rows, row, text, keyLine))
            return;
        note(QStringLiteral("Texto: ") + text);
    }
}

// Length of the cell once every "null" in it is replaced by text. Counted before the
// replace: each repeated key multiplies the "null"s of a cell, so the replace itself is
// what must not run away.
qint64 storedLength(const QString &cell, const QString &text)
{
    const qint64 nulls = cell.count(QLatin1String("null"));
    return cell.size() + nulls * (text.size() - 4);
}

// Stores text in the cell at row and moves row on. Storing replaces every "null" in the
// cell, so a cell already filled by an earlier value of the box keeps its text. A row
// past the matrix, or a cell that would grow past kMaxCellLength, is refused, each
// reported once per value.
bool Reader::storeCell(TextMatrix &matrix, int rows, int &row, const QString &text, int keyLine)
{
    if (!storing)
        return true;
    if (row >= rows) {
        if (!rowOverflowReported)
            error(QStringLiteral("ERROR!\t Texto con demasiadas lineas (caben %1); no se guardan las siguientes. Linea: %2")
                      .arg(rows).arg(keyLine));
        rowOverflowReported = true;
        return false;
    }
    QString &cell = matrix[row][m.boxCount];
    if (storedLength(cell, text) > kMaxCellLength) {
        if (!lengthOverflowReported)
            error(QStringLiteral("ERROR!\t Texto demasiado largo al guardar; no se guarda. Linea: %1").arg(keyLine));
        lengthOverflowReported = true;
    } else {
        cell.replace(QLatin1String("null"), text);
    }
    ++row;
    return true;
}

} // namespace

void LecturaArchivo(SimState &state, const QString &path)
{
    showInProcessPane(state, {QStringLiteral("//Leyendo, interpretando y guardando el archivo de texto en la memoria..."),
                              kRule});
    showInOutputPane(state, {QStringLiteral("//--------------------------ARCHIVO DE SALIDA----------------------------//")});
    resetDesignModel(state);
    state.model.boxCount = 0;
    rebuildTextMatrices(state.model);
    // The reset also empties the error list, so a failure to open the output file, found
    // just before, is recorded again: the summary must still show it.
    if (state.log.outputOpenFailed)
        logMessage(state, kOutputOpenError, LogError);

    // Opened raw: the lines drop their CRs themselves, once the encoding is known.
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (!opened)
        logMessage(state, QStringLiteral("ERROR!\t No se puede abrir el archivo: ") + path, LogError);
    Reader reader(state, opened ? &file : nullptr);
    reader.readAll();
}
