#include "store/entrymodel.h"

#include "store/categories.h"

const QString EntryModel::kMask = QStringLiteral("******");

EntryModel::EntryModel(int category, QObject* parent)
    : QAbstractTableModel(parent), m_category(category), m_captions(columnCaptions(category))
{
}

void EntryModel::insertEntry(int row, const Entry& entry)
{
    beginInsertRows({}, row, row);
    m_entries.insert(row, entry);
    endInsertRows();
}

void EntryModel::replaceEntry(int row, const Entry& entry)
{
    m_entries[row] = entry;
    emit dataChanged(index(row, 0), index(row, kFieldCount - 1));
}

void EntryModel::removeEntry(int row)
{
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void EntryModel::setEntries(QVector<Entry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

void EntryModel::setMasked(bool masked)
{
    if (m_masked == masked) return;
    m_masked = masked;
    if (!m_entries.isEmpty())
        emit dataChanged(index(0, kSensitiveColumn), index(count() - 1, kSensitiveColumn), {Qt::DisplayRole});
}

void EntryModel::setDecoration(const QVariant& icon)
{
    m_decoration = icon;
}

void EntryModel::setBoldFont(const QVariant& font)
{
    m_boldFont = font;
}

int EntryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

int EntryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kFieldCount;
}

QVariant EntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count()) return {};
    const Entry& e = m_entries.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        if (index.column() == kSensitiveColumn && m_masked) return kMask;
        return e.field(index.column() + 1).toString();
    case Qt::FontRole:
        return e.bold ? m_boldFont : QVariant();
    case Qt::DecorationRole:
        return index.column() == 0 ? m_decoration : QVariant();
    default:
        return {};
    }
}

QVariant EntryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kFieldCount)
        return m_captions.at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
