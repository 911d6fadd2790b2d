#include "platform/qtdesktopservices.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

// Stands in for the browser: records what the opener hands it.
class Browser : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

class TestQtDesktopServices : public QObject {
    Q_OBJECT
private slots:
    void openerWithoutXdgOpen_data();
    void openerWithoutXdgOpen();
};

void TestQtDesktopServices::openerWithoutXdgOpen_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("opened"); // what reached the browser; empty: nothing, and the caller is told
    QTest::newRow("address with its scheme") << "https://a.example/x?q=1"
                                             << "https://a.example/x?q=1";
    // No "http://" is made up for it: the text goes as typed, or not at all.
    QTest::newRow("no scheme") << "www.example.com"
                               << "";
}

void TestQtDesktopServices::openerWithoutXdgOpen()
{
    QFETCH(QString, target);
    QFETCH(QString, opened);
    QTemporaryDir emptyFolder;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", emptyFolder.path().toUtf8()); // no xdg-open to be found
    Browser browser;
    for (const char* scheme : {"http", "https"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &browser, "open");
    const bool taken = QtDesktopServices().openWithShell(target);
    for (const char* scheme : {"http", "https"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    qputenv("PATH", savedPath);

    QCOMPARE(taken, !opened.isEmpty());
    QCOMPARE(browser.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
}

QTEST_MAIN(TestQtDesktopServices)
#include "tst_qtdesktopservices.moc"
