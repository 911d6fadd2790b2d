#pragma once

#include "reports/frmhtmlpreview.h"
#include "reports/reportoptions.h"

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <array>
#include <functional>

class Color;
class EntryStore;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QStatusBar;
class QTabWidget;

// The reports dialog: pick categories and options, then preview, save, view or print a report of them.
// Opened modally by the main window; each opening starts with nothing ticked and no colour chosen.
class frmReports : public QDialog {
    Q_OBJECT
public:
    enum Tab { HtmlTab = 0, TextTab = 1 };

    // setStatus, when given, receives every status text the dialog shows (the main window mirrors them).
    explicit frmReports(EntryStore& store, int initialTab = TextTab,
                        std::function<void(const QString&)> setStatus = {}, QWidget* parent = nullptr);
    ~frmReports() override;

    // The temporary file in the data folder that is handed to the text viewer.
    static QString viewFilePath();

    // The report buffers; empty whenever no button is at work.
    const QString& htmlBuffer() const { return m_htmlBuffer; }
    const QString& textBuffer() const { return m_textBuffer; }
    QString statusText() const;
    // The open preview window, if any.
    frmHTMLPreview* preview() const { return m_preview; }
    // Prints on this printer instead of the default one (tests print to a PDF file). Not owned.
    void setPrinter(QPrinter* printer) { m_printer = printer; }

    Reports::ReportOptions htmlOptions() const;
    Reports::ReportOptions textOptions() const;

    QTabWidget* SSTab1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    std::array<QCheckBox*, kCategoryCount> chkTables{};
    std::array<QCheckBox*, kCategoryCount> chkTables2{};
    QCheckBox* chkPrintPasswords = nullptr;
    QCheckBox* chkPrintPasswords2 = nullptr;
    QCheckBox* chkBoldTitles = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    Color* Color2 = nullptr;
    QPushButton* cmdPreview = nullptr;
    QPushButton* cmdSaveReportAs = nullptr;
    QPushButton* cmdViewTXT = nullptr;
    QPushButton* cmdSaveText = nullptr;
    QPushButton* cmdPrintText = nullptr;
    std::array<QPushButton*, 2> cmdCancel{};
    QStatusBar* StatusBar1 = nullptr;

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHtmlTab(QWidget* page);
    void buildTextTab(QWidget* page);
    void addHint(QWidget* widget, const QString& hint, QList<QWidget*> surface = {});
    void setStatusText(const QString& text);
    bool selectionCheck(const std::array<QCheckBox*, kCategoryCount>& boxes);
    QString askSaveFileName(const QString& filter, const QString& extension);
    void removeTemporaryFiles();

    void cmdPreview_Click();
    void cmdSaveReportAs_Click();
    void cmdViewTXT_Click();
    void cmdSaveText_Click();
    void cmdPrintText_Click();

    EntryStore& m_store;
    std::function<void(const QString&)> m_setStatus;
    QString m_htmlBuffer;
    QString m_textBuffer;
    QString m_lastFileName; // the save dialog offers the name chosen last while the dialog is open
    QPointer<frmHTMLPreview> m_preview;
    QPrinter* m_printer = nullptr;

    struct Hint {
        QString text;
        QList<QWidget*> surface; // the parts that count as the control itself (a tab control's pages)
    };
    QHash<QObject*, Hint> m_hints;
};
