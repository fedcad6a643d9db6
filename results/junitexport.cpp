#include "results/junitexport.h"

#include "core/messagelog.h"
#include "results/runresults.h"

#include <QSaveFile>
#include <QXmlStreamWriter>

#include <cmath>

namespace {

// XML 1.0 has no way to write most control characters, not even escaped, nor a lone
// surrogate: such a character (a box text can hold anything) becomes U+FFFD.
QString xmlSafe(const QString &text)
{
    QString safe = text;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const QChar c = safe.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < safe.size() && safe.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const bool control = u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r';
        if (control || c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            safe[i] = QChar::ReplacementCharacter;
    }
    return safe;
}

QString secondsText(double seconds)
{
    return QString::number(std::isfinite(seconds) && seconds > 0 ? seconds : 0.0, 'f', 3);
}

struct Totals {
    int tests = 0;
    int failures = 0;
    int errors = 0;
    double seconds = 0;
};

Totals suiteTotals(const JUnitSuite &suite)
{
    const RunResults &r = *suite.results;
    const int errors = r.errorCount();
    return {int(r.verifications.size()) + errors, r.wrongCount(), errors, suite.seconds};
}

void writeCounts(QXmlStreamWriter &xml, const Totals &totals)
{
    xml.writeAttribute(QStringLiteral("tests"), QString::number(totals.tests));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(totals.failures));
    xml.writeAttribute(QStringLiteral("errors"), QString::number(totals.errors));
    xml.writeAttribute(QStringLiteral("time"), secondsText(totals.seconds));
}

void writeVerification(QXmlStreamWriter &xml, const QString &design, const ResultVerification &v)
{
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("classname"), design);
    xml.writeAttribute(QStringLiteral("name"),
                       QStringLiteral("cycle %1: %2 == %3").arg(v.cycle).arg(xmlSafe(v.signal)).arg(v.expected));
    if (!v.correct) {
        xml.writeEmptyElement(QStringLiteral("failure"));
        xml.writeAttribute(QStringLiteral("message"), QStringLiteral("expected %1, got %2").arg(v.expected).arg(v.actual));
    }
    xml.writeEndElement();
}

void writeError(QXmlStreamWriter &xml, const QString &design, const QString &message)
{
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("classname"), design);
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("run"));
    xml.writeEmptyElement(QStringLiteral("error"));
    xml.writeAttribute(QStringLiteral("message"), xmlSafe(message));
    xml.writeEndElement();
}

void writeSuite(QXmlStreamWriter &xml, const JUnitSuite &suite)
{
    const RunResults &r = *suite.results;
    const QString design = xmlSafe(r.designName);
    xml.writeStartElement(QStringLiteral("testsuite"));
    xml.writeAttribute(QStringLiteral("name"), design);
    writeCounts(xml, suiteTotals(suite));
    for (const ResultVerification &v : r.verifications)
        writeVerification(xml, design, v);
    QStringList warnings;
    for (const ResultMessage &m : r.messages) {
        if (m.kind == LogError)
            writeError(xml, design, m.text);
        else if (m.kind == LogWarning)
            warnings << xmlSafe(m.text);
    }
    if (!warnings.isEmpty())
        xml.writeTextElement(QStringLiteral("system-out"), warnings.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    xml.writeEndElement();
}

} // namespace

QByteArray junitXml(const QList<JUnitSuite> &suites)
{
    Totals all;
    for (const JUnitSuite &suite : suites) {
        if (!suite.results)
            continue;
        const Totals t = suiteTotals(suite);
        all.tests += t.tests;
        all.failures += t.failures;
        all.errors += t.errors;
        all.seconds += std::isfinite(t.seconds) && t.seconds > 0 ? t.seconds : 0.0;
    }

    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("testsuites"));
    writeCounts(xml, all);
    // An entry without results has nothing to report and is left out.
    for (const JUnitSuite &suite : suites) {
        if (suite.results)
            writeSuite(xml, suite);
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

bool writeJUnit(const QList<JUnitSuite> &suites, const QString &path, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    file.write(junitXml(suites));
    if (!file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
