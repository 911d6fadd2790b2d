#pragma once

#include <QDialog>
#include <array>

class QListWidget;
class QPushButton;
class QTabWidget;

// "Edit List": the server types and protocols offered for remote systems, one tab each. The editor
// works on its own copies and writes both files only on Save.
class frmEditList : public QDialog {
    Q_OBJECT
public:
    // tab 0 shows "Server Types" first, tab 1 "Server Protocols".
    explicit frmEditList(int tab, QWidget* parent = nullptr);

signals:
    // Both files were written (or as much as could be): whoever shows the lists reloads them now.
    void listsSaved();

private:
    QWidget* makeTab(int index);
    void addItem(int index);
    void removeItem(int index);
    void save();

    QTabWidget* SSTab1 = nullptr;
    std::array<QListWidget*, 2> lists{}; // List1, List2
    std::array<QPushButton*, 2> cmdAdd{};
    std::array<QPushButton*, 2> cmdRemove{};
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
};
