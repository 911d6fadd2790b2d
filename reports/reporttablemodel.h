#pragma once

#include "reports/reportoptions.h"

#include <QAbstractTableModel>
#include <QVector>

class EntryStore;

// The HTML report as a table read from the store when drawn: per chosen category a title row, a row of
// column headers and its entries, with the texts, masking and links of the report file. Its cost follows
// the rows on screen, not the size of the store.
class ReportTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class RowKind { Title, Header, Entry };

    ReportTableModel(const EntryStore& store, Reports::ReportOptions options, QObject* parent = nullptr);

    RowKind rowKind(int row) const;
    // The rows of the category titles, in order.
    QVector<int> titleRows() const;
    // The target of the link a cell shows, as written in the entry; empty for a cell without a link.
    QString linkAt(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    struct Section {
        int category;
        int firstRow; // the title; the headers follow, then the entries
    };
    // The section a row belongs to.
    const Section& sectionOf(int row) const;

    const EntryStore& m_store;
    Reports::ReportOptions m_options;
    QVector<Section> m_sections;
    int m_rows = 0;
};
