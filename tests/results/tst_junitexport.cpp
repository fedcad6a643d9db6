// The verifications as JUnit XML: one suite per design with its counts, a failure per
// wrong verification, an error per recorded error, the warnings as output, everything
// escaped, and a document xmllint accepts.

#include "junitreading.h"
#include "results/junitexport.h"
#include "results/runresults.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

ResultVerification verification(qint32 cycle, const char *signal, qint32 expected, qint32 actual)
{
    return ResultVerification{cycle, QString::fromLatin1(signal), expected, actual, expected == actual, {}};
}

// Three verifications (the second wrong), two errors and two warnings.
RunResults mixedResults()
{
    RunResults r;
    r.designName = QStringLiteral("counter");
    r.verifications = {verification(1, "Q", -1, -1), verification(5, "Q", 2, 1), verification(7, "EN", 1, 1)};
    r.messages = {{LogWarning, QStringLiteral("Warning! uno")}, {LogWarning, QStringLiteral("WARNING! dos")},
                  {LogError, QStringLiteral("Error! tres")}, {LogError, QStringLiteral("ERROR! cuatro")}};
    return r;
}

} // namespace

class TestJUnitExport : public QObject {
    Q_OBJECT

private slots:
    // Each suite counts its verifications and its errors as tests; the wrong
    // verifications are its failures; the document's totals add the suites up.
    void countsPerSuiteAndInTotal()
    {
        const RunResults mixed = mixedResults();
        RunResults clean;
        clean.designName = QStringLiteral("clean");
        clean.verifications = {verification(0, "A", 0, 0)};
        QString fault;
        const QList<Element> elements = readBack(junitXml({{&mixed, 1.5}, {&clean, 0.25}}), fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

        const QList<Element> root = named(elements, QStringLiteral("testsuites"));
        QCOMPARE(root.size(), 1);
        QCOMPARE(root.at(0).attribute("tests"), QStringLiteral("6"));
        QCOMPARE(root.at(0).attribute("failures"), QStringLiteral("1"));
        QCOMPARE(root.at(0).attribute("errors"), QStringLiteral("2"));
        QCOMPARE(root.at(0).attribute("time"), QStringLiteral("1.750"));

        const QList<Element> suites = named(elements, QStringLiteral("testsuite"));
        QCOMPARE(suites.size(), 2);
        QCOMPARE(suites.at(0).attribute("name"), QStringLiteral("counter"));
        QCOMPARE(suites.at(0).attribute("tests"), QStringLiteral("5"));
        QCOMPARE(suites.at(0).attribute("failures"), QStringLiteral("1"));
        QCOMPARE(suites.at(0).attribute("errors"), QStringLiteral("2"));
        QCOMPARE(suites.at(0).attribute("time"), QStringLiteral("1.500"));
        QCOMPARE(suites.at(1).attribute("name"), QStringLiteral("clean"));
        QCOMPARE(suites.at(1).attribute("tests"), QStringLiteral("1"));
        QCOMPARE(suites.at(1).attribute("failures"), QStringLiteral("0"));
        QCOMPARE(suites.at(1).attribute("errors"), QStringLiteral("0"));
        QCOMPARE(suites.at(1).attribute("time"), QStringLiteral("0.250"));
    }

    // One test case per verification, named after it; the wrong one carries its failure;
    // each error is a test case "run" with its message; the warnings are the output.
    void testCasesFailuresErrorsAndOutput()
    {
        const RunResults mixed = mixedResults();
        QString fault;
        const QList<Element> elements = readBack(junitXml({{&mixed, 0}}), fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));

        QStringList cases;
        for (const Element &e : named(elements, QStringLiteral("testcase")))
            cases << e.attribute("classname") + QLatin1Char('/') + e.attribute("name");
        QCOMPARE(cases, (QStringList{"counter/cycle 1: Q == -1", "counter/cycle 5: Q == 2", "counter/cycle 7: EN == 1",
                                     "counter/run", "counter/run"}));

        const QList<Element> failures = named(elements, QStringLiteral("failure"));
        QCOMPARE(failures.size(), 1);
        QCOMPARE(failures.at(0).attribute("message"), QStringLiteral("expected 2, got 1"));

        const QList<Element> errors = named(elements, QStringLiteral("error"));
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.at(0).attribute("message"), QStringLiteral("Error! tres"));
        QCOMPARE(errors.at(1).attribute("message"), QStringLiteral("ERROR! cuatro"));

        const QList<Element> out = named(elements, QStringLiteral("system-out"));
        QCOMPARE(out.size(), 1);
        QCOMPARE(out.at(0).parent, QStringLiteral("testsuite"));
        QCOMPARE(out.at(0).text, QStringLiteral("Warning! uno\nWARNING! dos\n"));
    }

    // A suite with nothing wrong and no warnings: no failure, no error, no output.
    void aCleanSuiteHasNothingButItsCases()
    {
        RunResults r;
        r.designName = QStringLiteral("c");
        r.verifications = {verification(2, "Q", 3, 3)};
        const QByteArray xml = junitXml({{&r, 0}});
        QVERIFY(!xml.contains("<failure"));
        QVERIFY(!xml.contains("<error"));
        QVERIFY(!xml.contains("<system-out"));
        QVERIFY(xml.contains("<testcase classname=\"c\" name=\"cycle 2: Q == 3\"/>"));
    }

    // A design name and messages with markup characters, quotes, tabs, line feeds and
    // letters beyond ASCII come back exactly; a control character XML cannot carry
    // comes back as U+FFFD. xmllint accepts the document.
    void escapingAndWellFormed()
    {
        RunResults r;
        r.designName = QStringLiteral("a<b>&\"c\" 'd' ñandú €");
        r.verifications = {verification(3, "Q", 4, 5)};
        const QString message = QStringLiteral("Error! <caja> & \"texto\"\t'señal' → ok\nsegunda línea");
        r.messages = {{LogError, message}, {LogError, QStringLiteral("Error! \x01 bell")}, {LogWarning, QStringLiteral("Warning! <w> & ]]> ü")}};
        const QByteArray xml = junitXml({{&r, 0.001}});
        QVERIFY(!xml.contains("<b>"));
        QVERIFY(!xml.contains("<caja>"));

        QString fault;
        const QList<Element> elements = readBack(xml, fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(named(elements, QStringLiteral("testsuite")).at(0).attribute("name"), r.designName);
        QCOMPARE(named(elements, QStringLiteral("testcase")).at(0).attribute("classname"), r.designName);
        const QList<Element> errors = named(elements, QStringLiteral("error"));
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.at(0).attribute("message"), message);
        QCOMPARE(errors.at(1).attribute("message"), QStringLiteral("Error! \uFFFD bell"));
        QCOMPARE(named(elements, QStringLiteral("system-out")).at(0).text, QStringLiteral("Warning! <w> & ]]> ü\n"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.xml"));
        QString error;
        QVERIFY2(writeJUnit({{&r, 0.001}}, path, error), qPrintable(error));
        QVERIFY2(xmllintAccepts(path, fault), qPrintable(fault));
    }

    // No suites: an empty document that still reads; an entry without results is left out.
    void noSuites()
    {
        QString fault;
        const QList<Element> elements = readBack(junitXml({{nullptr, 1}}), fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QCOMPARE(elements.size(), 1);
        QCOMPARE(elements.at(0).name, QStringLiteral("testsuites"));
        QCOMPARE(elements.at(0).attribute("tests"), QStringLiteral("0"));
    }

    void writeJUnitReportsAFolderThatIsNotThere()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!writeJUnit({}, dir.filePath(QStringLiteral("no/such/r.xml")), error));
        QVERIFY(error.contains(QStringLiteral("r.xml")));
    }
};

ASMSIM_REGISTER_TEST(TestJUnitExport)
#include "tst_junitexport.moc"
