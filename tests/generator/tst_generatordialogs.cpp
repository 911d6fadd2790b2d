#include "generator/frmgenerator.h"
#include "generator/frmgenerator2.h"
#include "tests/support/fakedesktop.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <memory>

namespace {

const QString kShown = QStringLiteral("The password is:  \r\n\r\n");

enum Kind { FromEntryDialog, FromMainWindow };

// One open generator dialog of either kind, and the passwords that reached the user.
struct Harness {
    explicit Harness(Kind kind) : kind(kind), fake(FakeDesktop::install())
    {
        fake.clipboard = QStringLiteral("before");
        if (kind == FromEntryDialog)
            dialog = std::make_unique<frmGenerator>([this](const QString& p) { delivered << p; });
        else
            dialog = std::make_unique<frmGenerator2>();
        dialog->show();
        // The focus rules need it; a failure here fails the test that built the harness.
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    // The entry dialog's deliveries, or the message boxes with their lead-in (when it is right) removed.
    QStringList passwords() const
    {
        if (kind == FromEntryDialog) return delivered;
        QStringList shown;
        for (const QString& m : fake.messages)
            shown << (m.startsWith(kShown) ? m.mid(kShown.size()) : m);
        return shown;
    }
    template <typename W> W* get(const char* name) const
    {
        return dialog->findChild<W*>(QLatin1String(name));
    }
    // Near the left edge: a check box or option takes clicks on its box and caption only.
    void click(const char* name) const
    {
        auto* b = get<QAbstractButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {},
                          qobject_cast<QPushButton*>(b) ? b->rect().center() : QPoint(8, b->height() / 2));
    }
    bool ticked(const char* name) const { return get<QAbstractButton>(name)->isChecked(); }

    Kind kind;
    FakeDesktop& fake;
    QStringList delivered;
    std::unique_ptr<GeneratorDialog> dialog;
};

void addKinds()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("frmGenerator") << int(FromEntryDialog);
    QTest::newRow("frmGenerator2") << int(FromMainWindow);
}

} // namespace

class TestGeneratorDialogs : public QObject {
    Q_OBJECT

private slots:
    void closingWithoutGenerating_data() { addKinds(); }
    void closingWithoutGenerating();
    void generation_data();
    void generation();
    void caseBoxes();
    void lengthBar_data() { addKinds(); }
    void lengthBar();
    void moreOptions_data() { addKinds(); }
    void moreOptions();
};

// Esc on one dialog, Cancel on the other: nothing delivered or copied, even with the copy box ticked.
void TestGeneratorDialogs::closingWithoutGenerating()
{
    QFETCH(int, kind);
    Harness h(static_cast<Kind>(kind));
    h.click("chkCopy");
    if (kind == FromMainWindow)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else
        h.click("Command1");
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.dialog->result(), int(QDialog::Rejected));
    QVERIFY(h.passwords().isEmpty());
    QCOMPARE(h.fake.clipboard, QStringLiteral("before"));
}

void TestGeneratorDialogs::generation_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("shape");

    // Lookaheads demand each kind of character where 100 characters all but surely hold it (missing one
    // has a probability below 1e-12).
    const QString mixedLetters = QStringLiteral("^(?=.*[A-Z])(?=.*[a-z])[A-NP-Za-np-z]{100}$");
    QTest::newRow("letters, neither case box: mixed") << QStringList{"optType_1"} << 100 << mixedLetters;
    QTest::newRow("letters, upper") << QStringList{"optType_1", "ChkCase1"} << 50 << "^[A-NP-Z]{50}$";
    QTest::newRow("letters, upper then lower")
        << QStringList{"optType_1", "ChkCase1", "ChkCase2"} << 50 << "^[a-np-z]{50}$";
    QTest::newRow("upper, then numbers")
        << QStringList{"optType_1", "ChkCase1", "optType_0"} << 8 << "^[0-9]{8}$";
    QTest::newRow("lower, then alphanumeric is mixed again")
        << QStringList{"optType_1", "ChkCase2", "optType_2"} << 100
        << "^(?=.*[0-9])(?=.*[A-Z])(?=.*[a-z])[0-9A-NP-Za-np-z]{100}$";
}

void TestGeneratorDialogs::generation()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, length);
    QFETCH(QString, shape);

    Harness h(FromMainWindow);
    for (const QString& name : clicks)
        h.click(qPrintable(name));
    h.get<QScrollBar>("HScroll1")->setValue(length);
    h.click("Command7");
    const QStringList made = h.passwords();
    QCOMPARE(made.size(), 1);
    QVERIFY2(QRegularExpression(shape).match(made.first()).hasMatch(), qPrintable(made.first()));
    QVERIFY(!h.dialog->isVisible());
}

// At most one case box is ticked: a click on the lower clears the upper, moving to the upper clears the
// lower.
void TestGeneratorDialogs::caseBoxes()
{
    Harness h(FromMainWindow);
    h.click("optType_1");
    h.click("ChkCase1");
    h.click("ChkCase2");
    QVERIFY(!h.ticked("ChkCase1") && h.ticked("ChkCase2"));
    h.get<QWidget>("ChkCase1")->setFocus(Qt::BacktabFocusReason); // and ticks nothing by itself
    QVERIFY(!h.ticked("ChkCase1") && !h.ticked("ChkCase2"));
    // The space bar on the lower box counts as its click; focus on it alone changes nothing.
    h.click("ChkCase1");
    h.get<QWidget>("ChkCase2")->setFocus(Qt::TabFocusReason);
    QVERIFY(h.ticked("ChkCase1"));
    QTest::keyClick(h.get<QWidget>("ChkCase2"), Qt::Key_Space);
    QVERIFY(!h.ticked("ChkCase1") && h.ticked("ChkCase2"));
}

// By keyboard: Right/Up lengthen by 1, Page Up by 5, Left/Down/Page Down shorten; the label follows,
// Enter on the bar generates, the length counts, and the copy box puts exactly the password on the clipboard.
void TestGeneratorDialogs::lengthBar()
{
    QFETCH(int, kind);
    Harness h(static_cast<Kind>(kind));
    h.click("chkCopy");
    // The entry dialogs' generator stops at 50, the length their boxes keep.
    const QString longest = kind == FromEntryDialog ? QStringLiteral("50") : QStringLiteral("100");
    auto* bar = h.get<QScrollBar>("HScroll1");
    bar->setFocus(Qt::TabFocusReason);
    const QList<std::pair<Qt::Key, QString>> keys = {
        {Qt::Key_Right, "2"}, {Qt::Key_PageUp, "7"},   {Qt::Key_Up, "8"},      {Qt::Key_Left, "7"},
        {Qt::Key_Down, "6"},  {Qt::Key_PageDown, "1"}, {Qt::Key_End, longest}, {Qt::Key_Home, "1"},
    };
    for (const auto& [key, shown] : keys) {
        QTest::keyClick(bar, key);
        QCOMPARE(h.get<QLabel>("lblLength")->text(), shown);
    }
    bar->setValue(13);
    QTest::keyClick(bar, Qt::Key_Return);
    QCOMPARE(h.fake.messages.size(), kind == FromMainWindow ? 1 : 0); // the entry dialog gets no box
    const QStringList made = h.passwords();
    QCOMPARE(made.size(), 1);
    QCOMPARE(made.first().size(), 13);
    QCOMPARE(h.fake.clipboard, made.first()); // no lead-in, no line breaks
}

// Unfolded, a setting that leaves nothing holds the button back, and a passphrase of 12 words keeps within
// what an entry holds; the main window's box adds the estimator's rating.
void TestGeneratorDialogs::moreOptions()
{
    QFETCH(int, kind);
    Harness h(static_cast<Kind>(kind));
    h.click("cmdMoreOptions");
    auto* exclude = h.get<QLineEdit>("txtExclude");
    exclude->setText(QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    QCOMPARE(h.get<QLabel>("lblStrength")->text(), QStringLiteral("No characters are left to choose from."));
    QVERIFY(!h.get<QWidget>("Command7")->isEnabled());
    exclude->clear();

    h.click("chkPassphrase");
    h.get<QSpinBox>("spnWords")->setValue(12);
    h.get<QLineEdit>("txtSeparator")->setText(QStringLiteral(" ")); // a few words hold a dash
    h.click("chkDigit");
    h.click("Command7");
    QCOMPARE(h.passwords().size(), 1);
    // The main window's box rates the password under it; the entry dialogs take 50 characters at most.
    const QStringList parts = h.passwords().first().split(QStringLiteral("\r\n\r\nStrength: "));
    QCOMPARE(parts.size(), kind == FromMainWindow ? 2 : 1);
    const QRegularExpression rating(QStringLiteral("^(very weak|weak|fair|good|strong) \\(about \\d+ bits"));
    QVERIFY2(kind == FromMainWindow ? rating.match(parts.last()).hasMatch() : parts.first().size() <= 50,
             qPrintable(h.passwords().first()));
    QCOMPARE(parts.first().split(QLatin1Char(' ')).size(), 12);
    QCOMPARE(parts.first().count(QRegularExpression(QStringLiteral("[0-9]"))), 1);
}

QTEST_MAIN(TestGeneratorDialogs)
#include "tst_generatordialogs.moc"
