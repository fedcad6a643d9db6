// The message log: what it records, the summary it shows, and what reaches the output
// file.

#include "core/messagelog.h"
#include "core/panesink.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kHeader = QStringLiteral("\n//-------------- WARNINGS Y ERRORES --------------//");

QStringList summary(const QStringList &messages, int warnings, int errors)
{
    return QStringList{kHeader} + messages
           + QStringList{QStringLiteral("Numero de Warnings: %1").arg(warnings),
                         QStringLiteral("Numero de Errores: %1").arg(errors)};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestMessageLog : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:

    void summaryListsWarningsThenErrorsThenCounts()
    {
        MemorySink sink;
        MessageLog log(&sink);
        logMessage(log, QStringLiteral("Warning! A"), LogWarning);
        logMessage(log, QStringLiteral("Error! E"), LogError);
        logMessage(log, QStringLiteral("WARNING! B"), LogWarning);
        QVERIFY(sink.output.isEmpty());  // recorded messages wait for the summary

        logMessage(log, QString(), LogSummary);
        QCOMPARE(sink.output, summary({"Warning! A", "WARNING! B", "Error! E"}, 2, 1));
    }

    void kindNotTextDecidesTheCount()
    {
        MemorySink sink;
        MessageLog log(&sink);
        logMessage(log, QStringLiteral("Error! counted as a warning"), LogWarning);
        logMessage(log, QStringLiteral("Warning! counted as an error"), LogError);
        logMessage(log, QStringLiteral("ignored"), LogSummary);
        QCOMPARE(sink.output, summary({"Error! counted as a warning", "Warning! counted as an error"}, 1, 1));
    }

    void summaryOfAnEmptyLogStillHasHeaderAndCounts()
    {
        MemorySink sink;
        MessageLog log(&sink);
        logMessage(log, QString(), LogSummary);
        QCOMPARE(sink.output, summary({}, 0, 0));
    }

    void summaryLeavesTheListsAsTheyAre()
    {
        MemorySink sink;
        MessageLog log(&sink);
        logMessage(log, QStringLiteral("Error! once"), LogError);
        logMessage(log, QString(), LogSummary);
        logMessage(log, QString(), LogSummary);
        QCOMPARE(log.errorList, QStringList{"Error! once"});
        QCOMPARE(sink.output, summary({"Error! once"}, 0, 1) + summary({"Error! once"}, 0, 1));
    }

    void unknownKindsChangeNothing()
    {
        MemorySink sink;
        MessageLog log(&sink);
        for (int kind : {-1, 3, 4, 100})
            logMessage(log, QStringLiteral("Error! no"), static_cast<LogKind>(kind));
        QVERIFY(log.errorList.isEmpty());
        QVERIFY(log.warningList.isEmpty());
        QVERIFY(sink.output.isEmpty());
        QVERIFY(sink.process.isEmpty());
    }

    void outputFileReceivesItemsWithLineFeedsUnchanged()
    {
        MemorySink sink;
        MessageLog log(&sink);
        const QString path = m_dir.filePath(QStringLiteral("direct.txt"));
        log.outputFile.setFileName(path);
        QVERIFY(log.outputFile.open(QIODevice::WriteOnly | QIODevice::Text));
        showInOutputPane(log, {QStringLiteral("\nprimera"), QStringLiteral("se\xf1" "al\tvalor")});
        showInProcessPane(log, {QStringLiteral("never in the file")});
        log.outputStream.flush();
        log.outputFile.close();

        QCOMPARE(readAll(path), QByteArray("\nprimera\nse\xc3\xb1" "al\tvalor\n"));
        QCOMPARE(sink.output.size(), 2);
        QCOMPARE(sink.process, QStringList{"never in the file"});
    }

    // The process pane's rows are its items split at line feeds; the output pane's lines
    // and a log without a pane count nothing; clearing the panes starts again from 0.
    void processRowsAreCountedAsThePaneShowsThem()
    {
        MemorySink sink;
        MessageLog log(&sink);
        showInProcessPane(log, {QStringLiteral("a"), QStringLiteral("b\nc"), QString(), QStringLiteral("\n")});
        showInOutputPane(log, {QStringLiteral("x\ny")});
        QCOMPARE(log.processRows, 6);
        QCOMPARE(paneRows(QStringLiteral("\n\n")), 3);
        clearPanes(log);
        QCOMPARE(log.processRows, 0);
        QVERIFY(sink.process.isEmpty() && sink.output.isEmpty());

        MessageLog quiet;
        showInProcessPane(quiet, {QStringLiteral("a")});
        QCOMPARE(quiet.processRows, 0);
    }

    // The trace outside the cycle log has a room in characters: lines are shown while
    // they fit; the first that does not, and every line after it, is counted and left
    // out, even one short enough for what is left. Lines shown whatever the room are
    // shown, and the closing note counts the lines left out.
    void theTraceStopsAtItsRoomAndCountsTheRest()
    {
        MemorySink sink;
        MessageLog log(&sink);
        log.traceRoom = 10;
        showInProcessPane(log, {QStringLiteral("abcdefgh")});
        showInProcessPane(log, {QStringLiteral("ab"), QStringLiteral("abc"), QStringLiteral("d")});
        showInProcessPaneAlways(log, {QStringLiteral("cycle\nlog")});
        showInProcessPane(log, {QStringLiteral("e")});
        showTraceLeftOutNote(log);
        QCOMPARE(sink.process, (QStringList{"abcdefgh", "ab", "cycle\nlog",
                                            "\n//Traza demasiado larga: 3 lineas mas no se muestran"}));
        // Rows of the pane: one per line, each item split at its line feeds.
        QCOMPARE(log.processRows, 1 + 1 + 2 + 2);

        // Clearing the panes starts the room again; a trace that fits has no note.
        clearPanes(log);
        showInProcessPane(log, {QStringLiteral("0123456789")});
        showTraceLeftOutNote(log);
        QCOMPARE(sink.process, QStringList{"0123456789"});
    }

    // A run that keeps no trace shows nothing in the process pane and keeps no lines.
    void anUntracedLogShowsNoTrace()
    {
        MemorySink sink;
        MessageLog log(&sink);
        log.tracing = false;
        traceLine(log, QStringLiteral("pending"));
        QVERIFY(log.traceLines.isEmpty());
        showInProcessPane(log, {QStringLiteral("a")});
        showInProcessPaneAlways(log, {QStringLiteral("b")});
        QVERIFY(sink.process.isEmpty());
        QCOMPARE(log.processRows, 0);
    }
};

ASMSIM_REGISTER_TEST(TestMessageLog)
#include "tst_messagelog.moc"
