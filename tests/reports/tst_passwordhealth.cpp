#include "editing/frmproperties.h"
#include "reports/frmhealth.h"
#include "reports/passwordhealth.h"
#include "store/entrystore.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

const QString kStrong = QStringLiteral("k#9Vq!2mZ@7tLx4&");

class TestPasswordHealth : public QObject {
    Q_OBJECT

private slots:
    void init();
    void findsThePlantedOnes();
    void window();

private:
    std::unique_ptr<EntryStore> m_store;
};

// An empty, a short, a weak and a reused password among sound ones.
void TestPasswordHealth::init()
{
    m_store = std::make_unique<EntryStore>();
    m_store->addEntry({"Mail", "anna", "Tq8#vL2!xZp9@mR4", "", ""}, WebPages);
    m_store->addEntry({"Shop", "anna", "", "", ""}, WebPages);
    m_store->addEntry({"Editor", "", "ab1!", "", ""}, SerialNumbers);
    m_store->addEntry({"Bank", "anna", kStrong, "", ""}, Applications);
    m_store->addEntry({"Forum", "a.b", "password123", "", ""}, Applications);
    m_store->addEntry({"host", "root", kStrong, "", ""}, RemoteSystems);
}

void TestPasswordHealth::findsThePlantedOnes()
{
    const HealthReport report = checkPasswordHealth(*m_store);
    QStringList found;
    for (const HealthFinding& f : report.findings)
        found << QStringLiteral("%1/%2: %3").arg(f.category).arg(f.row).arg(f.problemText());
    QCOMPARE(found, QStringList({"0/1: empty", "1/0: shorter than 8, weak", "2/0: reused (2)", "2/1: weak",
                                 "4/0: reused (2)"}));
    QCOMPARE(report.summary(),
             QStringLiteral("5 entries to look at: 1 empty, 1 shorter than 8 characters, 2 weak, 2 reused."));
    QCOMPARE(checkPasswordHealth(EntryStore()).summary(),
             QStringLiteral("No empty, short, weak or reused passwords found."));
}

// The window lists category and fields 1 and 2, never a password; a double click opens Properties on that
// entry, and an edit there is checked again when Properties closes.
void TestPasswordHealth::window()
{
    TestHome home;
    FakeDesktop::install();
    frmHealth health(*m_store);
    health.show();
    QVERIFY(QTest::qWaitForWindowExposed(&health));
    auto* list = health.findChild<QTableView*>(QStringLiteral("lstFindings"));
    const QAbstractItemModel* model = list->model();
    QCOMPARE(model->rowCount(), 5);
    QStringList cells;
    for (int r = 0; r < model->rowCount(); ++r)
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
    QCOMPARE(cells.mid(8, 4), QStringList({"Applications", "Bank", "anna", "reused (2)"}));
    for (const QString& secret : {kStrong, QStringLiteral("ab1!"), QStringLiteral("password123")})
        QVERIFY(!cells.join(QLatin1Char('|')).contains(secret));
    QCOMPARE(health.findChild<QLabel*>(QStringLiteral("lblSummary"))->text(),
             checkPasswordHealth(*m_store).summary());

    const QModelIndex forum = model->index(3, 1);
    // A double click on an item view is a click, then the second press.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(forum).center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(forum).center());
    auto* properties = health.findChild<frmProperties*>();
    QVERIFY(properties);
    QCOMPARE(QList<int>({properties->category(), properties->row()}), QList<int>({Applications, 1}));
    auto* password = properties->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    password->setText(QStringLiteral("Wv7#qL9!zR2@xT5m"));
    QTest::mouseClick(properties->findChild<QWidget*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    QTRY_COMPARE(model->rowCount(), 4);
}

QTEST_MAIN(TestPasswordHealth)
#include "tst_passwordhealth.moc"
