#include "app/batchrunner.h"

#include "core/panesink.h"
#include "core/rundriver.h"
#include "core/simstate.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Shows the output pane on a stream as the lines come, and writes the process pane to
// a file when one was asked for. Nothing is kept in memory.
class StreamSink : public PaneSink {
public:
    StreamSink(FILE *out, QFile *processFile) : m_out(out), m_process(processFile) {}

    void clearOutputPane() override {}
    void clearProcessPane() override {}
    void appendToOutputPane(const QStringList &lines) override
    {
        if (!m_out)
            return;
        for (const QString &line : lines) {
            const QByteArray bytes = line.toUtf8();
            fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
            fputc('\n', m_out);
        }
    }
    void appendToProcessPane(const QStringList &lines) override
    {
        if (!m_process)
            return;
        for (const QString &line : lines) {
            m_process->write(line.toUtf8());
            m_process->write("\n", 1);
        }
    }

private:
    FILE *m_out;
    QFile *m_process;
};

bool takeValue(const QStringList &args, qsizetype &i, const QString &name, QString &value,
               QString &error)
{
    const QString &arg = args[i];
    if (arg.startsWith(name + QLatin1Char('='))) {
        value = arg.mid(name.size() + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        error = QStringLiteral("option %1 needs a file name").arg(name);
        return false;
    }
    if (value.isEmpty()) {
        error = QStringLiteral("option %1 needs a file name").arg(name);
        return false;
    }
    return true;
}

bool isOption(const QString &arg, const char *name)
{
    const QLatin1String option(name);
    return arg == option || arg.startsWith(option + QLatin1Char('='));
}

void printLine(FILE *stream, const QString &text)
{
    fputs(text.toUtf8().constData(), stream);
    fputc('\n', stream);
}

// The design must be a readable file before anything is written.
bool checkDesignReadable(const QString &path, QString &error)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("cannot read %1: it is a directory").arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

QString batchUsage()
{
    return QStringLiteral(
        "Usage: asmsim-cli [--process FILE] [--out FILE] [--quiet] DESIGN.vdo\n"
        "Simulates an ASM design file the way Run does in the window.\n"
        "\n"
        "  --out FILE      write the output report to FILE (default: OutFileSimulation.txt\n"
        "                  in the current directory)\n"
        "  --process FILE  write the process trace to FILE, one item per line\n"
        "  --quiet         do not print the output report on standard output\n"
        "  --help          show this text\n"
        "\n"
        "Exit status: 0 no error and no wrong verification, 1 the run recorded an error\n"
        "or a wrong verification, 2 wrong arguments or an unreadable design file.");
}

bool parseBatchArguments(const QStringList &args, BatchOptions &options, QString &error)
{
    QStringList positional;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            positional << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            options.help = true;
        } else if (arg == QLatin1String("--quiet")) {
            options.quiet = true;
        } else if (isOption(arg, "--out")) {
            if (!takeValue(args, i, QStringLiteral("--out"), options.outputPath, error))
                return false;
        } else if (isOption(arg, "--process")) {
            if (!takeValue(args, i, QStringLiteral("--process"), options.processPath, error))
                return false;
        } else {
            error = QStringLiteral("unknown option %1").arg(arg);
            return false;
        }
    }
    if (options.help)
        return true;
    if (positional.size() != 1) {
        error = positional.isEmpty() ? QStringLiteral("no design file given")
                                     : QStringLiteral("more than one design file given");
        return false;
    }
    options.designPath = positional.first();
    return true;
}

int batchExitCode(const SimState &state)
{
    const bool clean = state.log.errorList.isEmpty() && state.simulation.wrongVerifications == 0;
    return clean ? ExitClean : ExitFindings;
}

int runBatch(const QStringList &args, FILE *out, FILE *err)
{
    BatchOptions options;
    QString error;
    if (!parseBatchArguments(args, options, error)) {
        printLine(err, QStringLiteral("asmsim-cli: %1 (try --help)").arg(error));
        return ExitUsage;
    }
    if (options.help) {
        printLine(out, batchUsage());
        return ExitClean;
    }
    if (!checkDesignReadable(options.designPath, error)) {
        printLine(err, QStringLiteral("asmsim-cli: %1").arg(error));
        return ExitUsage;
    }
    QFile processFile(options.processPath);
    if (!options.processPath.isEmpty()
        && !processFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        printLine(err, QStringLiteral("asmsim-cli: cannot write %1: %2")
                           .arg(options.processPath, processFile.errorString()));
        return ExitUsage;
    }

    StreamSink sink(options.quiet ? nullptr : out, processFile.isOpen() ? &processFile : nullptr);
    SimState state(&sink);
    if (!options.outputPath.isEmpty())
        state.log.outputFile.setFileName(options.outputPath);
    runSimulation(state, options.designPath);
    fflush(out);
    processFile.close();
    return batchExitCode(state);
}
