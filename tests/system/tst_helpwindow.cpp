#include "fakedesktop.h"
#include "helpwindow.h"
#include "testhome.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace {

struct PageLinks {
    QStringList anchors; // hrefs as written
    QStringList images;  // image names as written
};

PageLinks linksOf(const QTextDocument* document)
{
    PageLinks links;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isAnchor() && !format.anchorHref().isEmpty() &&
                !links.anchors.contains(format.anchorHref()))
                links.anchors << format.anchorHref();
            if (format.isImageFormat()) links.images << format.toImageFormat().name();
        }
    }
    return links;
}

// A resource named by a qrc URL, read whole.
QByteArray resource(const QUrl& url)
{
    QFile file(QLatin1Char(':') + url.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Clicks the first link with this target as a user would: scrolled into view, pressed and released on it.
bool clickLink(QTextBrowser* browser, const QString& href)
{
    const QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href) continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            const QPoint point = browser->cursorRect(cursor).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
            return true;
        }
    }
    return false;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensAtContents();
    void contentsLinksOpenEveryPage();
    void everyLinkAndPictureResolves();
    void everyPageIsInTheContents();
    void backAndForward();
    void showHelpAgainReusesWindowAtContents();
    void addressesOutsideHelpGoToDesktop();
    void escapeClosesAndDeletes();

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
    QVERIFY(m_window);
}

void HelpWindowTest::cleanup()
{
    delete m_window;
    m_home.reset();
}

void HelpWindowTest::opensAtContents()
{
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->txtHelp->source(), Help::contentsPage());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Keyvane Help"));
    QVERIFY(m_window->txtHelp->toPlainText().contains(QStringLiteral("Contents")));
    QVERIFY(!m_window->cmdBack->isEnabled());
    QVERIFY(!m_window->cmdForward->isEnabled());
}

void HelpWindowTest::contentsLinksOpenEveryPage()
{
    QTextBrowser* browser = m_window->txtHelp;
    const QStringList hrefs = linksOf(browser->document()).anchors;
    QVERIFY2(hrefs.size() >= 10, qPrintable(hrefs.join(u' ')));
    for (const QString& href : hrefs) {
        QVERIFY2(clickLink(browser, href), qPrintable(href));
        const QUrl page = Help::contentsPage().resolved(QUrl(href));
        QCOMPARE(browser->source(), page);
        QVERIFY2(browser->toPlainText().trimmed().size() > 200, qPrintable(href));
        QVERIFY2(!browser->documentTitle().isEmpty(), qPrintable(href));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Keyvane Help - ") + browser->documentTitle());
        m_window->cmdContents->trigger();
        QCOMPARE(browser->source(), Help::contentsPage());
    }
    QVERIFY(m_fake->opened.isEmpty());
}

void HelpWindowTest::everyLinkAndPictureResolves()
{
    // Walk every page reachable from the contents.
    QTextDocument document;
    QList<QUrl> queue{Help::contentsPage()};
    QSet<QString> seen;
    while (!queue.isEmpty()) {
        const QUrl page = queue.takeFirst();
        if (seen.contains(page.toString())) continue;
        seen << page.toString();
        const QByteArray html = resource(page);
        QVERIFY2(!html.isEmpty(), qPrintable(page.toString()));
        document.setHtml(QString::fromUtf8(html));
        const PageLinks links = linksOf(&document);
        for (const QString& href : links.anchors) {
            const QUrl target = page.resolved(QUrl(href));
            QCOMPARE(target.scheme(), QStringLiteral("qrc"));
            QUrl withoutFragment = target;
            withoutFragment.setFragment(QString());
            const QByteArray targetHtml = resource(withoutFragment);
            QVERIFY2(!targetHtml.isEmpty(), qPrintable(page.toString() + QStringLiteral(" -> ") + href));
            if (target.hasFragment())
                QVERIFY2(targetHtml.contains(("name=\"" + target.fragment() + "\"").toUtf8()),
                         qPrintable(page.toString() + QStringLiteral(" -> ") + href));
            queue << withoutFragment;
        }
        for (const QString& name : links.images) {
            const QUrl image = page.resolved(QUrl(name));
            QVERIFY2(!resource(image).isEmpty(),
                     qPrintable(page.toString() + QStringLiteral(" shows ") + name));
        }
    }
    QVERIFY(seen.size() >= 11);
}

void HelpWindowTest::everyPageIsInTheContents()
{
    const QStringList hrefs = linksOf(m_window->txtHelp->document()).anchors;
    QDirIterator it(QStringLiteral(":/help"), {QStringLiteral("*.html")});
    int pages = 0;
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).fileName();
        ++pages;
        if (name != QLatin1String("index.html")) QVERIFY2(hrefs.contains(name), qPrintable(name));
    }
    QVERIFY(pages >= 11);
}

void HelpWindowTest::backAndForward()
{
    QTextBrowser* browser = m_window->txtHelp;
    const QUrl tray = Help::contentsPage().resolved(QUrl(QStringLiteral("tray.html")));
    QVERIFY(clickLink(browser, QStringLiteral("tray.html")));
    QCOMPARE(browser->source(), tray);
    QVERIFY(m_window->cmdBack->isEnabled());
    QVERIFY(!m_window->cmdForward->isEnabled());

    m_window->cmdBack->trigger();
    QCOMPARE(browser->source(), Help::contentsPage());
    QVERIFY(!m_window->cmdBack->isEnabled());
    QVERIFY(m_window->cmdForward->isEnabled());

    m_window->cmdForward->trigger();
    QCOMPARE(browser->source(), tray);
    // A link within a page leads to the right place of the other page.
    QVERIFY(clickLink(browser, QStringLiteral("settings.html#general")));
    QCOMPARE(browser->source().fileName(), QStringLiteral("settings.html"));
    QCOMPARE(browser->source().fragment(), QStringLiteral("general"));
}

void HelpWindowTest::showHelpAgainReusesWindowAtContents()
{
    QVERIFY(clickLink(m_window->txtHelp, QStringLiteral("reports.html")));
    QCOMPARE(m_window->txtHelp->source().fileName(), QStringLiteral("reports.html"));
    QCOMPARE(ShowHelp(), m_window.data());
    QCOMPARE(m_window->txtHelp->source(), Help::contentsPage());
}

void HelpWindowTest::addressesOutsideHelpGoToDesktop()
{
    QTextBrowser* browser = m_window->txtHelp;
    browser->setHtml(QStringLiteral("<p><a href=\"https://keyvane.example/\">site</a> "
                                    "<a href=\"mailto:comments@keyvane.example\">mail</a></p>"));
    emit browser->anchorClicked(QUrl(QStringLiteral("https://keyvane.example/")));
    emit browser->anchorClicked(QUrl(QStringLiteral("mailto:comments@keyvane.example")));
    QCOMPARE(m_fake->opened, (QStringList{QStringLiteral("https://keyvane.example/"),
                                          QStringLiteral("mailto:comments@keyvane.example")}));
    QVERIFY(browser->toPlainText().startsWith(QStringLiteral("site")));
}

void HelpWindowTest::escapeClosesAndDeletes()
{
    m_window->txtHelp->setFocus();
    QTest::keyClick(m_window->txtHelp, Qt::Key_Escape);
    QTRY_VERIFY(m_window.isNull());
    // The next request opens a fresh window.
    m_window = ShowHelp();
    QVERIFY(m_window && m_window->isVisible());
}

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
