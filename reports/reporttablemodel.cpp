#include "reports/reporttablemodel.h"

#include "store/entrystore.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QPalette>

namespace {

const QString kHtmlMask = QStringLiteral("******");

} // namespace

ReportTableModel::ReportTableModel(const EntryStore& store, Reports::ReportOptions options, QObject* parent)
    : QAbstractTableModel(parent), m_store(store), m_options(std::move(options))
{
    for (int c = 0; c < kCategoryCount; ++c) {
        if (!m_options.categories[c]) continue;
        m_sections.append({c, m_rows});
        m_rows += 2 + m_store.list(c).count();
    }
}

const ReportTableModel::Section& ReportTableModel::sectionOf(int row) const
{
    int i = int(m_sections.size()) - 1;
    while (i > 0 && m_sections.at(i).firstRow > row)
        --i;
    return m_sections.at(i);
}

ReportTableModel::RowKind ReportTableModel::rowKind(int row) const
{
    const int offset = row - sectionOf(row).firstRow;
    return offset == 0 ? RowKind::Title : offset == 1 ? RowKind::Header : RowKind::Entry;
}

QVector<int> ReportTableModel::titleRows() const
{
    QVector<int> rows;
    for (const Section& section : m_sections)
        rows.append(section.firstRow);
    return rows;
}

QString ReportTableModel::linkAt(const QModelIndex& index) const
{
    // Web pages, serial numbers and applications hold an address or a file in field 4: a link to itself.
    if (!index.isValid() || index.column() != 3 || rowKind(index.row()) != RowKind::Entry) return {};
    const Section& section = sectionOf(index.row());
    if (section.category > Applications) return {};
    return m_store.list(section.category).entry(index.row() - section.firstRow - 2).url().toString();
}

int ReportTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int ReportTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kFieldCount;
}

QVariant ReportTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || m_sections.isEmpty()) return {};
    const Section& section = sectionOf(index.row());
    const int offset = index.row() - section.firstRow;
    const int column = index.column();

    if (offset == 0) { // the title spans the row
        if (role == Qt::DisplayRole) return column == 0 ? tabCaption(section.category) : QString();
        if (role == Qt::ForegroundRole) return QColor(m_options.titleColor);
        if (role == Qt::FontRole) {
            QFont font = QGuiApplication::font();
            font.setPointSizeF(font.pointSizeF() * 1.5);
            font.setBold(true);
            return font;
        }
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignBottom);
        return {};
    }
    if (offset == 1) {
        if (role == Qt::DisplayRole) return columnCaptions(section.category).value(column);
        if (role == Qt::BackgroundRole) return QColor(0xC0, 0xC0, 0xC0);
        return {};
    }

    const Entry& entry = m_store.list(section.category).entry(offset - 2);
    const bool masked = column == kSensitiveColumn && m_options.hideSensitive;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // a cell shows one line; its whole text on hover
        return (masked ? kHtmlMask : entry.field(column + 1)).toString();
    case Qt::ForegroundRole:
        if (!linkAt(index).isEmpty()) return QGuiApplication::palette().link().color();
        return {};
    case Qt::FontRole:
        if (!linkAt(index).isEmpty()) {
            QFont font = QGuiApplication::font();
            font.setUnderline(true);
            return font;
        }
        return {};
    default:
        return {};
    }
}
