// analyseSentence: its trace, the separators, the report of what was not analysed, the
// registers it resets, and that any text at all ends with a report.

#include "langfixture.h"
#include "lang/sentences.h"
#include "testmain.h"

#include <QRandomGenerator>
#include <QtTest>

class TestSentences : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void emptySentence();
    void cycleNumber();
    void ends_data();
    void ends();
    void resetsRegisters();
    void anyTextEnds();
};

namespace {

const QString kBanner = QStringLiteral("\n//-----------EXPRESION PREVIA A ANALIZAR-------------//");

} // namespace

void TestSentences::workedExample()
{
    LangFixture f;
    f.declare(KindInput, QStringLiteral("A"), 2);
    QString text = QStringLiteral("a + 1");
    analyseSentence(f.ctx, text);
    const QStringList expected{
        kBanner,
        "CICLO DE SIMULACION: 0",
        "a + 1",
        QStringLiteral("SIGNALPROCESS.\tFrase entrada: A + 1,\tNombre de señal detectado: A"),
        "Encontrado +",
        "Numero decimal",
        "1",
        "ANALIZADO TODO",
    };
    QCOMPARE(f.takeTrace(), expected);
    QCOMPARE(f.registers.exprValue, 3);
    QCOMPARE(f.registers.comparisonFound, 0);
    QCOMPARE(f.registers.logicFound, 0);
    QVERIFY(text.isEmpty());
    QVERIFY(f.log.traceLines.isEmpty());
}

void TestSentences::emptySentence()
{
    LangFixture f;
    QString text;
    analyseSentence(f.ctx, text);
    QCOMPARE(f.takeTrace(), (QStringList{kBanner, "CICLO DE SIMULACION: 0", "", "Frase vacia", "ANALIZADO TODO"}));

    text = QStringLiteral("   \t ");
    analyseSentence(f.ctx, text);
    QCOMPARE(f.takeTrace().mid(3), (QStringList{"Frase vacia", "ANALIZADO TODO"}));
}

void TestSentences::cycleNumber()
{
    LangFixture f;
    f.signalTable.simCycle = 17;
    QString text = QStringLiteral("1");
    analyseSentence(f.ctx, text);
    QCOMPARE(f.takeTrace().at(1), QStringLiteral("CICLO DE SIMULACION: 17"));
}

// The lines after the sentence as received, and what is left of the text.
void TestSentences::ends_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("rest");

    QTest::newRow("stray parenthesis")
        << "A + 1 )" << QStringList{QStringLiteral("SIGNALPROCESS.\tFrase entrada: A + 1 ),\tNombre de señal detectado: A"),
                                    "Encontrado +", "Numero decimal", "1", "NO ANALIZADO: )"}
        << ")";
    QTest::newRow("parameter after a number")
        << "A + 1 B" << QStringList{QStringLiteral("SIGNALPROCESS.\tFrase entrada: A + 1 B,\tNombre de señal detectado: A"),
                                    "Encontrado +", "Numero decimal", "1", "Parametro", "ANALIZADO TODO"}
        << "";
    QTest::newRow("semicolon first") << "; A = 1" << QStringList{"Fin de frase ;", "NO ANALIZADO: A = 1"} << "A = 1";
    QTest::newRow("semicolon alone") << ";" << QStringList{"Fin de frase ;", "ANALIZADO TODO"} << "";
    QTest::newRow("carriage return") << "%cr% b" << QStringList{"Retorno de carro", "NO ANALIZADO: B"} << "B";
    QTest::newRow("comma") << ", 5" << QStringList{"Coma", "NO ANALIZADO: 5"} << "5";
    QTest::newRow("assignment is not analysed")
        << "5 = 1" << QStringList{"Numero decimal", "5", "NO ANALIZADO: = 1"} << "= 1";
    QTest::newRow("trailing semicolon") << "5;" << QStringList{"Numero decimal", "5", "NO ANALIZADO: ;"} << ";";
    QTest::newRow("comment") << "// note" << QStringList{"NO ANALIZADO: // NOTE"} << "// NOTE";
    QTest::newRow("keyword") << "INPUT A" << QStringList{"NO ANALIZADO: INPUT A"} << "INPUT A";
    // A control character reads as the end of the text, but it is text all the same.
    QTest::newRow("control character")
        << QStringLiteral("\x01" "a") << QStringList{"Frase vacia", QStringLiteral("NO ANALIZADO: \x01" "A")}
        << QStringLiteral("\x01" "A");
}

void TestSentences::ends()
{
    QFETCH(QString, sentence);
    QFETCH(QStringList, lines);
    QFETCH(QString, rest);

    LangFixture f;
    f.declare(KindInput, QStringLiteral("A"), 2);
    QString text = sentence;
    analyseSentence(f.ctx, text);
    const QStringList trace = f.takeTrace();
    QCOMPARE(trace.mid(0, 3), (QStringList{kBanner, "CICLO DE SIMULACION: 0", sentence}));
    QCOMPARE(trace.mid(3), lines);
    QCOMPARE(text, rest);
}

// A sentence starts from a cleared value and cleared flags; the truth value stays.
void TestSentences::resetsRegisters()
{
    LangFixture f;
    EvaluatorRegisters &r = f.registers;
    r.exprValue = 9;
    r.comparisonFound = 1;
    r.logicFound = 1;
    r.truthValue = true;
    QString text;
    analyseSentence(f.ctx, text);
    QCOMPARE(r.exprValue, 0);
    QCOMPARE(r.comparisonFound, 0);
    QCOMPARE(r.logicFound, 0);
    QCOMPARE(r.truthValue, true);

    text = QStringLiteral("1 == 1 && 2 == 2");
    analyseSentence(f.ctx, text);
    QCOMPARE(r.logicFound, 1);
    text = QStringLiteral("5");
    analyseSentence(f.ctx, text);
    QCOMPARE(r.logicFound, 0);
    QCOMPARE(f.result(), 5);
}

// Random text from the characters of the language and a few others: every analysis
// ends, consumes only from the front, and reports either everything or the rest.
void TestSentences::anyTextEnds()
{
    const QString alphabet = QStringLiteral("ab AB01789'bhdosS?:|&^~=!<>+-*/%{}()[],;\"@._#\t%CR%ßé²");
    QRandomGenerator random(20240611);
    for (int round = 0; round < 3000; ++round) {
        LangFixture f;
        f.declare(KindInput, QStringLiteral("A"), int(random.generate()));
        f.declare(KindWire, QStringLiteral("B"), -3);
        f.declare(KindWire, QStringLiteral("A"), 6);
        QString sentence;
        const int length = int(random.bounded(40));
        for (int i = 0; i < length; ++i)
            sentence += alphabet.at(int(random.bounded(alphabet.size())));
        QString text = sentence;
        analyseSentence(f.ctx, text);
        const QStringList trace = f.takeTrace();
        const QString last = trace.last();
        QVERIFY2(last == QLatin1String("ANALIZADO TODO") || last == QStringLiteral("NO ANALIZADO: ") + text,
                 qPrintable(sentence));
        QVERIFY2(sentence.toUpper().endsWith(text) || text.isEmpty(), qPrintable(sentence));
        QCOMPARE(f.registers.nestingDepth, 0);
    }
}

ASMSIM_REGISTER_TEST(TestSentences)
#include "tst_sentences.moc"
