// Texts the reader takes otherwise than they are written: a line that opens a value but
// holds a key the reader tests first, and a piece of a value holding the letters "end".

#include "check/checkcontext.h"
#include "model/diagramwalk.h"

#include <QSet>

namespace {

const QString kEnd = QStringLiteral("end");
const QString kEndSimulation = QStringLiteral("end simulation");

// A piece of a value quoted in a warning, cut so that the warning stays one short line.
QString quoted(const QString &text)
{
    constexpr int kShown = 40;
    return text.size() <= kShown ? text : text.left(kShown) + QStringLiteral("…");
}

void checkMisreadKeys(const CheckContext &context, int pos, const ReaderBox &box, DesignWarnings &warnings)
{
    for (const MisreadLine &line : box.misread) {
        warnings << context.warningAt(
            pos, QStringLiteral("clave-en-texto"),
            QStringLiteral("la línea %1 abre un texto pero contiene «%2»: el lector la toma por una línea %2 y no "
                           "guarda el texto")
                .arg(line.physicalLine)
                .arg(line.key));
    }
}

// The reader stores a piece holding "end" as the bare cell "end" (or "end simulation"),
// and the rest of the value cannot fill that cell again. Only a piece that is already
// exactly that cell, and ends its value, loses nothing.
void checkEndPieces(const CheckContext &context, int pos, const ReaderBox &box, DesignWarnings &warnings)
{
    for (const ValuePiece &piece : box.pieces) {
        if (!piece.text.contains(kEnd))
            continue;
        const QString stored = piece.text.contains(kEndSimulation) ? kEndSimulation : kEnd;
        if (piece.text == stored && piece.lastOfValue)
            continue;
        warnings << context.warningAt(pos, QStringLiteral("end-en-texto"),
                                      QStringLiteral("el texto «%1» (línea %2) contiene «end»: el lector guarda solo "
                                                     "«%3» y pierde el resto del texto")
                                          .arg(quoted(piece.text))
                                          .arg(piece.physicalLine)
                                          .arg(stored));
    }
}

} // namespace

void checkReaderTexts(const CheckContext &context, DesignWarnings &warnings)
{
    // The file's boxes are matched with the reader's by their order; should the two
    // readings ever differ, no box could be named for sure.
    if (context.readerBoxes.size() != context.model.boxIds.size())
        return;
    for (int pos = 0; pos < context.readerBoxes.size(); ++pos) {
        const ReaderBox &box = context.readerBoxes.at(pos);
        checkMisreadKeys(context, pos, box, warnings);
        checkEndPieces(context, pos, box, warnings);
    }
}

void checkDuplicateIds(const CheckContext &context, DesignWarnings &warnings)
{
    const QVector<qint32> &ids = context.model.boxIds;
    QSet<qint32> linked;
    for (int pos = 0; pos < ids.size(); ++pos) {
        const BoxLinks links = boxLinksAt(context.model, pos);
        linked << links.next << links.next0 << links.next1;
    }
    for (int pos = 0; pos < ids.size(); ++pos) {
        const qint32 id = ids.at(pos);
        const int last = int(ids.lastIndexOf(id));
        // A box without an Id line has ID 0, which the reader reports itself; an ID that
        // no link names leads nowhere either way.
        if (id == 0 || last == pos || !linked.contains(id))
            continue;
        warnings << context.warningAt(pos, QStringLiteral("id-repetido"),
                                      QStringLiteral("la caja de la línea %1 tiene también el ID %2: los enlaces a %2 "
                                                     "llevan siempre a aquella y nunca a esta")
                                          .arg(context.idLine(last))
                                          .arg(id));
    }
}
