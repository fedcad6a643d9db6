#include "cli/lintcommand.h"

#include "cli/console.h"
#include "cli/options.h"
#include "cli/outputfiles.h"
#include "check/checkdesign.h"
#include "check/lintjunit.h"

#include <QSaveFile>

namespace {

struct LintOptions {
    QStringList designs;
    QString junitPath;
};

bool parseLintArguments(const QStringList &args, LintOptions &options, QString &error)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            options.designs << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--junit") || arg.startsWith(QLatin1String("--junit="))) {
            options.junitPath = arg != QLatin1String("--junit") ? arg.mid(8) : i + 1 < args.size() ? args.at(++i)
                                                                                                 : QString();
            if (options.junitPath.isEmpty()) {
                error = QStringLiteral("option --junit needs a file name");
                return false;
            }
        } else if (arg != QLatin1String("--lint")) {
            error = QStringLiteral("option %1 cannot be given with --lint").arg(arg);
            return false;
        }
    }
    if (options.designs.isEmpty()) {
        error = QStringLiteral("no design file given");
        return false;
    }
    return true;
}

bool writeJUnitFile(const QString &path, const QList<LintedDesign> &designs, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lintJUnitXml(designs)) < 0 || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool isLintCommand(const QStringList &args)
{
    const qsizetype end = args.indexOf(QStringLiteral("--"));
    const qsizetype lint = args.indexOf(QStringLiteral("--lint"));
    return lint >= 0 && (end < 0 || lint < end);
}

int runLintCommand(const QStringList &args, FILE *out, FILE *err)
{
    LintOptions options;
    QString error;
    if (!parseLintArguments(args, options, error)
        || (!options.junitPath.isEmpty() && !checkFileWritable(options.junitPath, error))) {
        printError(err, QStringLiteral("%1 (try --help)").arg(error));
        return ExitUsage;
    }
    QList<LintedDesign> designs;
    bool unreadable = false;
    bool warned = false;
    for (const QString &path : options.designs) {
        designs.append({path, checkDesignFile(path)});
        const DesignCheck &check = designs.last().check;
        if (!check.readable) {
            printError(err, check.error);
            unreadable = true;
        }
        for (const DesignWarning &warning : check.warnings)
            printLine(out, formatWarning(path, warning));
        warned = warned || !check.warnings.isEmpty();
    }
    fflush(out);
    if (!options.junitPath.isEmpty() && !writeJUnitFile(options.junitPath, designs, error)) {
        printError(err, error);
        return ExitUsage;
    }
    return unreadable ? ExitUsage : warned ? ExitFindings : ExitClean;
}
