#include "gui/verdictbar.h"

#include "gui/runverdict.h"
#include "gui/statuscolours.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {

// How much of the verdict's colour tints the window's colour behind the bar.
constexpr qreal kTint = 0.16;

} // namespace

VerdictBar::VerdictBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("verdictBar"));
    setFrameShape(QFrame::StyledPanel);
    m_headline = new QLabel(this);
    m_headline->setObjectName(QStringLiteral("verdictHeadline"));
    QFont bold = m_headline->font();
    bold.setBold(true);
    m_headline->setFont(bold);
    m_counts = new QLabel(this);
    m_counts->setObjectName(QStringLiteral("verdictCounts"));
    m_failure = new QLabel(this);
    m_failure->setObjectName(QStringLiteral("verdictFailure"));
    m_failure->setTextFormat(Qt::RichText);
    m_failure->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // A long message is cut to the room there is, never widening the window.
    m_failure->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    connect(m_failure, &QLabel::linkActivated, this, &VerdictBar::failureClicked);
    m_failure->installEventFilter(this);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(12);
    layout->addWidget(m_headline);
    layout->addWidget(m_counts);
    layout->addWidget(m_failure, 1);
    clear();
}

void VerdictBar::clear()
{
    m_state = NoRun;
    m_headline->setText(tr("Sin simular"));
    m_counts->setText(tr("Run (F5) simula el archivo guardado y da aquí su resultado"));
    m_failureText.clear();
    m_failure->setToolTip(QString());
    showFailure();
    applyColours();
}

void VerdictBar::setVerdict(const RunVerdict &verdict)
{
    m_state = verdict.passed ? Passed : Failed;
    m_headline->setText(verdict.headline);
    m_counts->setText(verdict.counts);
    m_failureText = verdict.failure;
    const QString where = verdict.firstError >= 0 ? tr("Clic: el error en la salida de la simulación")
                                                  : tr("Clic: la verificación en las formas de onda");
    m_failure->setToolTip(m_failureText.isEmpty() ? QString() : m_failureText + QLatin1Char('\n') + where);
    showFailure();
    applyColours();
}

QString VerdictBar::headline() const
{
    return m_headline->text();
}

QString VerdictBar::counts() const
{
    return m_counts->text();
}

// The failure as a link, cut with an ellipsis to the label's width.
void VerdictBar::showFailure()
{
    if (m_failureText.isEmpty()) {
        m_failure->clear();
        return;
    }
    const int room = qMax(0, m_failure->width() - 4);
    const QString shown = m_failure->fontMetrics().elidedText(m_failureText, Qt::ElideRight, room);
    m_failure->setText(QStringLiteral("<a href=\"failure\">%1</a>").arg(shown.toHtmlEscaped()));
}

QColor VerdictBar::wordColour() const
{
    switch (m_state) {
    case Passed:
        return passColour(palette());
    case Failed:
        return errorColour(palette());
    case NoRun:
        break;
    }
    return palette().color(QPalette::WindowText);
}

QColor VerdictBar::tint() const
{
    const QColor window = palette().color(QPalette::Window);
    return m_state == NoRun ? window : mixColours(window, wordColour(), kTint);
}

void VerdictBar::applyColours()
{
    m_colouring = true;
    QPalette word = m_headline->palette();
    word.setColor(QPalette::WindowText, wordColour());
    m_headline->setPalette(word);
    m_colouring = false;
    update();
}

void VerdictBar::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(rect(), tint());
    painter.end();
    QFrame::paintEvent(event);
}

// The failure's room changes with the bar's width and with the texts beside it.
bool VerdictBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_failure && event->type() == QEvent::Resize)
        showFailure();
    return QFrame::eventFilter(watched, event);
}

// A change to a light or dark palette brings colours that read on it.
void VerdictBar::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && !m_colouring)
        applyColours();
}
