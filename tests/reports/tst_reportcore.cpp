#include "entrystore.h"
#include "htmlreport.h"
#include "reportexamples.h"
#include "reportfile.h"
#include "testhome.h"
#include "textreport.h"

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

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class ReportCoreTest : public QObject {
    Q_OBJECT
private slots:
    void htmlWorkedExampleIsExact();
    void textWorkedExampleIsExact();
    void htmlSensitiveCell_data();
    void htmlSensitiveCell();
    void textSensitiveLine_data();
    void textSensitiveLine();
    void linkColumnOnlyForFirstThreeCategories_data();
    void linkColumnOnlyForFirstThreeCategories();
    void titleColour_data();
    void titleColour();
    void getRgbSplitsPackedColour_data();
    void getRgbSplitsPackedColour();
    void sectionsFollowCategoryOrder();
    void formatHeaderPadsTo25_data();
    void formatHeaderPadsTo25();
    void emptyFieldStillHasItsLine();
    void markupIsWrittenUnchanged();
    void miscHasTwoNotesHeaders();
    void fileIsWindows1252AndOwnerOnly();
    void fileReplacesAnExistingOne();
    void unwritableFileReportsError();
    void printedDocumentLines();
    void printedDocumentBoldTitles_data();
    void printedDocumentBoldTitles();
};

void ReportCoreTest::htmlWorkedExampleIsExact()
{
    TestHome home;
    EntryStore store;
    store.addEntry(ReportExamples::editorEntry(), Applications);
    ReportOptions options = only({Applications}, true); // no colour chosen: the default black
    const QString path = home.file(QStringLiteral("report.html"));
    QVERIFY(writeReportFile(path, htmlReport(store, options)));
    QCOMPARE(readAll(path), ReportExamples::htmlExampleFile());
}

void ReportCoreTest::textWorkedExampleIsExact()
{
    TestHome home;
    EntryStore store;
    store.addEntry(ReportExamples::bankEntry(), Misc);
    const QString path = home.file(QStringLiteral("report.txt"));
    QVERIFY(writeReportFile(path, textReport(store, only({Misc}, true))));
    QCOMPARE(readAll(path), ReportExamples::textExampleFile());
}

void ReportCoreTest::htmlSensitiveCell_data()
{
    QTest::addColumn<QString>("pass");
    QTest::addColumn<bool>("mask");
    QTest::addColumn<QString>("cell");
    QTest::newRow("clear") << "hunter2" << false << "<td width=20%>hunter2</td>\r\n";
    QTest::newRow("masked long") << "a much longer secret" << true << "<td width=20%>******</td>\r\n";
    QTest::newRow("masked short") << "x" << true << "<td width=20%>******</td>\r\n";
    QTest::newRow("masked empty") << "" << true << "<td width=20%>******</td>\r\n";
    QTest::newRow("clear empty") << "" << false << "<td width=20%></td>\r\n";
}

void ReportCoreTest::htmlSensitiveCell()
{
    QFETCH(QString, pass);
    QFETCH(bool, mask);
    QFETCH(QString, cell);
    EntryStore store;
    Entry e = entry("Site", "user", "", "addr", "notes");
    e.pass = pass;
    store.addEntry(e, Wallet);
    store.showPasswords(false); // what the list shows never decides what the report prints
    const QString html = htmlReport(store, only({Wallet}, mask));
    const QString expectedRow =
        QStringLiteral("<tr>\r\n<td width=20%>Site</td>\r\n<td width=20%>user</td>\r\n") + cell +
        QStringLiteral("<td width=20%>addr</td>\r\n");
    QVERIFY2(html.contains(expectedRow), qPrintable(html));
}

void ReportCoreTest::textSensitiveLine_data()
{
    QTest::addColumn<QString>("pass");
    QTest::addColumn<bool>("mask");
    QTest::addColumn<QString>("value");
    QTest::newRow("clear") << "hunter2" << false << "hunter2";
    QTest::newRow("masked") << "hunter2" << true << "*****";
    QTest::newRow("masked empty") << "" << true << "*****";
    QTest::newRow("clear empty") << "" << false << "";
}

void ReportCoreTest::textSensitiveLine()
{
    QFETCH(QString, pass);
    QFETCH(bool, mask);
    QFETCH(QString, value);
    EntryStore store;
    Entry e = entry("Visa", "Anna", "", "12/29", "");
    e.pass = pass;
    store.addEntry(e, Wallet);
    store.showPasswords(false);
    const QString expected = QStringLiteral("Card Number") + QString(14, QLatin1Char(' ')) +
                             QLatin1Char('\t') + value + QStringLiteral("\r\nExpiration Date");
    QVERIFY2(textReport(store, only({Wallet}, mask)).contains(expected), qPrintable(expected));

    // The printed form masks the same way.
    const QString printed =
        QStringLiteral("Card Number") + QString(14, QLatin1Char(' ')) + QLatin1Char('\t') + value;
    QVERIFY(printedDocument(store, only({Wallet}, mask)).contains(PrintedLine{printed, false}));
}

void ReportCoreTest::linkColumnOnlyForFirstThreeCategories_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("cell");
    for (int c = 0; c < kCategoryCount; ++c) {
        const bool link = c <= Applications;
        QTest::addRow("%s", qPrintable(tabCaption(c)))
            << c << "http://x.org/a"
            << (link ? QStringLiteral("<td width=20%><a href=http://x.org/a>http://x.org/a</a></td>\r\n")
                     : QStringLiteral("<td width=20%>http://x.org/a</td>\r\n"));
        QTest::addRow("%s, empty", qPrintable(tabCaption(c)))
            << c << ""
            << (link ? QStringLiteral("<td width=20%><a href=></a></td>\r\n")
                     : QStringLiteral("<td width=20%></td>\r\n"));
    }
}

void ReportCoreTest::linkColumnOnlyForFirstThreeCategories()
{
    QFETCH(int, category);
    QFETCH(QString, url);
    QFETCH(QString, cell);
    EntryStore store;
    Entry e = entry("one", "two", "three", "", "five");
    e.url = url;
    store.addEntry(e, category);
    const QString html = htmlReport(store, only({category}));
    QVERIFY2(html.contains(QStringLiteral("<td width=20%>three</td>\r\n") + cell +
                           QStringLiteral("<td width=20%>five</td>\r\n</tr>\r\n")),
             qPrintable(html));
    QCOMPARE(html.count(QStringLiteral("<a href=")), category <= Applications ? 1 : 0);
}

void ReportCoreTest::titleColour_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("html");
    QTest::newRow("nothing chosen") << -1 << ""
                                    << "#000000";
    QTest::newRow("white") << 0 << "white"
                           << "#FFFFFF";
    QTest::newRow("blue") << 1 << "blue"
                          << "#0000FF";
    QTest::newRow("green") << 2 << "green"
                           << "#00FF00";
    QTest::newRow("red") << 3 << "red"
                         << "#FF0000";
    QTest::newRow("black") << 4 << "black"
                           << "#000000";
}

void ReportCoreTest::titleColour()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, html);
    QCOMPARE(titleColor(index), html);
    QCOMPARE(titleColorName(index), name);
    if (!name.isEmpty()) QCOMPARE(titleColorIndex(name.toUpper()), index);

    EntryStore store;
    store.addEntry(entry("a", "b", "c", "d", "e"), Misc);
    QString buffer;
    GenerateHTML(buffer, store, Misc, false, titleColor(index));
    QVERIFY(buffer.startsWith(QStringLiteral("<br><h2><font color=") + html +
                              QStringLiteral("><b>Misc</b></h2></font><table border=1 width=100%>")));
}

void ReportCoreTest::getRgbSplitsPackedColour_data()
{
    QTest::addColumn<qint32>("color");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("black") << qint32(0) << 0 << 0 << 0;
    QTest::newRow("red") << qint32(0x0000FF) << 255 << 0 << 0;
    QTest::newRow("mixed") << qint32(0x123456) << 0x56 << 0x34 << 0x12;
    QTest::newRow("high byte ignored") << qint32(0x7F010203) << 3 << 2 << 1;
    QTest::newRow("negative rounds down") << qint32(-1) << 255 << 255 << 255;
}

void ReportCoreTest::getRgbSplitsPackedColour()
{
    QFETCH(qint32, color);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    qint16 r = -1, g = -1, b = -1;
    GetRgb(color, r, g, b);
    QCOMPARE(int(r), red);
    QCOMPARE(int(g), green);
    QCOMPARE(int(b), blue);
}

void ReportCoreTest::sectionsFollowCategoryOrder()
{
    EntryStore store;
    store.addEntry(entry("web", "u", "p", "w", "n"), WebPages);
    store.addEntry(entry("misc", "u", "p", "w", "n"), Misc);
    store.addEntry(entry("wallet", "u", "p", "w", "n"), Wallet);
    const ReportOptions options = only({Misc, WebPages}); // ticked in that order

    // HTML: the two tables one after the other, the second starting right behind the first's end.
    QString webHtml, miscHtml;
    GenerateHTML(webHtml, store, WebPages, false, titleColor(-1));
    GenerateHTML(miscHtml, store, Misc, false, titleColor(-1));
    QCOMPARE(htmlReport(store, options), webHtml + miscHtml);
    QVERIFY(webHtml.endsWith(QStringLiteral("</table>\r\n")));
    QVERIFY(miscHtml.startsWith(QStringLiteral("<br><h2>")));

    // Text: the second section starts with its own empty line, title line and empty line.
    QString webText, miscText;
    SaveTXT(webText, store, WebPages, false);
    SaveTXT(miscText, store, Misc, false);
    QCOMPARE(textReport(store, options), webText + miscText);
    QVERIFY(webText.endsWith(QStringLiteral("\r\n\r\n")));
    QVERIFY(miscText.startsWith(QStringLiteral("\r\nMisc\r\n\r\n")));
    QVERIFY(webText.startsWith(QStringLiteral("\r\nWeb Sites\r\n\r\n"))); // the dialog's caption
    QVERIFY(!textReport(store, options).contains(QStringLiteral("wallet")));
}

void ReportCoreTest::formatHeaderPadsTo25_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("padded");
    QTest::newRow("empty") << 0 << 25;
    QTest::newRow("24") << 24 << 25;
    QTest::newRow("25") << 25 << 25;
    QTest::newRow("26") << 26 << 26;
}

void ReportCoreTest::formatHeaderPadsTo25()
{
    QFETCH(int, length);
    QFETCH(int, padded);
    const QString label(length, QLatin1Char('L'));
    QString argument = label;
    const QString result = FormatHeader(argument);
    QCOMPARE(result.size(), padded);
    QVERIFY(result.startsWith(label));
    QCOMPARE(result.mid(label.size()), QString(padded - length, QLatin1Char(' ')));
    QCOMPARE(argument, result); // the padding is left in the argument too
}

void ReportCoreTest::emptyFieldStillHasItsLine()
{
    EntryStore store;
    store.addEntry(entry("Box", "", "pw", "", ""), RemoteSystems);
    const QString text = textReport(store, only({RemoteSystems}));
    const QString pad = QStringLiteral(" ");
    QCOMPARE(text, QStringLiteral("\r\nRemote Servers\r\n\r\n") + //
                       QStringLiteral("System Address") + pad.repeated(11) + QStringLiteral("\tBox\r\n") +
                       QStringLiteral("User Name") + pad.repeated(16) + QStringLiteral("\t\r\n") +
                       QStringLiteral("Password") + pad.repeated(17) + QStringLiteral("\tpw\r\n") +
                       QStringLiteral("System Type") + pad.repeated(14) + QStringLiteral("\t\r\n") +
                       QStringLiteral("Protocol") + pad.repeated(17) + QStringLiteral("\t\r\n") +
                       QStringLiteral("\r\n"));
}

void ReportCoreTest::markupIsWrittenUnchanged()
{
    EntryStore store;
    store.addEntry(entry("<b>A&B</b>", "\"q\"", "<&>", "a>b", "x&amp;y"), WebPages);
    const QString html = htmlReport(store, only({WebPages}));
    QVERIFY(
        html.contains(QStringLiteral("<td width=20%><b>A&B</b></td>\r\n<td width=20%>\"q\"</td>\r\n"
                                     "<td width=20%><&></td>\r\n<td width=20%><a href=a>b>a>b</a></td>\r\n"
                                     "<td width=20%>x&amp;y</td>\r\n")));
    QVERIFY(textReport(store, only({WebPages})).contains(QStringLiteral("\t<b>A&B</b>\r\n")));
}

void ReportCoreTest::miscHasTwoNotesHeaders()
{
    EntryStore store;
    store.addEntry(entry("a", "b", "c", "d", "e"), Misc);
    const QString html = htmlReport(store, only({Misc}));
    QVERIFY(html.contains(QStringLiteral(">Description</td><td width=20% bgcolor=#C0C0C0>User Name</td><td "
                                         "width=20% bgcolor=#C0C0C0>Password</td><td width=20% "
                                         "bgcolor=#C0C0C0>Notes</td><td width=20% "
                                         "bgcolor=#C0C0C0>Notes</td></tr>\r\n")));
}

void ReportCoreTest::fileIsWindows1252AndOwnerOnly()
{
    TestHome home;
    const QString path = home.file(QStringLiteral("r.txt"));
    QVERIFY(writeReportFile(path, QStringLiteral("caf\u00e9 \u20ac5 \u4e2d")));
    QCOMPARE(readAll(path), QByteArray("caf\xe9 \x80"
                                       "5 ?\r\n"));
    QCOMPARE(QFile::permissions(path) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
             QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void ReportCoreTest::fileReplacesAnExistingOne()
{
    TestHome home;
    const QString path = home.file(QStringLiteral("r.html"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    }
    QVERIFY(writeReportFile(path, QStringLiteral("short")));
    QCOMPARE(readAll(path), QByteArray("short\r\n"));
    QVERIFY(!(QFile::permissions(path) & QFileDevice::ReadOther));
}

void ReportCoreTest::unwritableFileReportsError()
{
    TestHome home;
    QString error;
    QVERIFY(!writeReportFile(home.file(QStringLiteral("no/such/folder/r.txt")), QStringLiteral("x"), &error));
    QVERIFY(!error.isEmpty());
}

void ReportCoreTest::printedDocumentLines()
{
    EntryStore store;
    store.addEntry(ReportExamples::bankEntry(), Misc);
    store.addEntry(entry("Mail", "ann", "pw", "", "n"), Misc);
    const ReportOptions options = only({Misc}, true);
    const QString tab = QStringLiteral("\t");
    const auto label = [](const char* text) {
        QString s = QString::fromLatin1(text);
        return FormatHeader(s);
    };
    const PrintedLine blank{QString(), false};
    const QVector<PrintedLine> expected = {
        blank,
        blank, // CR LF printed on its own
        {QStringLiteral("Keyvane version 1.0"), false},
        {QString(54, QLatin1Char('*')), false},
        blank,
        blank, // CR LF
        blank,
        blank,                           // the section's leading CR LF
        {QStringLiteral("Misc"), false}, // not bold: not asked for
        blank,
        blank, // CR LF
        {label("Description") + tab + QStringLiteral("Bank"), false},
        {label("User Name") + tab + QStringLiteral("joe"), false},
        {label("Password") + tab + QStringLiteral("*****"), false},
        {label("Notes") + tab + QStringLiteral("paper copy"), false},
        {label("Notes") + tab + QStringLiteral("none"), false},
        blank,
        blank,
        {label("Description") + tab + QStringLiteral("Mail"), false},
        {label("User Name") + tab + QStringLiteral("ann"), false},
        {label("Password") + tab + QStringLiteral("*****"), false},
        {label("Notes") + tab, false},
        {label("Notes") + tab + QStringLiteral("n"), false},
        blank,
        blank,
    };
    const QVector<PrintedLine> actual = printedDocument(store, options);
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(actual[i].text, expected[i].text);
        QCOMPARE(actual[i].bold, expected[i].bold);
    }
}

void ReportCoreTest::printedDocumentBoldTitles_data()
{
    QTest::addColumn<bool>("bold");
    QTest::newRow("bold") << true;
    QTest::newRow("normal") << false;
}

void ReportCoreTest::printedDocumentBoldTitles()
{
    QFETCH(bool, bold);
    EntryStore store;
    store.addEntry(entry("a", "b", "c", "d", "e"), WebPages);
    store.addEntry(entry("a", "b", "c", "d", "e"), Wallet);
    ReportOptions options = only({WebPages, Wallet});
    options.boldTitles = bold;
    QStringList boldLines;
    for (const PrintedLine& line : printedDocument(store, options))
        if (line.bold) boldLines << line.text;
    // Only the section titles: never the title line, the rule or a field line.
    const QStringList titles = {QStringLiteral("Web Sites"), QStringLiteral("Wallet")};
    QCOMPARE(boldLines, bold ? titles : QStringList());
}

QTEST_GUILESS_MAIN(ReportCoreTest)
#include "tst_reportcore.moc"
