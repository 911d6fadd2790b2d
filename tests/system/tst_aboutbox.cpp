#include "aboutbox.h"
#include "fakedesktop.h"
#include "testhome.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void captions_data();
    void captions();
    void linksOpenThroughDesktop_data();
    void linksOpenThroughDesktop();
    void linkFromKeyboard();
    void openerFailureTellsWhereToGo();
    void closing_data();
    void closing();

private:
    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
};

void AboutBoxTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
}

void AboutBoxTest::cleanup()
{
    m_home.reset();
}

void AboutBoxTest::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label1") << "Label1"
                            << "About Keyvane";
    QTest::newRow("Label2") << "Label2"
                            << "Version 1.1";
    QTest::newRow("Label6") << "Label6"
                            << "Click here to send us your comments.";
}

void AboutBoxTest::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Keyvane"));
    QCOMPARE(about.cmdClose->text(), QStringLiteral("&Close"));
    auto* label = about.findChild<QLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
    QVERIFY(about.Label5->text().contains(QStringLiteral("web site")));
}

void AboutBoxTest::linksOpenThroughDesktop_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::newRow("web site") << "Label5"
                              << "https://keyvane.example/";
    QTest::newRow("comments") << "Label6"
                              << "mailto:comments@keyvane.example?subject=Keyvane%20comments";
}

void AboutBoxTest::linksOpenThroughDesktop()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    frmAbout about;
    about.show();
    auto* label = about.findChild<AboutLink*>(name);
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    QCOMPARE(m_fake->opened, QStringList{address});
    QVERIFY(m_fake->messages.isEmpty());
    QVERIFY(about.isVisible());
    // A click on the plain labels opens nothing.
    QTest::mouseClick(about.Label1, Qt::LeftButton);
    QTest::mouseClick(about.Label2, Qt::LeftButton);
    QCOMPARE(m_fake->opened.size(), 1);
}

void AboutBoxTest::linkFromKeyboard()
{
    frmAbout about;
    about.show();
    about.Label5->setFocus();
    QTest::keyClick(about.Label5, Qt::Key_Space);
    QTest::keyClick(about.Label6, Qt::Key_Return);
    QCOMPARE(m_fake->opened.size(), 2);
    QCOMPARE(m_fake->opened.at(0), QStringLiteral("https://keyvane.example/"));
    QVERIFY(m_fake->opened.at(1).startsWith(QStringLiteral("mailto:comments@keyvane.example")));
}

void AboutBoxTest::openerFailureTellsWhereToGo()
{
    m_fake->openerWorks = false;
    frmAbout about;
    about.show();
    QTest::mouseClick(about.Label6, Qt::LeftButton, {}, about.Label6->rect().center());
    QCOMPARE(m_fake->messages.size(), 1);
    QVERIFY2(m_fake->messages.first().contains(QStringLiteral("comments@keyvane.example")),
             qPrintable(m_fake->messages.first()));
}

void AboutBoxTest::closing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc") << true;
    QTest::newRow("Close button") << false;
}

void AboutBoxTest::closing()
{
    QFETCH(bool, escape);
    QWidget mainWindow;
    mainWindow.show();
    QPointer<frmAbout> about = ShowAbout(&mainWindow);
    QVERIFY(about && about->isVisible() && about->isModal());
    if (escape)
        QTest::keyClick(about, Qt::Key_Escape);
    else
        QTest::mouseClick(about->cmdClose, Qt::LeftButton);
    QTRY_VERIFY(about.isNull());
    QVERIFY(m_fake->opened.isEmpty());
}

QTEST_MAIN(AboutBoxTest)
#include "tst_aboutbox.moc"
