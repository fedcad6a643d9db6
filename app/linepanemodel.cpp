#include "app/linepanemodel.h"

#include <QTimer>

LinePaneModel::LinePaneModel(QObject *parent) : QAbstractListModel(parent) {}

int LinePaneModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

QVariant LinePaneModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shownRows)
        return QVariant();
    return row(index.row());
}

QString LinePaneModel::row(int i) const
{
    if (i < 0 || i >= m_starts.size())
        return QString();
    const qsizetype begin = m_starts[i];
    const qsizetype end = i + 1 < m_starts.size() ? m_starts[i + 1] : m_text.size();
    return m_text.mid(begin, end - begin);
}

QStringList LinePaneModel::rows() const
{
    QStringList all;
    all.reserve(m_starts.size());
    for (int i = 0; i < m_starts.size(); ++i)
        all << row(i);
    return all;
}

void LinePaneModel::addRow(QStringView text)
{
    m_starts.append(m_text.size());
    m_text.append(text);
}

void LinePaneModel::appendItems(const QStringList &items)
{
    for (const QString &item : items) {
        for (QStringView line : QStringView(item).split(QLatin1Char('\n')))
            addRow(line);
    }
    if (!m_flushPending && m_starts.size() > m_shownRows) {
        m_flushPending = true;
        QTimer::singleShot(0, this, &LinePaneModel::flush);
    }
}

void LinePaneModel::flush()
{
    m_flushPending = false;
    const int stored = storedRowCount();
    if (stored <= m_shownRows)
        return;
    beginInsertRows(QModelIndex(), m_shownRows, stored - 1);
    m_shownRows = stored;
    endInsertRows();
}

void LinePaneModel::clear()
{
    beginResetModel();
    m_text.clear();
    m_starts.clear();
    m_shownRows = 0;
    endResetModel();
}
