#include "model/reader.h"

#include "core/messagelog.h"
#include "lang/lexer.h"
#include "model/designlines.h"
#include "model/designmodel.h"
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
    Reader(DesignModel &model, MessageLog &log, QIODevice *file) : m_model(model), m_log(log)
    {
        // Each piece read moves the line number on by one at most, so the reader reads at
        // least kLastLine pieces before it stops: the encoding is decided within them.
        if (file)
            m_in.emplace(file, kMaxLineLength, kLastLine);
    }

    void readAll();

private:
    DesignModel &m_model;
    MessageLog &m_log;
    std::optional<DesignLines> m_in;
    QString m_line;  // null at the end of the file, unlike an empty line
    int m_lineNo = 1;

    // Per box: the type of its latest type line, whether it fits in the tables, and
    // whether it has had its ID and type lines.
    BoxType m_boxType = BoxType::None;
    bool m_storing = true;
    bool m_hasId = false;
    bool m_hasType = false;
    bool m_sawTypeLine = false;
    bool m_tooManyBoxesReported = false;

    void readLine() { m_line = m_in ? m_in->next() : QString(); }
    void advance()
    {
        readLine();
        ++m_lineNo;
    }
    // Whether trace lines are kept; callers that have to build a line test it first, so
    // an untraced run builds none.
    bool noting() const { return m_storing && m_log.tracing; }
    void note(const QString &text)
    {
        if (noting())
            m_model.readerLines << text;
    }
    void flushTrace()
    {
        showInProcessPane(m_log, m_model.readerLines);
        m_model.readerLines.clear();
    }
    void error(const QString &text) { logMessage(m_log, text, LogError); }

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
    bool m_rowOverflowReported = false;
    bool m_lengthOverflowReported = false;
};

// A top-level comment line is echoed, left-trimmed and upper-cased as the lexer leaves it.
void Reader::echoComment()
{
    if (scanToken(m_line, false) == TokComment)
        showInProcessPane(m_log, {m_line});
}

void Reader::readAll()
{
    int emptyPasses = 0;
    while (true) {
        if (m_line.isNull()) {
            if (++emptyPasses == kEmptyPassesAtEnd)
                m_lineNo = kLastLine + 1;
        } else {
            emptyPasses = 0;
            echoComment();
        }
        readLine();
        if (m_line.contains(QLatin1String("Pages")))
            readPage();
        else if (m_line.contains(QLatin1String("Box")))
            readBox();
        else
            ++m_lineNo;
        flushTrace();
        if (m_lineNo == kLongFileLine)
            error(QStringLiteral("ERROR!\t Archivo excesivamente largo. Aumentar variable i en bucle while de LecturaArchivo();"));
        if (m_lineNo > kLastLine)
            break;
    }
    if (m_log.tracing)
        m_model.readerLines << QStringLiteral("//Fin de la simulación en modo lectura de archivo");
    flushTrace();
}

// Three lines: the "Pages" line, "Id = n; Name = text;", and a closing line.
void Reader::readPage()
{
    if (m_log.tracing)
        m_model.readerLines << kRule << QStringLiteral("Palabra Pages encontrada en la linea: %1").arg(m_lineNo)
                            << kRule;
    readLine();
    ++m_lineNo;
    const qint32 id = valueAfterEquals(m_line.section(QLatin1Char(';'), 0, 0));
    const QString name = textAfterEquals(m_line.section(QLatin1Char(';'), 1, 1));
    m_model.pageIds << id;
    m_model.pageNames << name;
    if (m_log.tracing)
        m_model.readerLines << QStringLiteral("Id encontrado. Linea: %1 . ID = %2").arg(m_lineNo).arg(id)
                            << QStringLiteral("Name encontrado. Linea: %1 . NAME = %2").arg(m_lineNo).arg(name)
                            << kRule;
    ++m_lineNo;
    readLine();
    ++m_lineNo;
    if (m_line.contains(QLatin1Char('}')) && m_log.tracing)
        m_model.readerLines << QStringLiteral("Fin del modulo Pages") << kRule;
    flushTrace();
}

// A box beyond the room of the tables is still read to its end, so that the file stays
// in step, but nothing of it is stored or traced.
void Reader::readBox()
{
    const int boxLine = m_lineNo;
    m_storing = m_model.boxCount < kMaxBoxes;
    if (!m_storing && !m_tooManyBoxesReported) {
        m_tooManyBoxesReported = true;
        error(QStringLiteral("ERROR!\t Demasiadas cajas: solo caben %1. No se guardan las cajas desde la linea: %2")
                  .arg(kMaxBoxes).arg(boxLine));
    }
    if (m_storing) {
        m_model.boxNext << -1;
        m_model.boxNext0 << -1;
        m_model.boxNext1 << -1;
    }
    m_boxType = BoxType::None;
    m_hasId = m_hasType = m_sawTypeLine = false;
    note(kRule);
    if (noting())
        note(QStringLiteral("Palabra Box encontrada en la linea: %1").arg(boxLine));
    note(kRule);
    flushTrace();

    advance();
    for (int handled = 0; handled < kMaxBoxLines; ++handled) {
        if (!readBoxLine())
            break;
    }
    if (m_storing)
        endBox(boxLine);
    m_storing = true;
}

// Handles the current box line; false at the box's "}".
bool Reader::readBoxLine()
{
    if (m_line.contains(QLatin1String("Id"))) {
        readId();
    } else if (m_line.contains(QLatin1String("Type"))) {
        readType();
    } else if (m_line.contains(QLatin1String("Text"))) {
        readTextValue();
    } else if (m_line.contains(QLatin1String("Next"))) {
        readNext();
    } else if (m_line.contains(QLatin1Char('}'))) {
        if (noting())
            note(QStringLiteral("Fin del modulo. Linea: %1").arg(m_lineNo));
        note(kRule);
        ++m_lineNo;
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
    if (m_storing && m_hasId) {
        error(QStringLiteral("ERROR!\t Segunda linea Id en la caja; no se guarda. Linea: %1").arg(m_lineNo));
    } else if (m_storing) {
        m_model.boxIds << keyValue(m_line);
        m_model.boxIdLines << m_lineNo;
        m_hasId = true;
        if (noting())
            note(QStringLiteral("Id encontrado. Linea: %1 . ID = %2").arg(m_lineNo).arg(m_model.boxIds.at(m_model.boxCount)));
        note(kRule);
    }
    advance();
}

void Reader::readType()
{
    const BoxType type = findBoxType(m_line);
    if (type == BoxType::None) {
        if (noting())
            note(QStringLiteral("ERROR! TYPE Box no implementado. Linea: %1").arg(m_lineNo));
        note(kRule);
        if (m_storing)
            error(QStringLiteral("ERROR!\t TYPE Box no implementado. Linea: %1").arg(m_lineNo));
    } else if (m_storing && m_hasType) {
        error(QStringLiteral("ERROR!\t Segunda linea Type en la caja; no se guarda. Linea: %1").arg(m_lineNo));
    } else {
        if (noting() && type == BoxType::Header)
            note(QStringLiteral("Caja tipo Header. Linea: %1").arg(m_lineNo));
        else if (noting())
            note(QStringLiteral("Box Type %1. Linea: %2").arg(boxTypeLabel(type)).arg(m_lineNo));
        note(kRule);
        if (m_storing)
            m_model.boxTypes << type;
        m_hasType = true;
    }
    m_boxType = type;
    m_sawTypeLine = true;
    advance();
}

void Reader::readNext()
{
    const qint32 value = keyValue(m_line);
    QString key = QStringLiteral("Next");
    QVector<qint32> *links = &m_model.boxNext;
    if (m_line.contains(QLatin1String("Next0"))) {
        key = QStringLiteral("Next0");
        links = &m_model.boxNext0;
    } else if (m_line.contains(QLatin1String("Next1"))) {
        key = QStringLiteral("Next1");
        links = &m_model.boxNext1;
    }
    if (m_storing)
        (*links)[m_model.boxCount] = value;
    if (noting())
        note(QStringLiteral("%1 de este Box. Linea: %2. %3 = %4").arg(key).arg(m_lineNo).arg(key.toUpper()).arg(value));
    note(kRule);
    advance();
}

// Keeps the per-box tables in step: a box without an ID line gets ID 0 and a box
// without a recognised type an empty type, each reported.
void Reader::endBox(int boxLine)
{
    if (!m_hasId) {
        m_model.boxIds << 0;
        m_model.boxIdLines << boxLine;
        error(QStringLiteral("ERROR!\t Caja sin Id; se le da el ID 0. Linea: %1").arg(boxLine));
    }
    if (!m_hasType) {
        m_model.boxTypes << BoxType::None;
        if (!m_sawTypeLine)
            error(QStringLiteral("ERROR!\t Caja sin Type. Linea: %1").arg(boxLine));
    }
    m_model.boxVisited << 0;
    ++m_model.boxCount;
}

// A text value: the text between the first double quote of the key line and the next
// double quote, on the same line or a later one.
void Reader::readTextValue()
{
    const int keyLine = m_lineNo;
    const int quote = m_line.indexOf(QLatin1Char('"'));
    if (quote < 0) {
        if (m_storing)
            error(QStringLiteral("ERROR!\t Texto sin comillas; no se guarda. Linea: %1").arg(keyLine));
        advance();
        return;
    }
    const TextKind kind = textKindOfKey(m_line.left(quote));
    TextMatrix &matrix = kind == TextUp ? m_model.textUpMatrix : kind == TextDown ? m_model.textDownMatrix : m_model.textMatrix;
    const int rows = kind == TextUp ? kTextUpRows : kind == TextDown ? kTextDownRows : kTextRows;
    if (noting())
        note(textHeading(kind, m_boxType) + QString::number(keyLine));

    m_rowOverflowReported = false;
    m_lengthOverflowReported = false;
    int row = 0;
    QString rest = m_line.mid(quote + 1);
    int close = rest.indexOf(QLatin1Char('"'));
    storePiece(matrix, rows, row, close < 0 ? rest : rest.left(close), keyLine);
    while (close < 0) {
        advance();
        if (m_line.isNull()) {
            if (m_storing)
                error(QStringLiteral("ERROR!\t Texto sin cerrar al final del archivo. Linea: %1").arg(keyLine));
            return;
        }
        close = m_line.indexOf(QLatin1Char('"'));
        storePiece(matrix, rows, row, close < 0 ? m_line : m_line.left(close), keyLine);
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
        if (noting())
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
    if (!m_storing)
        return true;
    if (row >= rows) {
        if (!m_rowOverflowReported)
            error(QStringLiteral("ERROR!\t Texto con demasiadas lineas (caben %1); no se guardan las siguientes. Linea: %2")
                      .arg(rows).arg(keyLine));
        m_rowOverflowReported = true;
        return false;
    }
    QString &cell = matrix[row][m_model.boxCount];
    if (storedLength(cell, text) > kMaxCellLength) {
        if (!m_lengthOverflowReported)
            error(QStringLiteral("ERROR!\t Texto demasiado largo al guardar; no se guarda. Linea: %1").arg(keyLine));
        m_lengthOverflowReported = true;
    } else {
        cell.replace(QLatin1String("null"), text);
    }
    ++row;
    return true;
}

} // namespace

void readDesignFile(DesignModel &model, MessageLog &log, const QString &path)
{
    showInProcessPane(log, {QStringLiteral("//Leyendo, interpretando y guardando el archivo de texto en la memoria..."),
                            kRule});
    showInOutputPane(log, {QStringLiteral("//--------------------------ARCHIVO DE SALIDA----------------------------//")});
    resetDesignModel(model);
    model.boxCount = 0;
    rebuildTextMatrices(model);

    // Opened raw: the lines drop their CRs themselves, once the encoding is known.
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (!opened)
        logMessage(log, QStringLiteral("ERROR!\t No se puede abrir el archivo: ") + path, LogError);
    Reader reader(model, log, opened ? &file : nullptr);
    reader.readAll();
}
