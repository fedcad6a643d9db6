// Number literals and signal references: parseDigits, parseNumber (its trace lines and
// what it leaves of the text) and signalProcess with its bit and range selections.

#include "langfixture.h"
#include "lang/lexer.h"
#include "lang/numbers.h"
#include "testmain.h"

#include <QtTest>

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void parseDigits_data();
    void parseDigits();
    void parseNumber_data();
    void parseNumber();
    void selection_data();
    void selection();
    void selectionTraceOrder();
    void referenceWithoutValueKeepsValue();
    void repeatedNameTakesLastDeclaration();
    void currentSignalName();
};

void TestNumbers::parseDigits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("rest");

    QTest::newRow("decimal") << 0 << "123 X" << 123 << " X";
    QTest::newRow("decimal leading zeros") << 0 << "007" << 7 << "";
    QTest::newRow("decimal largest") << 0 << "2147483647" << 2147483647 << "";
    QTest::newRow("decimal one past largest") << 0 << "2147483648" << 0 << "";
    QTest::newRow("decimal 2^32") << 0 << "4294967296" << 0 << "";
    QTest::newRow("empty run") << 0 << "X1" << 0 << "X1";
    QTest::newRow("no blank skipped") << 3 << " FF" << 0 << " FF";
    QTest::newRow("binary") << 1 << "1010;" << 10 << ";";
    QTest::newRow("binary takes every digit") << 1 << "102+1" << 0 << "+1";
    QTest::newRow("binary stops at letter") << 1 << "1A" << 1 << "A";
    QTest::newRow("octal") << 2 << "17" << 15 << "";
    QTest::newRow("octal invalid digit") << 2 << "8" << 0 << "";
    QTest::newRow("hex") << 3 << "FF" << 255 << "";
    QTest::newRow("hex stops at G") << 3 << "1FG" << 31 << "G";
    QTest::newRow("hex largest") << 3 << "7FFFFFFF" << 2147483647 << "";
    QTest::newRow("hex too big") << 3 << "80000000" << 0 << "";
    QTest::newRow("hex lower case is not a digit") << 3 << "ff" << 0 << "ff";
    QTest::newRow("unknown mode") << 4 << "12" << 0 << "12";
    QTest::newRow("negative mode") << -1 << "12" << 0 << "12";
}

void TestNumbers::parseDigits()
{
    QFETCH(int, mode);
    QFETCH(QString, input);
    QFETCH(int, value);
    QFETCH(QString, rest);
    QCOMPARE(::parseDigits(static_cast<DigitMode>(mode), input), value);
    QCOMPARE(input, rest);
}

void TestNumbers::parseNumber_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("trace");
    QTest::addColumn<QString>("rest");

    QTest::newRow("binary") << "'b1010" << 0 << 10 << QStringList{"Numero binario", "10"} << "";
    QTest::newRow("octal") << "'o17" << 0 << 15 << QStringList{"Numero octal", "15"} << "";
    QTest::newRow("hex lower case") << "'hff" << 0 << 255 << QStringList{"Numero hexadecimal", "255"} << "";
    QTest::newRow("based decimal") << "'d99" << 0 << 99 << QStringList{"Numero decimal", "99"} << "";
    QTest::newRow("signed marker") << "'sh1F" << 0 << 31 << QStringList{"Numero hexadecimal", "31"} << "";
    QTest::newRow("blanks before") << "  'B11 ;" << 0 << 3 << QStringList{"Numero binario", "3"} << " ;";
    QTest::newRow("sized shows the rest") << "8'hFF + 1" << 0 << 255
                                          << QStringList{"Numero hexadecimal", "255", " + 1"} << " + 1";
    QTest::newRow("size does not limit") << "4'b11111" << 0 << 31 << QStringList{"Numero binario", "31", ""} << "";
    QTest::newRow("sized signed decimal") << "8'sd255" << 0 << 255 << QStringList{"Numero decimal", "255", ""} << "";
    QTest::newRow("binary with a 2") << "'b102" << 0 << 0 << QStringList{"Numero binario", "0"} << "";
    QTest::newRow("octal 8") << "'o8" << 9 << 0 << QStringList{"Numero octal", "0"} << "";
    QTest::newRow("blank after marker") << "'h FF" << 9 << 0 << QStringList{"Numero hexadecimal", "0"} << " FF";
    QTest::newRow("hex beyond 32 bits") << "'h80000000" << 9 << 0 << QStringList{"Numero hexadecimal", "0"} << "";
    QTest::newRow("decimal beyond 32 bits") << "4294967296" << 9 << 0 << QStringList{"Numero decimal", "0"} << "";
    QTest::newRow("decimal largest") << "2147483647" << 0 << 2147483647
                                     << QStringList{"Numero decimal", "2147483647"} << "";
    QTest::newRow("size and lone quote") << "8'" << 3 << 8 << QStringList{} << "";
    QTest::newRow("size, quote, letter") << "3'x" << 0 << 3 << QStringList{} << "X";
    QTest::newRow("lone quote keeps value") << "'" << 42 << 42 << QStringList{} << "";
    QTest::newRow("number then parameter") << "5 X" << 0 << 5 << QStringList{"Numero decimal", "5", "Parametro"} << "";
    QTest::newRow("number glued to letters") << "12ab" << 0 << 12
                                             << QStringList{"Numero decimal", "12", "Parametro"} << "";
    QTest::newRow("parameter keeps value") << "X + 1" << 7 << 7 << QStringList{"Parametro"} << " + 1";
    QTest::newRow("anything else") << "( 1" << 4 << 4 << QStringList{} << "( 1";
}

void TestNumbers::parseNumber()
{
    QFETCH(QString, input);
    QFETCH(int, previous);
    QFETCH(int, value);
    QFETCH(QStringList, trace);
    QFETCH(QString, rest);

    LangFixture f;
    f.registers.exprValue = previous;
    ::parseNumber(f.ctx, input);
    QCOMPARE(f.registers.exprValue, value);
    QCOMPARE(f.takeTrace(), trace);
    QCOMPARE(input, rest);
    QVERIFY(f.log.traceLines.isEmpty());
}

namespace {

QString head(const QString &input, const QString &name = QStringLiteral("S"))
{
    return QStringLiteral("SIGNALPROCESS.\tFrase entrada: ") + input
           + QStringLiteral(",\tNombre de señal detectado: ") + name;
}

const QString kOutOfRange = QStringLiteral("\tBit pedido superior a tamaño o negativo. 0 por defecto");

} // namespace

// The value of a reference and the one trace line that describes it (the last line; the
// index expressions trace their own lines before it).
void TestNumbers::selection_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("line");

    const QString five = QStringLiteral("\nNumero inicial: 5\tNumero binario inicial: 101");
    QTest::newRow("whole") << 5 << "S" << 5 << head("S");
    QTest::newRow("whole, rest kept") << 5 << "S + 1" << 5 << head("S + 1");
    QTest::newRow("bit 0") << 5 << "S[0]" << 1
        << head("S[0]") + "\t[\tNumDigitoIni: 0\t]" + five
               + "\tNecesito el bit: 2 del String\tNumero binario final: 1\tNumero decimal final: 1";
    QTest::newRow("bit 1") << 5 << "S[1]" << 0
        << head("S[1]") + "\t[\tNumDigitoIni: 1\t]" + five
               + "\tNecesito el bit: 1 del String\tNumero binario final: 0\tNumero decimal final: 0";
    QTest::newRow("range 2:1") << 5 << "S[2:1]" << 2
        << head("S[2:1]") + "\t[\tNumDigitoIni: 2\t:\tNumDigitoFin: 1\t]" + five
               + "\tNecesito los bits del 2 al 1 del String\tNumero binario final: 10\tNumero decimal final: 2";
    QTest::newRow("range 1:0") << 5 << "S[1:0]" << 1
        << head("S[1:0]") + "\t[\tNumDigitoIni: 1\t:\tNumDigitoFin: 0\t]" + five
               + "\tNecesito los bits del 1 al 0 del String\tNumero binario final: 01\tNumero decimal final: 1";
    QTest::newRow("bit above the text") << 5 << "S[3]" << 0
        << head("S[3]") + "\t[\tNumDigitoIni: 3\t]" + five + kOutOfRange;
    // A range reaching above the binary text reads the missing high bits as zeros.
    QTest::newRow("range 7:0 padded") << 5 << "S[7:0]" << 5
        << head("S[7:0]") + "\t[\tNumDigitoIni: 7\t:\tNumDigitoFin: 0\t]" + five
               + "\tNecesito los bits del 7 al 0 del String\tNumero binario final: 00000101\tNumero decimal final: 5";
    QTest::newRow("range 3:1 padded") << 5 << "S[3:1]" << 2
        << head("S[3:1]") + "\t[\tNumDigitoIni: 3\t:\tNumDigitoFin: 1\t]" + five
               + "\tNecesito los bits del 3 al 1 del String\tNumero binario final: 010\tNumero decimal final: 2";
    QTest::newRow("range 31:0 padded") << 5 << "S[31:0]" << 5
        << head("S[31:0]") + "\t[\tNumDigitoIni: 31\t:\tNumDigitoFin: 0\t]" + five
               + "\tNecesito los bits del 31 al 0 del String\tNumero binario final: "
               + QString(29, QLatin1Char('0')) + "101\tNumero decimal final: 5";
    QTest::newRow("range from bit 32") << 5 << "S[32:0]" << 0
        << head("S[32:0]") + "\t[\tNumDigitoIni: 32\t:\tNumDigitoFin: 0\t]" + five + kOutOfRange;
    QTest::newRow("reversed range") << 5 << "S[0:3]" << 0
        << head("S[0:3]") + "\t[\tNumDigitoIni: 0\t:\tNumDigitoFin: 3\t]" + five + kOutOfRange;
    QTest::newRow("negative bit") << 5 << "S[-2]" << 0
        << head("S[-2]") + "\t[\tNumDigitoIni: -2\t]" + five + kOutOfRange;
    QTest::newRow("negative bit -1") << 5 << "S[-1]" << 0
        << head("S[-1]") + "\t[\tNumDigitoIni: -1\t]" + five + kOutOfRange;
    QTest::newRow("negative low index") << 5 << "S[1:-1]" << 0
        << head("S[1:-1]") + "\t[\tNumDigitoIni: 1\t:\tNumDigitoFin: -1\t]" + five + kOutOfRange;
    QTest::newRow("index is an expression") << 5 << "S[1+1]" << 1
        << head("S[1+1]") + "\t[\tNumDigitoIni: 2\t]" + five
               + "\tNecesito el bit: 0 del String\tNumero binario final: 1\tNumero decimal final: 1";
    QTest::newRow("missing bracket") << 5 << "S[0" << 1
        << head("S[0") + "\t[\tNumDigitoIni: 0" + five
               + "\tNecesito el bit: 2 del String\tNumero binario final: 1\tNumero decimal final: 1";

    const QString zero = QStringLiteral("\nNumero inicial: 0\tNumero binario inicial: 0");
    QTest::newRow("zero bit 0") << 0 << "S[0]" << 0
        << head("S[0]") + "\t[\tNumDigitoIni: 0\t]" + zero
               + "\tNecesito el bit: 0 del String\tNumero binario final: 0\tNumero decimal final: 0";
    QTest::newRow("zero bit 1") << 0 << "S[1]" << 0 << head("S[1]") + "\t[\tNumDigitoIni: 1\t]" + zero + kOutOfRange;

    const QString negative = QStringLiteral("\nNumero inicial: -5\tNumero binario inicial: -101");
    QTest::newRow("negative whole") << -5 << "S" << -5 << head("S");
    QTest::newRow("negative bit") << -5 << "S[0]" << 0 << head("S[0]") + "\t[\tNumDigitoIni: 0\t]" + negative + kOutOfRange;
    QTest::newRow("negative range") << -5 << "S[7:0]" << 0
        << head("S[7:0]") + "\t[\tNumDigitoIni: 7\t:\tNumDigitoFin: 0\t]" + negative + kOutOfRange;

    const QString largest = QStringLiteral("\nNumero inicial: 2147483647\tNumero binario inicial: ")
                            + QString(31, QLatin1Char('1'));
    QTest::newRow("largest, all 31 bits") << 2147483647 << "S[30:0]" << 2147483647
        << head("S[30:0]") + "\t[\tNumDigitoIni: 30\t:\tNumDigitoFin: 0\t]" + largest
               + "\tNecesito los bits del 30 al 0 del String\tNumero binario final: " + QString(31, QLatin1Char('1'))
               + "\tNumero decimal final: 2147483647";
    QTest::newRow("largest, bit 31") << 2147483647 << "S[31:31]" << 0
        << head("S[31:31]") + "\t[\tNumDigitoIni: 31\t:\tNumDigitoFin: 31\t]" + largest
               + "\tNecesito los bits del 31 al 31 del String\tNumero binario final: 0\tNumero decimal final: 0";
}

void TestNumbers::selection()
{
    QFETCH(int, signal);
    QFETCH(QString, input);
    QFETCH(int, value);
    QFETCH(QString, line);

    LangFixture f;
    f.declare(KindInput, QStringLiteral("S"), signal);
    f.registers.exprValue = 99;
    QString text = input;
    signalProcess(f.ctx, text);
    QCOMPARE(f.registers.exprValue, value);
    const QStringList trace = f.takeTrace();
    QVERIFY(!trace.isEmpty());
    QCOMPARE(trace.last(), line);
    // Everything up to the end of the selection is consumed; without a selection the
    // peek for a bracket has stripped the blanks after the name.
    const qsizetype close = input.indexOf(QLatin1Char(']'));
    const QString rest = close >= 0              ? input.mid(close + 1)
                         : input.contains('[') ? QString()
                                               : input.mid(1).trimmed();
    QCOMPARE(text, rest);
}

// The index expressions are evaluated, and traced, before the reference's own line.
void TestNumbers::selectionTraceOrder()
{
    LangFixture f;
    f.declare(KindOutput, QStringLiteral("S"), 5);
    QString text = QStringLiteral("S[2:1] + 1");
    signalProcess(f.ctx, text);
    const QStringList trace = f.takeTrace();
    QCOMPARE(trace.size(), 5);
    QCOMPARE(trace.mid(0, 4), (QStringList{"Numero decimal", "2", "Numero decimal", "1"}));
    QVERIFY(trace.at(4).startsWith(head("S[2:1] + 1")));
    QCOMPARE(text, QStringLiteral(" + 1"));
}

// While the declarations are read no value exists yet: the reference leaves the value.
void TestNumbers::referenceWithoutValueKeepsValue()
{
    LangFixture f;
    f.signalTable.inputNames << QStringLiteral("S");
    f.registers.exprValue = 42;
    QString text = QStringLiteral("S");
    signalProcess(f.ctx, text);
    QCOMPARE(f.registers.exprValue, 42);
    QVERIFY(text.isEmpty());
}

void TestNumbers::repeatedNameTakesLastDeclaration()
{
    LangFixture f;
    f.declare(KindInput, QStringLiteral("A"), 1);
    f.declare(KindWire, QStringLiteral("A"), 9);
    f.declare(KindOutput, QStringLiteral("A"), 4);
    QString text = QStringLiteral("A");
    signalProcess(f.ctx, text);
    QCOMPARE(f.registers.exprValue, 9);
}

void TestNumbers::currentSignalName()
{
    LangFixture f;
    f.declare(KindInput, QStringLiteral("CLK"), 1);
    QString text = QStringLiteral("CLK[0]");
    signalProcess(f.ctx, text);
    QCOMPARE(f.registers.currentSignalName, QStringLiteral("CLK"));
    text = QStringLiteral("5");
    signalProcess(f.ctx, text);
    QCOMPARE(f.registers.currentSignalName, QString());
    QCOMPARE(f.takeTrace().last(), head("5", QString()));
}

ASMSIM_REGISTER_TEST(TestNumbers)
#include "tst_numbers.moc"
