#include "check/lintjunit.h"

#include <QXmlStreamWriter>

namespace {

// XML 1.0 cannot hold most control characters, not even escaped, nor a lone surrogate:
// such a character (a box text can hold anything) becomes U+FFFD.
QString xmlSafe(const QString &text)
{
    QString safe = text;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const QChar c = safe.at(i);
        if (c.isHighSurrogate() && i + 1 < safe.size() && safe.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        const char16_t u = c.unicode();
        const bool control = u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r';
        if (control || c.isSurrogate() || u == 0xFFFE || u == 0xFFFF)
            safe[i] = QChar::ReplacementCharacter;
    }
    return safe;
}

struct Counts {
    int tests = 0;
    int failures = 0;
    int errors = 0;
};

Counts countsOf(const LintedDesign &design)
{
    if (!design.check.readable)
        return {1, 0, 1};
    const int warnings = int(design.check.warnings.size());
    return {qMax(warnings, 1), warnings, 0};
}

void writeCounts(QXmlStreamWriter &xml, const Counts &counts)
{
    xml.writeAttribute(QStringLiteral("tests"), QString::number(counts.tests));
    xml.writeAttribute(QStringLiteral("failures"), QString::number(counts.failures));
    xml.writeAttribute(QStringLiteral("errors"), QString::number(counts.errors));
    xml.writeAttribute(QStringLiteral("time"), QStringLiteral("0.000"));
}

void startCase(QXmlStreamWriter &xml, const QString &design, const QString &name)
{
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("classname"), design);
    xml.writeAttribute(QStringLiteral("name"), name);
}

void writeSuite(QXmlStreamWriter &xml, const LintedDesign &design)
{
    const QString path = xmlSafe(design.path);
    xml.writeStartElement(QStringLiteral("testsuite"));
    xml.writeAttribute(QStringLiteral("name"), path);
    writeCounts(xml, countsOf(design));
    if (!design.check.readable) {
        startCase(xml, path, QStringLiteral("lint"));
        xml.writeEmptyElement(QStringLiteral("error"));
        xml.writeAttribute(QStringLiteral("message"), xmlSafe(design.check.error));
        xml.writeEndElement();
    } else if (design.check.warnings.isEmpty()) {
        startCase(xml, path, QStringLiteral("lint"));
        xml.writeEndElement();
    }
    for (const DesignWarning &w : design.check.warnings) {
        startCase(xml, path, QStringLiteral("%1:%2 [%3]").arg(path).arg(w.line).arg(w.rule));
        xml.writeEmptyElement(QStringLiteral("failure"));
        xml.writeAttribute(QStringLiteral("type"), w.rule);
        xml.writeAttribute(QStringLiteral("message"), xmlSafe(formatWarning(design.path, w)));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

QByteArray lintJUnitXml(const QList<LintedDesign> &designs)
{
    Counts all;
    for (const LintedDesign &design : designs) {
        const Counts counts = countsOf(design);
        all.tests += counts.tests;
        all.failures += counts.failures;
        all.errors += counts.errors;
    }
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("testsuites"));
    writeCounts(xml, all);
    for (const LintedDesign &design : designs)
        writeSuite(xml, design);
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}
