#include "cli/command.h"

#include "cli/chartcommand.h"
#include "cli/console.h"
#include "cli/lintcommand.h"
#include "cli/manydesigns.h"
#include "cli/onedesign.h"
#include "cli/options.h"

#include <QThread>
#include <unistd.h>

namespace {

void printUsageError(FILE *err, const QString &error)
{
    printError(err, QStringLiteral("%1 (try --help)").arg(error));
}

} // namespace

int runBatch(const QStringList &args, FILE *out, FILE *err)
{
    if (isLintCommand(args))
        return runLintCommand(args, out, err);
    BatchOptions options;
    QString error;
    if (!parseBatchArguments(args, options, error)) {
        printUsageError(err, error);
        return ExitUsage;
    }
    if (options.help || options.version) {
        printLine(out, options.help ? batchUsage() : batchVersion());
        return ExitClean;
    }
    if (isChartCommand(options))
        return runChartCommand(options, err);
    if (options.designPaths.size() == 1)
        return runOneDesign(options, out, err);
    if (!checkManyDesignOptions(options, error)) {
        printUsageError(err, error);
        return ExitUsage;
    }
    if (options.jobs == 0)
        options.jobs = qBound(1, QThread::idealThreadCount(), kMaxJobs);
    return runManyDesigns(options, out, err, isatty(fileno(err)) != 0);
}
