#include "system/helpwindow.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testhome.h"

#include <QDirIterator>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

namespace {

// Every link target (as written) and picture name of a page, each with where it sits.
QList<QTextFragment> fragments(const QTextDocument* document)
{
    QList<QTextFragment> all;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            all << it.fragment();
    return all;
}

QByteArray resource(QUrl url)
{
    url.setFragment(QString());
    QFile file(QLatin1Char(':') + url.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks the first link with this target as a user would: scrolled into view, pressed and released on it.
bool clickLink(QTextBrowser* browser, const QString& href)
{
    for (const QTextFragment& f : fragments(browser->document())) {
        if (f.charFormat().anchorHref() != href) continue;
        QTextCursor cursor(browser->document());
        cursor.setPosition(f.position() + f.length() / 2);
        browser->setTextCursor(cursor);
        browser->ensureCursorVisible();
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(cursor).center());
        return true;
    }
    return false;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyLinkAndPictureResolves();
    void linksAndReopening();

private:
    std::unique_ptr<TestHome> m_home;
    FakeDesktop* m_fake = nullptr;
    QPointer<HelpWindow> m_window;
};

void HelpWindowTest::init()
{
    m_home = std::make_unique<TestHome>();
    m_fake = &FakeDesktop::install();
    m_window = ShowHelp();
    QVERIFY(m_window && m_window->isVisible());
}

void HelpWindowTest::cleanup()
{
    delete m_window;
    m_home.reset();
}

void HelpWindowTest::everyLinkAndPictureResolves()
{
    // Walk every page reachable from the contents: each link names a page that exists (and the place in it),
    // each picture is there, and no page is left out.
    QTextDocument document;
    QList<QUrl> queue{Help::contentsPage()};
    QSet<QString> seen;
    while (!queue.isEmpty()) {
        const QUrl page = queue.takeFirst();
        if (seen.contains(page.fileName())) continue;
        seen << page.fileName();
        document.setHtml(QString::fromUtf8(resource(page)));
        for (const QTextFragment& f : fragments(&document)) {
            const QString where = page.fileName() + QStringLiteral(": ");
            if (f.charFormat().isImageFormat()) {
                const QString name = f.charFormat().toImageFormat().name();
                QVERIFY2(!resource(page.resolved(QUrl(name))).isEmpty(), qPrintable(where + name));
            }
            if (!f.charFormat().isAnchor()) continue;
            const QUrl target = page.resolved(QUrl(f.charFormat().anchorHref()));
            const QByteArray html = resource(target);
            QVERIFY2(target.scheme() == QLatin1String("qrc") && !html.isEmpty(),
                     qPrintable(where + target.toString()));
            if (target.hasFragment())
                QVERIFY2(html.contains("name=\"" + target.fragment().toUtf8() + '"'),
                         qPrintable(where + target.toString()));
            queue << target.adjusted(QUrl::RemoveFragment);
        }
    }
    for (QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")}); it.hasNext();)
        QVERIFY2(seen.contains(QFileInfo(it.next()).fileName()), qPrintable(it.fileName()));
    QVERIFY(seen.size() >= 11);
}

void HelpWindowTest::linksAndReopening()
{
    QTextBrowser* browser = m_window->txtHelp;
    QCOMPARE(browser->source(), Help::contentsPage());
    // Addresses outside the help go to the desktop, and the page stays.
    emit browser->anchorClicked(QUrl(QStringLiteral("https://keyvane.example/")));
    emit browser->anchorClicked(QUrl(QStringLiteral("mailto:comments@keyvane.example")));
    QCOMPARE(m_fake->opened, (QStringList{QStringLiteral("https://keyvane.example/"),
                                          QStringLiteral("mailto:comments@keyvane.example")}));
    QCOMPARE(browser->source(), Help::contentsPage());
    // A link to another page, then one to a place in another page.
    for (const QString& href : {QStringLiteral("tray.html"), QStringLiteral("settings.html#general")}) {
        QVERIFY(clickLink(browser, href));
        QCOMPARE(browser->source(), Help::contentsPage().resolved(QUrl(href)));
    }

    // Asking for help again brings the same window back to the contents; Esc closes and deletes it.
    QCOMPARE(ShowHelp(), m_window.data());
    QCOMPARE(browser->source(), Help::contentsPage());
    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Escape);
    QTRY_VERIFY(m_window.isNull());
    m_window = ShowHelp();
    QVERIFY(m_window && m_window->isVisible());
}

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
