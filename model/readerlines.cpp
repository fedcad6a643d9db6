#include "model/readerlines.h"

int physicalLineOfReaderLine(const QStringList &physicalLines, int readerLine)
{
    if (readerLine < 1)
        return 0;
    qint64 counted = 0;
    for (int i = 0; i < physicalLines.size(); ++i) {
        counted += readerPiecesOfLine(physicalLines[i].size());
        if (counted >= readerLine)
            return i + 1;
    }
    return 0;
}
