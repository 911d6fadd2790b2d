#include "generator/generatordialog.h"

#include "generator/strength.h"
#include "platform/named.h"
#include "platform/secretclipboard.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFocusFrame>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdlib>

namespace {

enum { Numbers, Letters, Alphanumeric };

} // namespace

GeneratorDialog::GeneratorDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Password Generator"));

    Frame1 = named(new QGroupBox(QStringLiteral("Password Type"), this), "Frame1");
    optType[Numbers] = named(new QRadioButton(QStringLiteral("Numbers"), Frame1), "optType_0");
    optType[Letters] = named(new QRadioButton(QStringLiteral("Letters"), Frame1), "optType_1");
    optType[Alphanumeric] =
        named(new QRadioButton(QStringLiteral("Alphanumeric - Mixed case"), Frame1), "optType_2");
    optType[Alphanumeric]->setChecked(true);
    ChkCase1 = named(new QCheckBox(QStringLiteral("Upper case"), Frame1), "ChkCase1");
    ChkCase2 = named(new QCheckBox(QStringLiteral("Lower Case"), Frame1), "ChkCase2");
    ChkCase1->setEnabled(false);
    ChkCase2->setEnabled(false);

    // The case boxes belong to "Letters", so they sit indented under it.
    auto* caseRow = new QHBoxLayout;
    caseRow->addSpacing(24);
    caseRow->addWidget(ChkCase1);
    caseRow->addSpacing(12);
    caseRow->addWidget(ChkCase2);
    caseRow->addStretch();
    auto* typeBox = new QVBoxLayout(Frame1);
    typeBox->addWidget(optType[Numbers]);
    typeBox->addWidget(optType[Letters]);
    typeBox->addLayout(caseRow);
    typeBox->addWidget(optType[Alphanumeric]);

    Frame2 = named(new QGroupBox(QStringLiteral("Length of Password"), this), "Frame2");
    HScroll1 = named(new QScrollBar(Qt::Horizontal, Frame2), "HScroll1");
    HScroll1->setRange(1, 100);
    HScroll1->setValue(1);
    HScroll1->setSingleStep(1); // the arrows, and the arrow keys
    HScroll1->setPageStep(5);   // the track, and Page Up / Page Down
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    // A scroll bar's keys are set up for scrolling a page (Right and Page Down go back); for a length,
    // Right, Up and Page Up make it longer.
    HScroll1->setInvertedControls(false);
    HScroll1->setMinimumWidth(260);
    // The style draws no focus mark on a scroll bar; without one, a keyboard user cannot see where the
    // arrow keys go.
    m_barFocus = new QFocusFrame(this);
    HScroll1->installEventFilter(this);
    lblLength = named(new QLabel(QStringLiteral("1"), Frame2), "lblLength");
    lblLength->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for "100" from the start, so the bar does not jump as the number grows.
    lblLength->setMinimumWidth(lblLength->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
    auto* lengthBox = new QHBoxLayout(Frame2);
    lengthBox->addWidget(HScroll1, 1);
    lengthBox->addWidget(lblLength);

    chkCopy = named(new QCheckBox(QStringLiteral("Copy generated password to clipboard"), this), "chkCopy");

    Command7 = named(new QPushButton(QStringLiteral("Generate Password"), this), "Command7");
    Command7->setDefault(true);
    Command1 = named(new QPushButton(QStringLiteral("Cancel"), this), "Command1");
    createMoreOptions();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdMoreOptions);
    buttons->addStretch();
    buttons->addWidget(Command7);
    buttons->addWidget(Command1);

    auto* page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2);
    page->addWidget(fraMoreOptions);
    page->addWidget(chkCopy);
    page->addSpacing(4);
    page->addLayout(buttons);
    page->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(optType[Numbers], optType[Letters]);
    setTabOrder(optType[Letters], ChkCase1);
    setTabOrder(ChkCase1, ChkCase2);
    setTabOrder(ChkCase2, optType[Alphanumeric]);
    setTabOrder(optType[Alphanumeric], HScroll1);
    setTabOrder(HScroll1, chkCopy);
    setTabOrder(chkCopy, Command7);
    setTabOrder(Command7, Command1);
    // The added controls come after the seed's, so its tab order stays as it was.
    QWidget* previous = Command1;
    for (QWidget* next : std::initializer_list<QWidget*>{cmdMoreOptions, chkSymbols, txtSymbols, chkLookalike,
                                                         txtExclude, chkEveryKind, chkPassphrase, spnWords,
                                                         txtSeparator, chkCapitalise, chkDigit}) {
        setTabOrder(previous, next);
        previous = next;
    }

    for (QRadioButton* option : optType)
        connect(option, &QRadioButton::toggled, this, &GeneratorDialog::typeChosen);
    // At most one case box is ticked: the upper box clears the lower as soon as it has the focus, a click
    // on the lower box clears the upper.
    ChkCase1->installEventFilter(this);
    connect(ChkCase2, &QCheckBox::clicked, ChkCase1, [this] { ChkCase1->setChecked(false); });
    connect(HScroll1, &QScrollBar::valueChanged, lblLength,
            [this](int value) { lblLength->setText(QString::number(value)); });
    connect(Command7, &QPushButton::clicked, this, &GeneratorDialog::generate);
    connect(Command1, &QPushButton::clicked, this, &GeneratorDialog::reject);

    optType[Alphanumeric]->setFocus();
}

bool GeneratorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ChkCase1 && event->type() == QEvent::FocusIn) {
        // Coming back to the window is not the user moving to the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            ChkCase2->setChecked(false);
    }
    if (watched == HScroll1 && event->type() == QEvent::FocusIn) m_barFocus->setWidget(HScroll1);
    if (watched == HScroll1 && event->type() == QEvent::FocusOut) m_barFocus->setWidget(nullptr);
    return QDialog::eventFilter(watched, event);
}

// The case boxes only mean something for letters; they keep their ticks while disabled.
void GeneratorDialog::typeChosen()
{
    const bool letters = optType[Letters]->isChecked();
    ChkCase1->setEnabled(letters);
    ChkCase2->setEnabled(letters);
}

// Every setting written regenerates; the password that counts is the one after the last write.
void GeneratorDialog::setLongestLength(int length)
{
    HScroll1->setMaximum(length);
    m_longest = length; // passphrases too stop there
    optionsChanged();
}

void GeneratorDialog::createMoreOptions()
{
    cmdMoreOptions = named(new QPushButton(QStringLiteral("More options"), this), "cmdMoreOptions");
    cmdMoreOptions->setCheckable(true);
    cmdMoreOptions->setAutoDefault(false);
    fraMoreOptions = named(new QGroupBox(QStringLiteral("More Options"), this), "fraMoreOptions");
    fraMoreOptions->setVisible(false);

    lblStrength = named(new QLabel(fraMoreOptions), "lblStrength");
    lblStrength->setWordWrap(true);
    chkSymbols = named(new QCheckBox(QStringLiteral("Symbols:"), fraMoreOptions), "chkSymbols");
    txtSymbols = named(new QLineEdit(kPunctuation, fraMoreOptions), "txtSymbols");
    chkLookalike =
        named(new QCheckBox(QStringLiteral("Exclude look-alike characters (l I O 0 1 |)"), fraMoreOptions),
              "chkLookalike");
    txtExclude = named(new QLineEdit(fraMoreOptions), "txtExclude");
    chkEveryKind = named(new QCheckBox(QStringLiteral("Use every chosen kind at least once"), fraMoreOptions),
                         "chkEveryKind");
    chkPassphrase =
        named(new QCheckBox(QStringLiteral("Passphrase of words instead"), fraMoreOptions), "chkPassphrase");
    spnWords = named(new QSpinBox(fraMoreOptions), "spnWords");
    spnWords->setRange(3, 12);
    spnWords->setValue(6);
    txtSeparator = named(new QLineEdit(QStringLiteral("-"), fraMoreOptions), "txtSeparator");
    txtSeparator->setMaxLength(5);
    chkCapitalise =
        named(new QCheckBox(QStringLiteral("Capitalise one word"), fraMoreOptions), "chkCapitalise");
    chkDigit = named(new QCheckBox(QStringLiteral("Add a digit"), fraMoreOptions), "chkDigit");

    auto* symbolsRow = new QHBoxLayout;
    symbolsRow->addWidget(chkSymbols);
    symbolsRow->addWidget(txtSymbols, 1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Characters to exclude:"), txtExclude);
    auto* words = new QFormLayout;
    words->addRow(QStringLiteral("Words:"), spnWords);
    words->addRow(QStringLiteral("Separator:"), txtSeparator);
    auto* wordChecks = new QHBoxLayout;
    wordChecks->addWidget(chkCapitalise);
    wordChecks->addWidget(chkDigit);
    wordChecks->addStretch();
    auto* box = new QVBoxLayout(fraMoreOptions);
    box->addWidget(lblStrength);
    box->addLayout(symbolsRow);
    box->addWidget(chkLookalike);
    box->addLayout(form);
    box->addWidget(chkEveryKind);
    box->addWidget(chkPassphrase);
    box->addLayout(words);
    box->addLayout(wordChecks);

    connect(cmdMoreOptions, &QPushButton::toggled, this, [this](bool open) {
        fraMoreOptions->setVisible(open);
        optionsChanged();
    });
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             optType[Numbers], optType[Letters], optType[Alphanumeric], ChkCase1, ChkCase2, chkSymbols,
             chkLookalike, chkEveryKind, chkPassphrase, chkCapitalise, chkDigit})
        connect(button, &QAbstractButton::toggled, this, &GeneratorDialog::optionsChanged);
    for (QLineEdit* edit : {txtSymbols, txtExclude, txtSeparator})
        connect(edit, &QLineEdit::textChanged, this, &GeneratorDialog::optionsChanged);
    connect(HScroll1, &QScrollBar::valueChanged, this, &GeneratorDialog::optionsChanged);
    connect(spnWords, &QSpinBox::valueChanged, this, &GeneratorDialog::optionsChanged);
    optionsChanged();
}

// The seed's settings as the Generate button writes them, and the more options while they are unfolded.
GeneratorOptions GeneratorDialog::chosenOptions() const
{
    GeneratorOptions o;
    o.length = std::abs(HScroll1->value());
    if (optType[Numbers]->isChecked()) {
        o.passwordType = 1;
    } else if (optType[Letters]->isChecked()) {
        o.passwordType = 2;
        o.letterCase = ChkCase1->isChecked() ? 1 : ChkCase2->isChecked() ? 2 : 3;
    }
    if (!cmdMoreOptions->isChecked()) return o;
    o.symbols = chkSymbols->isChecked();
    o.symbolSet = txtSymbols->text();
    o.noLookalike = chkLookalike->isChecked();
    o.exclude = txtExclude->text();
    o.everyKind = chkEveryKind->isChecked();
    o.passphrase = chkPassphrase->isChecked();
    o.words = spnWords->value();
    o.separator = txtSeparator->text();
    o.capitalise = chkCapitalise->isChecked();
    o.addDigit = chkDigit->isChecked();
    o.longest = m_longest;
    return o;
}

void GeneratorDialog::optionsChanged()
{
    const GeneratorOptions o = chosenOptions();
    const bool words = o.passphrase;
    Frame1->setEnabled(!words);
    Frame2->setEnabled(!words);
    for (QWidget* w : std::initializer_list<QWidget*>{chkSymbols, chkLookalike, txtExclude, chkEveryKind})
        w->setEnabled(!words);
    txtSymbols->setEnabled(!words && o.symbols);
    for (QWidget* w : std::initializer_list<QWidget*>{spnWords, txtSeparator, chkCapitalise, chkDigit})
        w->setEnabled(words);

    const QString problem = optionsProblem(o);
    Command7->setEnabled(problem.isEmpty());
    lblStrength->setText(
        problem.isEmpty()
            ? QStringLiteral("Entropy of these settings: %1 bits").arg(entropyBits(o), 0, 'f', 1)
            : problem);
}

void GeneratorDialog::generate()
{
    const GeneratorOptions options = chosenOptions();
    QString password;
    if (options.moreOptions()) {
        password = generatePassword(options);
        const Strength strength = Strength::of(password);
        m_madeRating =
            QStringLiteral("%1 (about %2 bits to guess)").arg(strength.rating()).arg(qRound(strength.bits));
    } else {
        m_engine.setLength(static_cast<qint16>(std::abs(HScroll1->value())));
        if (optType[Numbers]->isChecked()) {
            m_engine.setPasswordType(1);
        } else if (optType[Letters]->isChecked()) {
            m_engine.setPasswordType(2);
            if (ChkCase1->isChecked())
                m_engine.setLetterCase(1);
            else if (ChkCase2->isChecked())
                m_engine.setLetterCase(2);
        } else {
            m_engine.setPasswordType(3);
            m_engine.setLetterCase(3);
        }
        password = m_engine.Password();
    }

    deliver(password);
    if (chkCopy->isChecked()) secretClipboard().copy(password);
    accept();
}
