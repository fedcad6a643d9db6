#include "sim/declarativesimulation.h"

#include "core/decimaltext.h"
#include "core/messagelog.h"
#include "model/diagramwalk.h"
#include "sim/declarations.h"
#include "sim/simcontext.h"

namespace {

const QString kHandedOver = QStringLiteral("               + ");

bool isOperationType(BoxType type)
{
    switch (type) {
    case BoxType::AsyncOps:
    case BoxType::SyncOps:
    case BoxType::CondSyncOps:
    case BoxType::CondAsyncOps:
    case BoxType::StateAsyncOps:
    case BoxType::Event:
        return true;
    default:
        return false;
    }
}

// Appends "ID, Next, Next0, Next1" of a box; written for every box each walk enters.
void appendBoxLinks(QString &to, const DesignModel &m, int pos)
{
    const BoxLinks links = boxLinksAt(m, pos);
    QChar text[4 * kMaxDecimalLength + 6];
    QChar *end = writeDecimal(text, boxIdAt(m, pos));
    for (const qint32 link : {links.next, links.next0, links.next1}) {
        *end++ = QLatin1Char(',');
        *end++ = QLatin1Char(' ');
        end = writeDecimal(end, link);
    }
    to.append(text, end - text);
}

// What the walks of every diagram share: the lines not yet shown, the line being
// built, and the type of the boxes handed over, which only the Ports and Code modes set
// (so the operation mode reports its boxes under "Code").
struct DeclarativeRun {
    const DeclarationContext &ctx;
    QStringList pending;
    QString currentLine;
    BoxType modeType = BoxType::None;

    void finishLine()
    {
        pending << currentLine;
        currentLine.clear();
    }
    void flush()
    {
        showInOutputPane(ctx.log, pending);
        pending.clear();
    }
};

// One walk of one diagram in one mode: hands each box of the mode's types to the
// declarations as the walk leaves it, and traces every box entered and every connector.
class DeclarationWalk : public DiagramWalk {
public:
    DeclarationWalk(DeclarativeRun &run, DeclarationMode mode)
        : DiagramWalk(run.ctx.model, run.ctx.log), m_run(run), m_mode(mode)
    {
        m_stopsAtTestBenchEnd = true;
    }

    bool reachedConnector = false;

protected:
    bool entered(int from, int to) override
    {
        const BoxType type = boxTypeAt(m_model, from);
        const bool handOver = m_mode == ModeOperations ? isOperationType(type) : type == m_run.modeType;
        if (handOver) {
            m_run.currentLine += kHandedOver + boxTypeName(m_run.modeType) + QLatin1Char('\n');
            analyseBoxDeclarations(m_run.ctx, from, m_mode);
        }
        m_run.currentLine += QLatin1String("          - HIJO: ");
        appendBoxLinks(m_run.currentLine, m_model, to);
        m_run.finishLine();
        return true;
    }

    void connectorReached(int) override
    {
        reachedConnector = true;
        m_run.currentLine += QStringLiteral("               + STATE: ");
    }

    void connectorMatch(const QString &name, bool visited) override
    {
        m_run.currentLine += name + (visited ? QStringLiteral(" -> TOCADO") : QStringLiteral(" -> SIN TOCAR"));
        m_run.finishLine();
    }

    void connectorUnmatched() override
    {
        logMessage(m_log, QStringLiteral("WARNING!\t No hay State con el mismo nombre;"), LogError);
    }

private:
    DeclarativeRun &m_run;
    DeclarationMode m_mode;
};

struct Mode {
    DeclarationMode number;
    QString line;
    BoxType type;  // None: the mode keeps the type of the mode before it
};

// Runs the three modes on the diagram of root and returns its kind.
DiagramKind declareDiagram(DeclarativeRun &run, int root)
{
    static const Mode modes[] = {
        {ModePorts, QStringLiteral("     a) MODO PORTS"), BoxType::Ports},
        {ModeCode, QStringLiteral("     b) MODO CODE"), BoxType::Code},
        {ModeOperations, QStringLiteral("     c) MODO ASYNC-SYNC"), BoxType::None},
    };
    bool reachedConnector = false;
    for (const Mode &mode : modes) {
        QString parentLine = QStringLiteral("PADRE: ");
        appendBoxLinks(parentLine, run.ctx.model, root);
        showInOutputPane(run.ctx.log, {parentLine});
        run.pending << mode.line;
        if (mode.type != BoxType::None)
            run.modeType = mode.type;

        DeclarationWalk walk(run, mode.number);
        const DiagramWalk::Outcome outcome = walk.walk(root);
        reachedConnector = reachedConnector || walk.reachedConnector;
        if (outcome == DiagramWalk::Outcome::TestBenchEnd) {
            // The test bench's walk is not shown. Its notice waits for the next flush,
            // so when another diagram follows, the notice comes after that diagram's
            // "PADRE: " line: the report has always been laid out this way.
            run.pending = QStringList{QStringLiteral("END SIMULATION. Padre de test bench"),
                                      QStringLiteral("---------------------------------------")};
            run.currentLine.clear();
            return DiagramKind::TestBench;
        }
        run.finishLine();
        run.flush();
    }
    return reachedConnector ? DiagramKind::Design : DiagramKind::None;
}

} // namespace

void runDeclarativeSimulation(const DeclarationContext &ctx)
{
    const QString heading = QStringLiteral("\n//--------------SIMULACION DECLARATIVA-----------------//");
    showInProcessPane(ctx.log, {heading});
    showInOutputPane(ctx.log, {heading});

    DeclarativeRun run{ctx, {}, {}, {}};
    const QVector<qint32> parents = ctx.model.parentIts;
    ctx.model.parentKinds.clear();
    for (qint32 root : parents)
        ctx.model.parentKinds << declareDiagram(run, root);
    run.finishLine();
    run.flush();
}
