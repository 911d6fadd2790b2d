#include "reports/htmlreport.h"
#include "reports/reportfile.h"
#include "reports/textreport.h"
#include "store/entrystore.h"
#include "tests/reports/reportexamples.h"
#include "tests/support/testhome.h"

#include <QFile>
#include <QTest>

using namespace Reports;
using ReportExamples::entry;

namespace {

ReportOptions only(std::initializer_list<int> categories, bool mask = false)
{
    ReportOptions options;
    for (int c : categories)
        options.categories[c] = true;
    options.hideSensitive = mask;
    return options;
}

QString padded(const char* label)
{
    QString text = QString::fromLatin1(label);
    return FormatHeader(text);
}

} // namespace

class ReportCoreTest : public QObject {
    Q_OBJECT
private slots:
    void sensitiveField_data();
    void sensitiveField();
    void linkColumn_data();
    void linkColumn();
    void titleColour_data();
    void titleColour();
    void sectionsFollowCategoryOrder();
    void markupIsEscapedInHtmlOnly();
    void fileWriter();
    void printedDocument_data();
    void printedDocument();
};

void ReportCoreTest::sensitiveField_data()
{
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("htmlCell");
    QTest::addColumn<bool>("mask");
    QTest::addColumn<QString>("textValue");
    QTest::newRow("clear") << "hunter2"
                           << "hunter2" << false << "hunter2";
    QTest::newRow("masked") << "a much longer secret"
                            << "******" << true << "*****";
    QTest::newRow("masked empty") << ""
                                  << "******" << true << "*****";
    QTest::newRow("clear empty") << ""
                                 << "" << false << "";
}

void ReportCoreTest::sensitiveField()
{
    QFETCH(QString, pass);
    QFETCH(QString, htmlCell);
    QFETCH(bool, mask);
    QFETCH(QString, textValue);
    EntryStore store;
    Entry e = entry("Visa", "Anna", "", "12/29", "");
    e.setField(3, pass);
    store.addEntry(e, Wallet);
    store.showPasswords(mask); // what the list shows never decides what a report prints

    QVERIFY(htmlReport(store, only({Wallet}, mask))
                .contains(QStringLiteral("<td width=20%>Anna</td>\r\n<td width=20%>") + htmlCell +
                          QStringLiteral("</td>\r\n<td width=20%>12/29</td>\r\n")));
    const QString line = padded("Card Number") + QLatin1Char('\t') + textValue;
    QVERIFY(textReport(store, only({Wallet}, mask)).contains(line + QStringLiteral("\r\nExpiration Date")));
    QVERIFY(Reports::printedDocument(store, only({Wallet}, mask)).contains(PrintedLine{line, false}));
}

void ReportCoreTest::linkColumn_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("cell"); // what the cell of field 4 holds
    // Web pages, serial numbers and applications link field 4 to itself, even when it is empty.
    for (int c = 0; c < kCategoryCount; ++c) {
        const bool link = c <= Applications;
        QTest::addRow("%s", qPrintable(tabCaption(c)))
            << c << "http://x.org/a"
            << (link ? "<a href=http://x.org/a>http://x.org/a</a>" : "http://x.org/a");
        QTest::addRow("%s, empty", qPrintable(tabCaption(c))) << c << "" << (link ? "<a href=></a>" : "");
    }
    // A target a browser would not read whole as a bare value is quoted, and escaped as cell text.
    const auto row = [](const char* name, const char* url, const char* cell) {
        QTest::newRow(name) << int(WebPages) << QString::fromUtf8(url) << QString::fromUtf8(cell);
    };
    row("closing slash", "https://a.example/", "<a href=\"https://a.example/\">https://a.example/</a>");
    row("blank", "https://a.example/?q=1 onmouseover=alert(1)",
        "<a href=\"https://a.example/?q=1 onmouseover=alert(1)\">https://a.example/?q=1 "
        "onmouseover=alert(1)</a>");
    row("quote and ampersand", "a\"b&c", "<a href=\"a&quot;b&amp;c\">a&quot;b&amp;c</a>");
    row("single quote", "it's", "<a href=\"it's\">it's</a>");
    row("backquote and angle brackets", "a`<b>", "<a href=\"a`&lt;b&gt;\">a`&lt;b&gt;</a>");
    row("backslashes stay bare", "C:\\edit.exe", "<a href=C:\\edit.exe>C:\\edit.exe</a>");
    QTest::newRow("wallet: text escaped") << int(Wallet) << "a<b"
                                          << "a&lt;b";
}

void ReportCoreTest::linkColumn()
{
    QFETCH(int, category);
    QFETCH(QString, url);
    QFETCH(QString, cell);
    EntryStore store;
    Entry e = entry("one", "two", "three", "", "five");
    e.setField(4, url);
    store.addEntry(e, category);
    const QString html = htmlReport(store, only({category}));
    QVERIFY2(html.endsWith(QStringLiteral("<td width=20%>three</td>\r\n<td width=20%>") + cell +
                           QStringLiteral("</td>\r\n<td width=20%>five</td>\r\n</tr>\r\n</table>\r\n")),
             qPrintable(html));
}

void ReportCoreTest::titleColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("html");
    QTest::newRow("nothing chosen") << "" << -1 << "#000000";
    QTest::newRow("white") << "white" << 0 << "#FFFFFF";
    QTest::newRow("red") << "red" << 3 << "#FF0000";
}

void ReportCoreTest::titleColour()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, html);
    QCOMPARE(titleColor(index), html);
    QCOMPARE(titleColorName(index), name);
    QCOMPARE(titleColorIndex(name.toUpper()), name.isEmpty() ? -1 : index);
    EntryStore store;
    store.addEntry(entry("a", "b", "c", "d", "e"), Misc);
    QString buffer;
    GenerateHTML(buffer, store, Misc, false, titleColor(index));
    QVERIFY(buffer.startsWith(QStringLiteral("<br><h2><font color=") + html +
                              QStringLiteral("><b>Misc</b></h2></font><table border=1 width=100%>")));
}

void ReportCoreTest::sectionsFollowCategoryOrder()
{
    EntryStore store;
    store.addEntry(entry("web", "u", "p", "w", "n"), WebPages);
    store.addEntry(entry("wallet", "u", "p", "w", "n"), Wallet);
    store.addEntry(entry("misc", "u", "p", "w", "n"), Misc);
    const ReportOptions options = only({Misc, WebPages});

    QString webHtml, miscHtml, webText, miscText;
    GenerateHTML(webHtml, store, WebPages, false, titleColor(-1));
    GenerateHTML(miscHtml, store, Misc, false, titleColor(-1));
    SaveTXT(webText, store, WebPages, false);
    SaveTXT(miscText, store, Misc, false);
    // One after the other, nothing between them; the text sections titled with the dialog's captions.
    QCOMPARE(htmlReport(store, options), webHtml + miscHtml);
    QCOMPARE(textReport(store, options), webText + miscText);
    QVERIFY(webText.startsWith(QStringLiteral("\r\nWeb Sites\r\n\r\n")));
}

void ReportCoreTest::markupIsEscapedInHtmlOnly()
{
    EntryStore store;
    store.addEntry(entry("<b>A&B</b>", "", "p<w&d>1", "a>b", "say \"x&amp;y\""), Misc);
    QVERIFY(htmlReport(store, only({Misc}))
                .contains(
                    QStringLiteral("<td width=20%>&lt;b&gt;A&amp;B&lt;/b&gt;</td>\r\n<td width=20%></td>\r\n"
                                   "<td width=20%>p&lt;w&amp;d&gt;1</td>\r\n<td width=20%>a&gt;b</td>\r\n"
                                   "<td width=20%>say &quot;x&amp;amp;y&quot;</td>\r\n")));
    QVERIFY(textReport(store, only({Misc}))
                .contains(padded("Description") + QStringLiteral("\t<b>A&B</b>\r\n") + padded("User Name") +
                          QStringLiteral("\t\r\n") + padded("Password") + QStringLiteral("\tp<w&d>1\r\n")));
}

void ReportCoreTest::fileWriter()
{
    TestHome home;
    const QString path = home.file(QStringLiteral("r.txt"));
    {
        QFile old(path); // a longer, world-readable file is replaced, not merely overwritten
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    }
    QVERIFY(writeReportFile(path, QStringLiteral("caf\u00e9 \u20ac5 \u4e2d")));
    QCOMPARE(readFile(path), QByteArray("caf\xe9 \x80"
                                        "5 ?\r\n"));
    QVERIFY(ownerOnly(path));

    QString error;
    QVERIFY(!writeReportFile(home.file(QStringLiteral("no/such/folder/r.txt")), QStringLiteral("x"), &error));
    QVERIFY(!error.isEmpty());
}

void ReportCoreTest::printedDocument_data()
{
    QTest::addColumn<bool>("bold");
    QTest::newRow("bold titles") << true;
    QTest::newRow("normal titles") << false;
}

void ReportCoreTest::printedDocument()
{
    QFETCH(bool, bold);
    EntryStore store;
    store.addEntry(ReportExamples::bankEntry(), Misc);
    store.addEntry(entry("Mail", "ann", "pw", "", "n"), Misc);
    ReportOptions options = only({Misc}, true);
    options.boldTitles = bold;
    const PrintedLine blank{QString(), false};
    const auto line = [](const QString& text, bool strong = false) { return PrintedLine{text, strong}; };
    const auto field = [&](const char* label, const char* value) {
        return line(padded(label) + QLatin1Char('\t') + QString::fromLatin1(value));
    };
    // Each CR LF printed on its own gives two empty lines; only the section title may be bold.
    QVector<PrintedLine> expected;
    expected << blank << blank << line("Keyvane version 1.0") << line(QString(54, '*')) << blank << blank
             << blank << blank << line("Misc", bold) << blank << blank;
    expected << field("Description", "Bank") << field("User Name", "joe") << field("Password", "*****")
             << field("Notes", "paper copy") << field("Notes", "none") << blank << blank;
    expected << field("Description", "Mail") << field("User Name", "ann") << field("Password", "*****")
             << field("Notes", "") << field("Notes", "n") << blank << blank;
    QCOMPARE(Reports::printedDocument(store, options), expected);
}

QTEST_GUILESS_MAIN(ReportCoreTest)
#include "tst_reportcore.moc"
