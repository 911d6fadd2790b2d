#pragma once

#include <QComboBox>
#include <QLineEdit>

// The text box of an entry field: at most one database field wide (blanks at either end aside), and its whole
// text selected whenever it takes the focus, by keyboard or by mouse, so typing replaces it.
class FieldEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FieldEdit(const QString& name, QWidget* parent);

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// Puts the file the user picks, of any kind, into the box; a cancelled pick leaves the box as it was.
void browseForFile(QLineEdit* box);

// A pick-only list: typed characters are dropped instead of jumping to an item, so a stray letter never
// changes the choice; arrows, the space bar and the mouse still pick.
class PickOnlyCombo : public QComboBox {
    Q_OBJECT
public:
    explicit PickOnlyCombo(const QString& name, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
