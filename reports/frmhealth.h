#pragma once

#include "reports/passwordhealth.h"

#include <QDialog>

class EntryStore;
class HealthModel;
class QLabel;
class QTableView;

// Tools > "Password Health...": the entries whose password is empty, short, weak or reused, by category,
// field 1 and field 2, never the password; a double click opens Properties on that entry, and the list is
// checked again when Properties closes. Open it modally: the rows point into the store.
class frmHealth : public QDialog {
    Q_OBJECT
public:
    explicit frmHealth(EntryStore& store, QWidget* parent = nullptr);

    const HealthReport& report() const { return m_report; }
    // Opens Properties on the entry of a row of the list (the seam the double click uses).
    void openEntry(int findingRow);

private:
    void check();

    EntryStore& m_store;
    HealthReport m_report;
    HealthModel* m_model = nullptr;
    QTableView* lstFindings = nullptr;
    QLabel* lblSummary = nullptr;
};
