#include "system/aboutbox.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_fake = &FakeDesktop::install(); }
    void linksOpenThroughDesktop_data();
    void linksOpenThroughDesktop();

private:
    TestHome m_home;
    FakeDesktop* m_fake = nullptr;
};

void AboutBoxTest::linksOpenThroughDesktop_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("keyboard");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("openerWorks");
    const QString site = QStringLiteral("https://keyvane.example/");
    const QString mail = QStringLiteral("mailto:comments@keyvane.example?subject=Keyvane%20comments");
    QTest::newRow("web site, Space") << "Label5" << true << site << true;
    QTest::newRow("comments, mouse") << "Label6" << false << mail << true;
    QTest::newRow("comments, no opener: told where to write") << "Label6" << false << mail << false;
}

void AboutBoxTest::linksOpenThroughDesktop()
{
    QFETCH(QString, name);
    QFETCH(bool, keyboard);
    QFETCH(QString, address);
    QFETCH(bool, openerWorks);
    m_fake->openerWorks = openerWorks;
    QWidget mainWindow;
    mainWindow.show();
    QPointer<frmAbout> about = ShowAbout(&mainWindow);
    auto* label = about->findChild<AboutLink*>(name);
    if (keyboard)
        QTest::keyClick(label, Qt::Key_Space);
    else
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QCOMPARE(m_fake->messages.size(), openerWorks ? 0 : 1);
    if (!openerWorks) QVERIFY(m_fake->messages.first().contains(QStringLiteral(" comments@keyvane.example")));
    QTest::mouseClick(about->cmdClose, Qt::LeftButton);
    QTRY_VERIFY(about.isNull());
    QCOMPARE(m_fake->opened, QStringList{address});
}

QTEST_MAIN(AboutBoxTest)
#include "tst_aboutbox.moc"
