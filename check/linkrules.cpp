// Links that a walk cannot follow: an ID that no box carries, and a ring of plain Next
// links with no decision or connector to leave it by.

#include "check/checkcontext.h"
#include "check/diagramgraph.h"
#include "model/diagramwalk.h"

#include <algorithm>

namespace {

struct NamedLink {
    const char *key;
    qint32 value;
};

// The box the Next link of pos leads to when it is a plain link to a box; -1 otherwise
// (a branching box, a connector, an end, or an ID no box carries).
int plainNext(const DesignModel &model, int pos)
{
    const qint32 next = boxLinksAt(model, pos).next;
    return next > 0 ? boxWithId(model, next) : -1;
}

} // namespace

void checkLinks(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    for (int pos = 0; pos < m.boxIds.size(); ++pos) {
        // A box that no diagram reaches is never walked.
        if (!context.reachedByAny.at(pos))
            continue;
        const BoxLinks links = boxLinksAt(m, pos);
        for (const NamedLink &link : {NamedLink{"Next", links.next}, NamedLink{"Next0", links.next0},
                                      NamedLink{"Next1", links.next1}}) {
            if (!isLink(link.value) || boxWithId(m, link.value) >= 0)
                continue;
            warnings << context.warningAt(pos, QStringLiteral("enlace-sin-caja"),
                                          QStringLiteral("%1 = %2, pero ninguna caja tiene el ID %2: el recorrido se "
                                                         "corta en esta caja")
                                              .arg(QLatin1String(link.key))
                                              .arg(link.value));
        }
    }
}

// Each box has one Next, so the plain links form chains; a chain that comes back on
// itself is a ring that every walk entering it goes round until it is cut.
void checkNextLoops(const CheckContext &context, DesignWarnings &warnings)
{
    const DesignModel &m = context.model;
    const int boxes = int(m.boxIds.size());
    QVector<int> seenInChain(boxes, -1);  // the chain (its starting box) that met the box
    for (int start = 0; start < boxes; ++start) {
        QVector<int> chain;
        int pos = start;
        while (pos >= 0 && seenInChain.at(pos) < 0) {
            seenInChain[pos] = start;
            chain << pos;
            pos = plainNext(m, pos);
        }
        // A ring only when this chain met itself; meeting an earlier chain adds nothing.
        if (pos < 0 || seenInChain.at(pos) != start)
            continue;
        const QVector<int> ring = chain.mid(chain.indexOf(pos));
        bool reached = false;
        for (int box : ring)
            reached = reached || context.reachedByAny.at(box);
        if (!reached)
            continue;
        const int first = *std::min_element(ring.begin(), ring.end());
        QVector<int> ordered = ring.mid(ring.indexOf(first)) + ring.mid(0, ring.indexOf(first));
        ordered << first;
        warnings << context.warningAt(first, QStringLiteral("bucle-next"),
                                      QStringLiteral("los enlaces Next forman un bucle sin decisión ni conector (IDs "
                                                     "%1): el recorrido que entra en él se corta con un error")
                                          .arg(idChain(m, ordered)));
    }
}
