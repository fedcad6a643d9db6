#include "cli/options.h"

#ifndef ASMSIM_VERSION
#define ASMSIM_VERSION "0"
#endif

namespace {

bool takeValue(const QStringList &args, qsizetype &i, const QString &name, const QString &what,
               QString &value, QString &error)
{
    const QString &arg = args[i];
    if (arg.startsWith(name + QLatin1Char('='))) {
        value = arg.mid(name.size() + 1);
    } else if (i + 1 < args.size()) {
        value = args[++i];
    } else {
        value.clear();
    }
    if (value.isEmpty()) {
        error = QStringLiteral("option %1 needs %2").arg(name, what);
        return false;
    }
    return true;
}

bool takeJobs(const QStringList &args, qsizetype &i, int &jobs, QString &error)
{
    QString value;
    if (!takeValue(args, i, QStringLiteral("--jobs"), QStringLiteral("a number"), value, error))
        return false;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok || number < 1) {
        error = QStringLiteral("option --jobs needs a whole number of at least 1, not %1").arg(value);
        return false;
    }
    jobs = qMin(number, kMaxJobs);
    return true;
}

bool isOption(const QString &arg, const char *name)
{
    const QLatin1String option(name);
    return arg == option || arg.startsWith(option + QLatin1Char('='));
}

// One option (and its value) into options; false with error set when it is wrong.
bool takeOption(const QStringList &args, qsizetype &i, BatchOptions &options, QString &error)
{
    const QString &arg = args[i];
    const QString file = QStringLiteral("a file name");
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
        options.help = true;
        return true;
    }
    if (arg == QLatin1String("--version")) {
        options.version = true;
        return true;
    }
    if (arg == QLatin1String("--quiet")) {
        options.quiet = true;
        return true;
    }
    if (isOption(arg, "--out-dir"))
        return takeValue(args, i, QStringLiteral("--out-dir"), QStringLiteral("a folder name"), options.outputDir, error);
    if (isOption(arg, "--out"))
        return takeValue(args, i, QStringLiteral("--out"), file, options.outputPath, error);
    if (isOption(arg, "--process"))
        return takeValue(args, i, QStringLiteral("--process"), file, options.processPath, error);
    if (isOption(arg, "--vcd"))
        return takeValue(args, i, QStringLiteral("--vcd"), file, options.vcdPath, error);
    if (isOption(arg, "--junit"))
        return takeValue(args, i, QStringLiteral("--junit"), file, options.junitPath, error);
    if (isOption(arg, "--dot"))
        return takeValue(args, i, QStringLiteral("--dot"), file, options.dotPath, error);
    if (isOption(arg, "--svg"))
        return takeValue(args, i, QStringLiteral("--svg"), file, options.svgPath, error);
    if (isOption(arg, "--jobs"))
        return takeJobs(args, i, options.jobs, error);
    error = QStringLiteral("unknown option %1").arg(arg);
    return false;
}

} // namespace

QString batchUsage()
{
    return QStringLiteral(
        "Usage: asmsim-cli [--process FILE] [--out FILE] [--quiet] DESIGN.vdo\n"
        "       asmsim-cli [OPTIONS] DESIGN.vdo [DESIGN.vdo...]\n"
        "       asmsim-cli --lint [--junit FILE] DESIGN.vdo [DESIGN.vdo...]\n"
        "       asmsim-cli [--dot FILE] [--svg FILE] DESIGN.vdo [DESIGN.vdo...]\n"
        "Simulates ASM design files the way Run does in the window.\n"
        "\n"
        "One design: its output report is printed on standard output.\n"
        "  --out FILE      write the output report to FILE (default: OutFileSimulation.txt\n"
        "                  in the current directory)\n"
        "  --out-dir DIR   write the output report to DIR/STEM.txt instead\n"
        "  --process FILE  write the process trace to FILE, one item per line\n"
        "  --vcd FILE      write the simulation to FILE as a Value Change Dump (waveforms)\n"
        "  --junit FILE    write the verifications to FILE as JUnit XML (for CI servers)\n"
        "\n"
        "Several designs: they run in parallel, and standard output has one line per design\n"
        "in the order given (name, cycles, verifications correct / wrong, errors, warnings,\n"
        "PASS or FAIL, seconds), then a total line. STEM is the design's file name without\n"
        "its folder and its suffix; two designs with the same STEM, or --out, are refused.\n"
        "  --jobs N        run N designs at a time (default: the number of cores)\n"
        "  --out-dir DIR   write each output report to DIR/STEM.txt (default: the current\n"
        "                  directory)\n"
        "  --process DIR   write each process trace to DIR/STEM.process.txt\n"
        "  --vcd DIR       write each simulation to DIR/STEM.vcd\n"
        "  --junit FILE    write one JUnit XML file with a testsuite per design (a design\n"
        "                  that cannot be read is a testsuite with one error)\n"
        "\n"
        "--dot FILE, --svg FILE: no simulation; the chart of the design as Graphviz source,\n"
        "or drawn as SVG by Graphviz (with several designs: DIR/STEM.dot, DIR/STEM.svg).\n"
        "Nothing is printed and no report is written; exits 0, or 2 when a design cannot be\n"
        "read or drawn. Only --quiet and --jobs may go with them.\n"
        "\n"
        "--lint: no simulation; prints FILE:LINE: warning: TEXT [RULE] for every shape or\n"
        "text that will not run as drawn, and with --junit FILE writes each warning as a\n"
        "failed JUnit testcase. Exits 0 with no warning, 1 with some, 2 when a file cannot\n"
        "be read or another option is given.\n"
        "\n"
        "  --quiet         print nothing on standard output\n"
        "  --help          show this text\n"
        "  --version       show the program's version\n"
        "Folders named by DIR are made when missing.\n"
        "\n"
        "Exit status: 0 no error and no wrong verification, 1 a run recorded an error\n"
        "or a wrong verification, 2 wrong arguments, a design file that cannot be read\n"
        "(with several designs the others still run and are reported) or a VCD or JUnit\n"
        "file that cannot be written.");
}

QString batchVersion()
{
    return QStringLiteral("asmsim-cli " ASMSIM_VERSION);
}

bool parseBatchArguments(const QStringList &args, BatchOptions &options, QString &error)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-"))
            options.designPaths << arg;
        else if (arg == QLatin1String("--"))
            optionsEnded = true;
        else if (!takeOption(args, i, options, error))
            return false;
    }
    if (options.help || options.version)
        return true;
    if (options.designPaths.isEmpty()) {
        error = QStringLiteral("no design file given");
        return false;
    }
    if (!options.outputPath.isEmpty() && !options.outputDir.isEmpty()) {
        error = QStringLiteral("--out and --out-dir cannot be given together");
        return false;
    }
    return true;
}
