#include "model/readdatareport.h"

#include "core/messagelog.h"
#include "model/designmodel.h"

#include <algorithm>

namespace {

// "  -" repeated 220 times.
QString separatorLine()
{
    return QStringLiteral("  -").repeated(220);
}

// The rows of a matrix that hold text in at least one of the first boxCount columns,
// each as "|   " + every cell followed by a tab + "|". A matrix has thousands of cells,
// so a row is measured first and then written once into a string of its exact length.
void addMatrixRows(QStringList &lines, const TextMatrix &matrix, int boxCount)
{
    for (const QVector<QString> &cells : matrix) {
        const int columns = qMin(boxCount, int(cells.size()));
        bool hasText = false;
        qsizetype length = 5;
        for (int c = 0; c < columns; ++c) {
            hasText = hasText || cells.at(c) != QLatin1String("null");
            length += cells.at(c).size() + 1;
        }
        if (!hasText)
            continue;
        QString row(length, Qt::Uninitialized);
        QChar *to = row.data();
        const QStringView lead = u"|   ";
        to = std::copy(lead.cbegin(), lead.cend(), to);
        for (int c = 0; c < columns; ++c) {
            to = std::copy(cells.at(c).cbegin(), cells.at(c).cend(), to);
            *to++ = QLatin1Char('\t');
        }
        *to = QLatin1Char('|');
        lines << std::move(row);
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
