#include "model/readdatareport.h"

#include "core/messagelog.h"
#include "model/designmodel.h"

namespace {

// "  -" repeated 220 times.
QString separatorLine()
{
    return QStringLiteral("  -").repeated(220);
}

// The rows of a matrix that hold text in at least one of the first boxCount columns,
// each as "|   " + every cell followed by a tab + "|".
void addMatrixRows(QStringList &lines, const TextMatrix &matrix, int boxCount)
{
    for (const QVector<QString> &cells : matrix) {
        const int columns = qMin(boxCount, int(cells.size()));
        bool hasText = false;
        QString row = QStringLiteral("|   ");
        for (int c = 0; c < columns; ++c) {
            hasText = hasText || cells.at(c) != QLatin1String("null");
            row += cells.at(c) + QLatin1Char('\t');
        }
        if (hasText)
            lines << row + QLatin1Char('|');
    }
}

void addMatrix(QStringList &lines, const QString &heading, const TextMatrix &matrix, int boxCount)
{
    const QString separator = separatorLine();
    lines << heading << separator;
    addMatrixRows(lines, matrix, boxCount);
    lines << separator;
}

} // namespace

void reportReadData(DesignModel &m, MessageLog &log)
{
    const int boxes = m.boxIds.size();
    // A list of its own: the reader's trace list is for the process pane only.
    QStringList lines;
    lines << QString()
          << QStringLiteral("//--------------DATOS GUARDADOS AL LEER EL ARCHIVO-----------------//")
          << QStringLiteral(" - Numero de BOX leidos: %1").arg(boxes)
          << QStringLiteral(" - Numero de PAGES leidos: %1").arg(m.pageIds.size());
    addMatrix(lines, QStringLiteral(" - Matriz de TEXT: "), m.textMatrix, boxes);
    addMatrix(lines, QStringLiteral("\n - Matriz de TEXT UP: "), m.textUpMatrix, boxes);
    addMatrix(lines, QStringLiteral("\n - Matriz de TEXT DOWN: "), m.textDownMatrix, boxes);
    showInOutputPane(log, lines);
}
