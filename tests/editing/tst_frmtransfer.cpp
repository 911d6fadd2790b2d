#include "editing/frmtransfer.h"
#include "store/entrystore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestFrmTransfer : public QObject {
    Q_OBJECT

private slots:
    void exportWarnsFirst();
    void importAllOrNothing();
};

// Nothing is written until the user has said yes to a file of passwords in clear; then it is owner-only.
void TestFrmTransfer::exportWarnsFirst()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    EntryStore store;
    store.addEntry({"Mail", "anna", "s3cret,\"x\"", "https://mail.example", ""}, WebPages);
    const QString path = home.file(QStringLiteral("out.csv"));

    for (const bool yes : {false, true}) {
        frmExport dialog(store);
        dialog.findChild<QComboBox*>(QStringLiteral("cboLayout"))->setCurrentIndex(2);
        fake.fileAnswers.enqueue(path);
        fake.yesNoAnswers.enqueue(yes);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdExport")), Qt::LeftButton);
        QVERIFY(fake.questions.last().contains(QStringLiteral("will hold every password in clear text")));
        QCOMPARE(QFile::exists(path), yes);
    }
    QCOMPARE(readFile(path), exportCsv(store, CsvLayout::Bitwarden));
    QVERIFY(ownerOnly(path));
    QCOMPARE(fake.messages, QStringList{QStringLiteral("1 entry exported.")});
}

// A long field holds the import back, naming its line, until the user chooses to cut it; then every row
// is added and the store saved once.
void TestFrmTransfer::importAllOrNothing()
{
    TestHome home;
    FakeDesktop& fake = FakeDesktop::install();
    EntryStore store;
    int saves = 0;
    const QByteArray csv = "Group,Title,Username,Password,URL,Notes\n"
                           "Root/Wallet,Visa,Anna,4111,,\n" +
                           QByteArray("Elsewhere,") + QByteArray(60, 't') + ",b,pw,,\n";
    frmImport dialog(store, csv, [&saves] { return ++saves > 0; });
    auto* import = dialog.findChild<QPushButton*>(QStringLiteral("cmdImport"));
    QVERIFY(dialog.findChild<QPlainTextEdit*>(QStringLiteral("txtProblems"))
                ->toPlainText()
                .contains(QStringLiteral("Line 3: Title has 60 characters; an entry keeps 50.")));
    QTest::mouseClick(import, Qt::LeftButton);
    QCOMPARE(store.totalCount(), 0);

    dialog.findChild<QCheckBox*>(QStringLiteral("chkCutLong"))->setChecked(true);
    dialog.findChild<QComboBox*>(QStringLiteral("cboCategory"))->setCurrentIndex(Applications);
    const QAbstractItemModel* preview = dialog.findChild<QTableView*>(QStringLiteral("lstPreview"))->model();
    QCOMPARE(preview->rowCount(), 2);
    QCOMPARE(preview->index(1, 1).data().toString(), QStringLiteral("Applications"));
    QTest::mouseClick(import, Qt::LeftButton);
    QCOMPARE(saves, 1);
    QCOMPARE(QList<int>({store.list(Wallet).count(), store.list(Applications).count()}), QList<int>({1, 1}));
    QCOMPARE(store.list(Applications).entry(0).site(), QString(50, QLatin1Char('t')));
    QCOMPARE(fake.messages, QStringList{QStringLiteral("2 entries imported.")});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestFrmTransfer)
#include "tst_frmtransfer.moc"
