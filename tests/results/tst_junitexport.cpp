// The verifications as JUnit XML: one suite per design with its counts, a failure per
// wrong verification, an error per recorded error, the warnings as output, everything
// escaped, and a document xmllint accepts.

#include "results/junitexport.h"
#include "run/rundriver.h"
#include "results/runresults.h"
#include "run/simstate.h"
#include "testmain.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

ResultVerification verification(qint32 cycle, const char *signal, qint32 expected, qint32 actual)
{
    return ResultVerification{cycle, QString::fromLatin1(signal), expected, actual, expected == actual};
}

// Three verifications (the second wrong), two errors and two warnings.
RunResults mixedResults()
{
    RunResults r;
    r.designName = QStringLiteral("counter");
    r.verifications = {verification(1, "Q", -1, -1), verification(5, "Q", 2, 1), verification(7, "EN", 1, 1)};
    r.messages = {{2, QStringLiteral("Warning! uno")}, {2, QStringLiteral("WARNING! dos")},
                  {1, QStringLiteral("Error! tres")}, {1, QStringLiteral("ERROR! cuatro")}};
    return r;
}

// One element as read back: its name, attributes, and the text directly inside it.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QString parent;
    QString attribute(const char *key) const { return attributes.value(QLatin1String(key)).toString(); }
};

QList<Element> readBack(const QByteArray &xml, QString &fault)
{
    QList<Element> elements;
    QStringList open;
    QList<int> openIndex;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            elements << Element{reader.name().toString(), reader.attributes(), QString(), open.value(open.size() - 1)};
            open << reader.name().toString();
            openIndex << int(elements.size()) - 1;
        } else if (reader.isEndElement()) {
            open.removeLast();
            openIndex.removeLast();
        } else if (reader.isCharacters() && !openIndex.isEmpty()) {
            elements[openIndex.last()].text += reader.text();
        }
    }
    if (reader.hasError())
        fault = reader.errorString();
    return elements;
}

QList<Element> named(const QList<Element> &elements, const QString &name)
{
    QList<Element> found;
    for (const Element &e : elements) {
        if (e.name == name)
            found << e;
    }
    return found;
}

// Runs xmllint --noout; fails with a clear message when it is missing.
bool xmllintAccepts(const QString &path, QString &failure)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (program.isEmpty()) {
        failure = QStringLiteral("xmllint is not installed: the JUnit XML check needs it "
                                 "(Debian package libxml2-utils; scripts/install-deps.sh installs it)");
        return false;
    }
    QProcess process;
    process.start(program, {QStringLiteral("--noout"), path});
    if (!process.waitForFinished(60000) || process.exitCode() != 0
        || !process.readAllStandardError().trimmed().isEmpty()) {
        failure = QStringLiteral("xmllint rejects the document: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    return true;
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
        r.messages = {{1, message}, {1, QStringLiteral("Error! \x01 bell")}, {2, QStringLiteral("Warning! <w> & ]]> ü")}};
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

    // The wrong counter run whole: seven verifications, the one at cycle 5 wrong; the
    // file is well formed.
    void aWholeRunAsJUnit()
    {
        QTemporaryDir dir;
        SimState state;
        state.log.outputFile.setFileName(dir.filePath(QStringLiteral("out.txt")));
        runSimulation(state, QDir(QStringLiteral(ASMSIM_TEST_DATA)).filePath(QStringLiteral("counter-wrong.vdo")));
        const RunResults r = collectRunResults(state);
        const QString path = dir.filePath(QStringLiteral("r.xml"));
        QString error;
        QVERIFY2(writeJUnit({{&r, 0.5}}, path, error), qPrintable(error));
        QVERIFY2(xmllintAccepts(path, error), qPrintable(error));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString fault;
        const QList<Element> elements = readBack(file.readAll(), fault);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        const Element suite = named(elements, QStringLiteral("testsuite")).value(0);
        QCOMPARE(suite.attribute("name"), QStringLiteral("counter-wrong"));
        QCOMPARE(suite.attribute("tests"), QStringLiteral("7"));
        QCOMPARE(suite.attribute("failures"), QStringLiteral("1"));
        QCOMPARE(suite.attribute("errors"), QStringLiteral("0"));
        const QList<Element> failures = named(elements, QStringLiteral("failure"));
        QCOMPARE(failures.size(), 1);
        QCOMPARE(failures.at(0).attribute("message"), QStringLiteral("expected 2, got 1"));
        QCOMPARE(named(elements, QStringLiteral("testcase")).at(3).attribute("name"), QStringLiteral("cycle 5: Q == 2"));
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
