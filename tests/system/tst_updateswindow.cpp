#include "system/updateswindow.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QLabel>
#include <QNetworkProxyFactory>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextBrowser>

namespace {

// A one-answer web server on 127.0.0.1: every request gets the same response, and the request lines are kept.
class NoticeServer : public QTcpServer {
public:
    explicit NoticeServer(QByteArray status, QByteArray body)
        : m_status(std::move(status)), m_body(std::move(body))
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, &NoticeServer::answer);
    }

    QUrl site() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort())); }
    QList<QByteArray> requestLines;

private:
    void answer()
    {
        while (QTcpSocket* socket = nextPendingConnection()) {
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                *request += socket->readAll();
                if (!request->contains("\r\n\r\n")) return;
                requestLines << request->left(request->indexOf("\r\n"));
                socket->write("HTTP/1.1 " + m_status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                              QByteArray::number(m_body.size()) + "\r\nConnection: close\r\n\r\n" + m_body);
                socket->disconnectFromHost();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    QByteArray m_status;
    QByteArray m_body;
};

QString shownText(frmUpdates& updates)
{
    QSignalSpy shown(&updates, &frmUpdates::noticeShown);
    updates.show();
    if (!shown.wait(15000)) return QStringLiteral("<nothing shown>");
    return updates.WebBrowser1->toPlainText();
}

} // namespace

class UpdatesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { m_fake = &FakeDesktop::install(); }

    void notice_data();
    void notice();
    void mainWindowDisabledWhileOpen();

private:
    TestHome m_home;
    FakeDesktop* m_fake = nullptr;
};

void UpdatesWindowTest::initTestCase()
{
    // Straight to 127.0.0.1, whatever proxy the machine would suggest.
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void UpdatesWindowTest::notice_data()
{
    QTest::addColumn<QByteArray>("status"); // empty: nothing listens
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("shown");  // all that is shown, or with a reason its start (%1: the address)
    QTest::addColumn<QString>("reason"); // null when the notice is shown
    const QByteArray ok("200 OK");
    QTest::newRow("UTF-8") << ok << QByteArray("Keyvane 1.2 is out.\r\nCaf\xc3\xa9 edition.\r\n")
                           << QStringLiteral("Keyvane 1.2 is out.\nCaf\u00e9 edition.") << QString();
    QTest::newRow("Windows-1252") << ok << QByteArray("Keyvane 1.2 \x96 Caf\xe9 edition")
                                  << QStringLiteral("Keyvane 1.2 \u2013 Caf\u00e9 edition") << QString();
    QTest::newRow("empty") << ok << QByteArray() << QStringLiteral("The update notice is empty.")
                           << QString();
    const QString failed = QStringLiteral("The update notice could not be fetched from\n%1\n\n");
    const QByteArray missing("no such file");
    QTest::newRow("nothing listens") << QByteArray() << missing << failed << "Connection refused";
    QTest::newRow("no notice there") << QByteArray("404 Not Found") << missing << failed << "Not Found";
    QTest::newRow("larger than read")
        << ok << QByteArray(frmUpdates::kMaxNoticeBytes * 3, 'x')
        << "The update notice at\n%1\nis larger than Keyvane reads (64 KB), so it is "
           "not shown."
        << "";
}

void UpdatesWindowTest::notice()
{
    QFETCH(QByteArray, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, shown);
    QFETCH(QString, reason);
    NoticeServer server(status, body);
    QVERIFY(server.isListening());
    const QUrl address = updateAddressOn(server.site());
    if (status.isEmpty()) server.close();
    frmUpdates updates(QStringLiteral("2.10"), nullptr, address);
    QCOMPARE(updates.lblCurrentVersion->text(), QStringLiteral("Current version:  2.10")); // no zero lost
    const QString text = shownText(updates);
    if (reason.isNull()) {
        QCOMPARE(text.trimmed(), shown);
    } else {
        QVERIFY2(text.startsWith(shown.arg(address.toString())) && text.contains(reason),
                 qPrintable(text.left(300)));
        QVERIFY(!text.contains(QString::fromLatin1(body.left(8))));
    }
    if (!status.isEmpty())
        QCOMPARE(server.requestLines, QList<QByteArray>{"GET /updates/keyvane.txt HTTP/1.1"});
    QVERIFY(m_fake->messages.isEmpty());
}

// Closed or deleted, the window gives the main window back.
void UpdatesWindowTest::mainWindowDisabledWhileOpen()
{
    QWidget mainWindow;
    mainWindow.show();
    auto updates =
        std::make_unique<frmUpdates>(QStringLiteral("1.1"), &mainWindow, QUrl("http://127.0.0.1:1/"));
    QVERIFY(mainWindow.isEnabled() && !updates->isFetching()); // nothing happens until it shows
    updates->show();
    QVERIFY(!mainWindow.isEnabled());
    QVERIFY(updates->cmdClose->isEnabled()); // the window itself stays usable
    QTest::keyClick(updates.get(), Qt::Key_Escape);
    QVERIFY(!updates->isVisible() && mainWindow.isEnabled());
    updates->show();
    updates.reset();
    QVERIFY(mainWindow.isEnabled());
}

QTEST_MAIN(UpdatesWindowTest)
#include "tst_updateswindow.moc"
