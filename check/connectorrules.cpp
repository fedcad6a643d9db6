// A connector leads to the box drawn elsewhere under its name; the run finds that box by
// the name alone.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "model/diagramwalk.h"

#include <QSet>
#include <algorithm>

void checkConnectors(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        // A connector whose own text the reader did not keep is reported as such.
        if (!context.reachedByAny.at(pos) || !isConnectorBox(m, pos) || !context.readerBoxes.value(pos).misread.isEmpty())
            continue;
        const QString name = firstTextLine(m, pos);
        if (name == QLatin1String("null")) {
            warnings << context.warningAt(pos, QStringLiteral("conector-sin-estado"),
                                          QStringLiteral("el conector no tiene nombre: no lleva a ningún estado"));
            continue;
        }
        if (namedBoxes(m, name).isEmpty()) {
            warnings << context.warningAt(pos, QStringLiteral("conector-sin-estado"),
                                          QStringLiteral("ninguna caja que no sea un conector se llama «%1»: el "
                                                         "conector no lleva a ningún estado")
                                              .arg(name));
        }
    }
}

// Where a design walk stops (at the next state, or at a connector), the run looks the
// state up by its name, and of the states its table lists under that name it goes on
// from the last one in the file.
void checkRepeatedNames(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    QSet<int> reported;
    for (int column = 0; column < context.parentCount(); ++column) {
        if (!context.isDesignColumn(column))
            continue;
        QVector<int> listed;
        for (int pos : context.listedStates(column)) {
            if (isStateBox(m, pos) && firstTextLine(m, pos) != QLatin1String("null") && !listed.contains(pos))
                listed << pos;
        }
        std::sort(listed.begin(), listed.end());
        for (int pos : listed) {
            int last = pos;
            for (int other : listed)
                if (firstTextLine(m, other) == firstTextLine(m, pos))
                    last = other;
            if (last == pos || reported.contains(pos))
                continue;
            reported << pos;
            warnings << context.warningAt(pos, QStringLiteral("nombre-repetido"),
                                          QStringLiteral("el estado de la línea %1 también se llama «%2»: al llegar a "
                                                         "este estado, o a un conector con ese nombre, la simulación "
                                                         "sigue siempre en aquel")
                                              .arg(context.idLine(last))
                                              .arg(firstTextLine(m, pos)));
        }
    }
}
