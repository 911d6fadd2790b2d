#pragma once

#include "generator/randompassword.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QFocusFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The controls and rules the two "Password Generator" dialogs share: the kind of password, the case of
// its letters, its length, and whether to copy it. "Generate Password" (also Enter) makes one password,
// hands it to deliver(), copies it when asked, and closes; "Cancel" (also Esc) closes with nothing made.
// Every opening starts from the same choices; nothing is remembered.
class GeneratorDialog : public QDialog {
    Q_OBJECT
public:
    explicit GeneratorDialog(QWidget* parent = nullptr);

protected:
    virtual void deliver(const QString& password) = 0;
    // The longest password the length bar offers (100 unless the receiver keeps fewer characters).
    void setLongestLength(int length);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typeChosen();
    void generate();

    RandomPassword m_engine;

    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 3> optType{};
    QCheckBox* ChkCase1 = nullptr;
    QCheckBox* ChkCase2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* lblLength = nullptr;
    QCheckBox* chkCopy = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command1 = nullptr;
    QFocusFrame* m_barFocus = nullptr;
};
