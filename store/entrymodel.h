#pragma once

#include "store/entry.h"

#include <QAbstractTableModel>
#include <QVector>

// One category's list: the one copy of its entries. The sensitive column shows "******" while masked;
// the clear value stays in the entry and every reader takes it from there.
class EntryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit EntryModel(int category, QObject* parent = nullptr);

    int category() const { return m_category; }
    int count() const { return int(m_entries.size()); }
    const Entry& entry(int row) const { return m_entries.at(row); }
    const QVector<Entry>& entries() const { return m_entries; }

    void insertEntry(int row, const Entry& entry);
    void replaceEntry(int row, const Entry& entry);
    void removeEntry(int row);
    void setEntries(QVector<Entry> entries);
    void setMasked(bool masked);
    // The picture shown beside field 1 and the font of a bold entry: the views supply them, the core knows
    // no pictures or fonts.
    void setDecoration(const QVariant& icon);
    void setBoldFont(const QVariant& font);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static const QString kMask;

private:
    int m_category;
    bool m_masked = false;
    QVariant m_decoration;
    QVariant m_boldFont;
    QStringList m_captions;
    QVector<Entry> m_entries;
};
