#include "gui/warninglist.h"

#include "gui/statuscolours.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

QString markText(const DesignWarning &warning)
{
    return QStringLiteral("%1 [%2]").arg(warning.text, warning.rule);
}

} // namespace

QString warningEntryText(const DesignWarning &warning)
{
    if (warning.line < 1)
        return markText(warning);
    return WarningList::tr("Línea %1: %2").arg(warning.line).arg(markText(warning));
}

QMap<int, QStringList> warningMarks(const DesignWarnings &warnings)
{
    QMap<int, QStringList> marks;
    for (const DesignWarning &warning : warnings) {
        if (warning.line > 0)
            marks[warning.line] << markText(warning);
    }
    return marks;
}

WarningList::WarningList(QWidget *parent)
    : QWidget(parent), m_header(new QLabel(this)), m_entries(new QListWidget(this))
{
    m_header->setObjectName(QStringLiteral("warningsHeader"));
    m_header->setWordWrap(true);
    m_entries->setObjectName(QStringLiteral("warningEntries"));
    m_entries->setUniformItemSizes(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(m_header);
    layout->addWidget(m_entries, 1);
    // Enter or a double click, as on the rows of the run's panes.
    connect(m_entries, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit lineRequested(item->data(LineRole).toInt()); });
    updateHeader();
}

void WarningList::showCheck(const QString &path, const DesignCheck &check)
{
    m_entries->clear();
    m_fileName = QFileInfo(path).fileName();
    m_error = check.readable ? QString() : check.error;
    for (const DesignWarning &warning : check.warnings) {
        auto *item = new QListWidgetItem(warningEntryText(warning), m_entries);
        item->setData(LineRole, warning.line);
        // A long text may not fit the pane's width.
        item->setToolTip(item->text());
    }
    colourEntries();
    updateHeader();
}

void WarningList::clear()
{
    m_entries->clear();
    m_fileName.clear();
    m_error.clear();
    updateHeader();
}

void WarningList::setEditorModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    updateHeader();
}

int WarningList::warningCount() const
{
    return m_entries->count();
}

QString WarningList::title() const
{
    if (m_fileName.isEmpty() || !m_error.isEmpty())
        return tr("Avisos");
    return tr("Avisos (%1)").arg(warningCount());
}

void WarningList::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A light or dark desktop palette: the entries' colour follows it.
    if (event->type() == QEvent::PaletteChange)
        colourEntries();
}

void WarningList::updateHeader()
{
    QString text;
    if (m_fileName.isEmpty())
        text = tr("Los avisos se calculan al abrir y al guardar un diseño.");
    else if (!m_error.isEmpty())
        text = tr("No se puede analizar el archivo guardado %1: %2").arg(m_fileName, m_error);
    else if (warningCount() == 0)
        text = tr("Avisos del archivo guardado %1: ninguno.").arg(m_fileName);
    else
        text = tr("Avisos del archivo guardado %1: %2. Intro o doble clic en un aviso lleva a su línea.")
                   .arg(m_fileName)
                   .arg(warningCount());
    if (m_modified && !m_fileName.isEmpty())
        text += QLatin1Char(' ') + tr("El editor tiene cambios sin guardar: los avisos y sus marcas son los del "
                                      "archivo guardado hasta que se guarde.");
    m_header->setText(text);
    emit changed();
}

void WarningList::colourEntries()
{
    // The list's own palette: a change reaches it before its children.
    const QColor colour = warningColour(palette());
    for (int row = 0; row < m_entries->count(); ++row)
        m_entries->item(row)->setForeground(colour);
}
