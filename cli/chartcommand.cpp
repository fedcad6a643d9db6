#include "cli/chartcommand.h"

#include "chart/chartdot.h"
#include "chart/chartfile.h"
#include "chart/chartlayout.h"
#include "cli/console.h"
#include "cli/outputfiles.h"

#include <QSaveFile>

namespace {

// The run's own options make no sense for a chart; --quiet and --jobs do no harm.
bool checkChartOptions(const BatchOptions &options, QString &error)
{
    const QList<std::pair<QString, const char *>> runOptions{{options.outputPath, "--out"},
                                                              {options.outputDir, "--out-dir"},
                                                              {options.processPath, "--process"},
                                                              {options.vcdPath, "--vcd"},
                                                              {options.junitPath, "--junit"}};
    for (const auto &[value, name] : runOptions) {
        if (!value.isEmpty()) {
            error = QStringLiteral("option %1 cannot be given with --dot or --svg").arg(QLatin1String(name));
            return false;
        }
    }
    if (options.designPaths.size() < 2)
        return true;
    return checkDistinctStems(options.designPaths, error)
        && (options.dotPath.isEmpty() || prepareOutputFolder(options.dotPath, QStringLiteral("--dot"), error))
        && (options.svgPath.isEmpty() || prepareOutputFolder(options.svgPath, QStringLiteral("--svg"), error));
}

// A chart never takes the place of a design (a design named x.dot, say).
bool writeFile(const QStringList &designs, const QString &path, const QByteArray &bytes, QString &error)
{
    for (const QString &design : designs) {
        if (isSamePath(design, path)) {
            error = QStringLiteral("%1 would be written over by the chart").arg(path);
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// Where a design's chart goes: the file given with one design, DIR/STEM.suffix with several.
QString chartPath(const BatchOptions &options, const QString &given, const QString &design, const char *suffix)
{
    if (options.designPaths.size() < 2)
        return given;
    return filePathIn(given, designStem(design) + QLatin1String(suffix));
}

// One design's chart, in each form asked for; false with error set on the first failure.
bool drawDesign(const BatchOptions &options, const QString &design, QString &error)
{
    ChartGraph graph;
    QString why;
    if (!checkDesignReadable(design, error))
        return false;
    if (!chartOfDesign(design, &graph, &why)) {
        error = QStringLiteral("cannot draw %1: %2").arg(design, why);
        return false;
    }
    if (!options.dotPath.isEmpty()
        && !writeFile(options.designPaths, chartPath(options, options.dotPath, design, ".dot"), chartDotSource(graph), error))
        return false;
    if (options.svgPath.isEmpty())
        return true;
    const QByteArray svg = renderChartSvg(graph, &why);
    if (svg.isEmpty()) {
        error = QStringLiteral("cannot draw %1: %2").arg(design, why);
        return false;
    }
    return writeFile(options.designPaths, chartPath(options, options.svgPath, design, ".svg"), svg, error);
}

} // namespace

bool isChartCommand(const BatchOptions &options)
{
    return !options.dotPath.isEmpty() || !options.svgPath.isEmpty();
}

int runChartCommand(const BatchOptions &options, FILE *err)
{
    QString error;
    if (!checkChartOptions(options, error)) {
        printError(err, QStringLiteral("%1 (try --help)").arg(error));
        return ExitUsage;
    }
    int exitCode = ExitClean;
    for (const QString &design : options.designPaths) {
        if (!drawDesign(options, design, error)) {
            printError(err, error);
            exitCode = ExitUsage;
        }
    }
    return exitCode;
}
