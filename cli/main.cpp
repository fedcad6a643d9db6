// asmsim-cli: simulates a design file from the command line.

#include "cli/command.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    return runBatch(args, stdout, stderr);
}
