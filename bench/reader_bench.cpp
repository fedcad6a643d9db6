// Reads large design files and prints how long the reading and its report took.
// Usage: reader_bench. Three files are made in a temporary folder:
//   - the largest design that fits: 300 boxes, each with 50 + 10 + 50 text lines;
//   - a file of 100000 short lines (the most the reader reads), mostly comments;
//   - a file of 100000 lines of 1000 characters (read in 200-character pieces).

#include "core/messagelog.h"
#include "countingsink.h"
#include "model/designmodel.h"
#include "model/readdatareport.h"
#include "model/reader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QByteArray largestDesign()
{
    QByteArray text;
    for (int box = 1; box <= 300; ++box) {
        text += "Box {\n  Id = " + QByteArray::number(box) + ";\n  Type = StateAsyncOps;\n";
        for (const auto &[key, rows] : {std::pair{"Text", 50}, {"TextUp", 10}, {"TextDown", 50}}) {
            text += QByteArray("  ") + key + " = \"";
            for (int row = 0; row < rows; ++row)
                text += (row ? "%CR%" : "") + QByteArray("S <= S + ") + QByteArray::number(row) + ";";
            text += "\";\n";
        }
        text += "  Next = " + QByteArray::number(box % 300 + 1) + ";\n}\n";
    }
    return text;
}

QByteArray repeatedLines(const QByteArray &line, int count)
{
    QByteArray text;
    text.reserve((line.size() + 1) * count);
    for (int i = 0; i < count; ++i)
        text += line + '\n';
    return text;
}

void measure(const char *name, const QByteArray &content, const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("bench.vdo"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(content);
    file.close();

    CountingSink sink;
    DesignModel model;
    MessageLog log(&sink);
    QElapsedTimer timer;
    timer.start();
    readDesignFile(model, log, path);
    const qint64 readMs = timer.elapsed();
    reportReadData(model, log);
    std::printf("%-34s %8.1f MB  read %5lld ms  report %4lld ms  boxes %3d  lines shown %lld\n", name,
                content.size() / 1e6, static_cast<long long>(readMs),
                static_cast<long long>(timer.elapsed() - readMs), model.boxCount,
                static_cast<long long>(sink.lines));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    measure("300 boxes, every text row filled", largestDesign(), dir);
    measure("100000 comment lines", repeatedLines("// comment line", 100000), dir);
    measure("100000 lines of 1000 characters", repeatedLines(QByteArray(1000, 'x'), 100000), dir);
    return 0;
}
