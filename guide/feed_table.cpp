#include "guide/feed_table.h"

#include <algorithm>

#include "service/cp1254.h"

namespace velora::guide {

QString fitColumn(const QString& value, int width) {
    return cp1254::decode(cp1254::encode(value).left(width));
}

FeedTable::FeedTable(std::vector<ColumnSpec> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

void FeedTable::reset() {
    beginResetModel();
    m_rows.clear();
    m_open = true;
    endResetModel();
    if (m_current != -1) {
        m_current = -1;
        emit currentRowChanged(m_current);
    }
}

int FeedTable::appendRow(const QStringList& values) {
    QStringList row;
    row.reserve(static_cast<qsizetype>(m_columns.size()));
    for (size_t c = 0; c < m_columns.size(); ++c) {
        const auto i = static_cast<qsizetype>(c);
        row.append(fitColumn(i < values.size() ? values.at(i) : QString(), m_columns[c].width));
    }
    const auto index = static_cast<int>(m_rows.size());
    beginInsertRows({}, index, index);
    m_rows.append(row);
    endInsertRows();
    m_current = index;
    emit currentRowChanged(m_current);
    return index;
}

QString FeedTable::value(int row, int column) const {
    if (row < 0 || row >= m_rows.size() || column < 0 ||
        column >= static_cast<int>(m_columns.size())) {
        return {};
    }
    return m_rows.at(row).at(column);
}

QString FeedTable::currentValue(int column) const {
    return value(m_current, column);
}

void FeedTable::setCurrentRow(int row) {
    const int clamped = m_rows.isEmpty() ? -1 : std::clamp(row, 0, int(m_rows.size()) - 1);
    if (clamped != m_current) {
        m_current = clamped;
        emit currentRowChanged(m_current);
    }
}

int FeedTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FeedTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant FeedTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return value(index.row(), index.column());
}

QVariant FeedTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(m_columns.size())) {
        return {};
    }
    return m_columns[static_cast<size_t>(section)].name;
}

ScheduleTable::ScheduleTable(QObject* parent)
    : FeedTable({{QStringLiteral("saat"), 10},
                 {QStringLiteral("program"), 100},
                 {QStringLiteral("ok"), 1},
                 {QStringLiteral("aciklama"), 1000}},
                parent) {}

AnnouncementTable::AnnouncementTable(QObject* parent)
    : FeedTable({{QStringLiteral("baslik"), 50},
                 {QStringLiteral("detay"), 200},
                 {QStringLiteral("icerik"), 2000},
                 {QStringLiteral("resimlink"), 150},
                 {QStringLiteral("ok"), 1}},
                parent) {}

}  // namespace velora::guide
