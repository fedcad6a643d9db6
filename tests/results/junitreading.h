#pragma once
// Reading JUnit XML back element by element, and asking xmllint whether it is well
// formed: for the tests of the JUnit writer and of whole runs written as JUnit XML.

#include <QList>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// One element as read back: its name, attributes, and the text directly inside it.
struct Element {
    QString name;
    QXmlStreamAttributes attributes;
    QString text;
    QString parent;
    QString attribute(const char *key) const { return attributes.value(QLatin1String(key)).toString(); }
};

inline QList<Element> readBack(const QByteArray &xml, QString &fault)
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

inline QList<Element> named(const QList<Element> &elements, const QString &name)
{
    QList<Element> found;
    for (const Element &e : elements) {
        if (e.name == name)
            found << e;
    }
    return found;
}

// Runs xmllint --noout; fails with a clear message when it is missing.
inline bool xmllintAccepts(const QString &path, QString &failure)
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
