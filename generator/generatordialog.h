#pragma once

#include "generator/generatoroptions.h"
#include "generator/randompassword.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QFocusFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QWidget;

// The controls and rules the two "Password Generator" dialogs share: the kind of password, the case of
// its letters, its length, and whether to copy it. "Generate Password" (also Enter) makes one password,
// hands it to deliver(), copies it when asked, and closes; "Cancel" (also Esc) closes with nothing made.
// Every opening starts from the same choices; nothing is remembered.
// "More options" unfolds symbols, look-alike and other exclusions, every kind at least once, and passphrases,
// with a strength line; while it is folded, or nothing in it is chosen, the dialog is the seed's.
class GeneratorDialog : public QDialog {
    Q_OBJECT
public:
    explicit GeneratorDialog(QWidget* parent = nullptr);

protected:
    virtual void deliver(const QString& password) = 0;
    // The longest password the length bar offers (100 unless the receiver keeps fewer characters).
    void setLongestLength(int length);
    // For the password just made with more options: its rating by the estimator; empty otherwise.
    const QString& madeRating() const { return m_madeRating; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typeChosen();
    void generate();
    void createMoreOptions();
    GeneratorOptions chosenOptions() const;
    void optionsChanged();

    RandomPassword m_engine;
    int m_longest = 0;
    QString m_madeRating;

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

    QPushButton* cmdMoreOptions = nullptr;
    QWidget* fraMoreOptions = nullptr;
    QLabel* lblStrength = nullptr;
    QCheckBox* chkSymbols = nullptr;
    QLineEdit* txtSymbols = nullptr;
    QCheckBox* chkLookalike = nullptr;
    QLineEdit* txtExclude = nullptr;
    QCheckBox* chkEveryKind = nullptr;
    QCheckBox* chkPassphrase = nullptr;
    QSpinBox* spnWords = nullptr;
    QLineEdit* txtSeparator = nullptr;
    QCheckBox* chkCapitalise = nullptr;
    QCheckBox* chkDigit = nullptr;
};
