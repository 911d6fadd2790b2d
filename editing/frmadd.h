#pragma once

#include "store/categories.h"

#include <QDialog>
#include <array>

class EntryStore;
class FieldEdit;
class PickOnlyCombo;
class QComboBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QToolButton;

// "Add Entry Wizard": a first page to choose the category, then that category's page with its five
// boxes. Finish appends the entry to the store.
class frmAdd : public QDialog {
    Q_OBJECT
public:
    // Starts on startCategory, the list the user is looking at.
    frmAdd(EntryStore& store, int startCategory, QWidget* parent = nullptr);

    // The category page in view, or -1 while the category is being chosen.
    int currentPage() const;

public slots:
    // Reloads the Remote System page's server types and protocols from their files.
    void AddServers();
    // A generated password goes into the password box of the page in view (the pages with a generator).
    void UpdateGeneratedPassword(const QString& GeneratedPassword);

private:
    enum Nav { NavCancel = 1, NavBack = 2, NavNext = 3, NavFinish = 4 };

    int labelColumnWidth() const;
    QWidget* makeBeginPage();
    QWidget* makeCategoryPage(int category);
    QToolButton* makeToolButton(const QString& name, const QIcon& icon, const QString& tip);
    void showBegin();
    void showCategory(int category);
    void finish();
    void openListEditor(int tab);

    EntryStore& m_store;
    QStackedWidget* m_pages = nullptr;
    QWidget* Begin = nullptr;
    QComboBox* ImageCombo1 = nullptr;
    std::array<QWidget*, kCategoryCount> Cat{};
    std::array<QPushButton*, 5> cmdNav{}; // 1 to 4, as the buttons have always been numbered
    std::array<FieldEdit*, kCategoryCount> txtSite{};
    std::array<FieldEdit*, kCategoryCount> txtUserName{};
    std::array<FieldEdit*, kCategoryCount> txtPassword{};
    std::array<FieldEdit*, kCategoryCount> txtURL{};   // none on the Remote System page
    std::array<FieldEdit*, kCategoryCount> txtNotes{}; // none on the Remote System page
    std::array<PickOnlyCombo*, 2> cboProtocol{};       // 0: Web Page, 1: Remote System
    QComboBox* cboServers = nullptr;
};
