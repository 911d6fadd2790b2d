#pragma once

#include "reports/reportoptions.h"

#include <QDialog>

class EntryStore;
class QTableView;
class ReportTableModel;

// "HTML Tables Report Preview": a resizable window that shows the HTML report of the chosen categories
// until the user closes it. Each category is a title, a row of column headers and its entries, as in the
// report file; a click (or Enter) on a link in the Site URL or Filename column opens it. Esc closes it.
// The rows are read from the store as they are drawn, so a full store opens at once.
class frmHTMLPreview : public QDialog {
    Q_OBJECT
public:
    frmHTMLPreview(const EntryStore& store, const Reports::ReportOptions& options, QWidget* parent = nullptr);

    ReportTableModel* model() const { return m_model; }

    QTableView* WebBrowser1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openLink(const QModelIndex& index);

    ReportTableModel* m_model = nullptr;
};
