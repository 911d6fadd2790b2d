#include "store/csv.h"
#include "store/csvtransfer.h"
#include "store/entrystore.h"

#include <QTest>

Q_DECLARE_METATYPE(CsvLayout)

namespace {

using Rows = QList<QStringList>;

// Every entry of the store as "category|field1|...|field5", in store order.
QStringList contents(const EntryStore& store)
{
    QStringList out;
    for (int c = 0; c < kCategoryCount; ++c)
        for (const Entry& e : store.list(c).entries())
            out << QStringList{QString::number(c),  e.site().toString(), e.user().toString(),
                               e.pass().toString(), e.url().toString(),  e.notes().toString()}
                       .join(QLatin1Char('|'));
    return out;
}

} // namespace

class TestCsvTransfer : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void readsWhole_data();
    void readsWhole();
    void refusedRows_data();
    void refusedRows();
    void unreadableFiles_data();
    void unreadableFiles();
};

void TestCsvTransfer::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QList<int>>("lines");

    QTest::newRow("plain, CR LF, no last line end")
        << QByteArray("a,b\r\nc,d") << Rows{{"a", "b"}, {"c", "d"}} << QList<int>{1, 2};
    QTest::newRow("quotes: separator, doubled quote, line breaks")
        << QByteArray("\"x,y\",\"say \"\"hi\"\"\"\n\"two\r\nlines\",\"\"\nlast,\n")
        << Rows{{"x,y", "say \"hi\""}, {"two\r\nlines", ""}, {"last", ""}} << QList<int>{1, 2, 4};
    QTest::newRow("BOM, semicolons, blank line skipped")
        << QByteArray("\xEF\xBB\xBF"
                      "h1;h2\n\nv;\"w;x\"\n")
        << Rows{{"h1", "h2"}, {"v", "w;x"}} << QList<int>{1, 3};
    QTest::newRow("TAB, commas inside fields")
        << QByteArray("a\tb\n1,2\t3\n") << Rows{{"a", "b"}, {"1,2", "3"}} << QList<int>{1, 2};
}

void TestCsvTransfer::parse()
{
    QFETCH(QByteArray, bytes);
    const QString text = Csv::decodeUtf8(bytes, nullptr);
    const Csv::Table table = Csv::parse(text, Csv::detectSeparator(text));
    Rows found;
    QList<int> foundLines;
    for (const Csv::Record& r : table.records) {
        found << r.fields;
        foundLines << r.line;
    }
    QTEST(found, "rows");
    QTEST(foundLines, "lines");
}

void TestCsvTransfer::readsWhole_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<CsvLayout>("layout");
    QTest::addColumn<QStringList>("entries");

    // Our own export read back into an empty store: the same entries come back. Chrome's layout has no
    // folders, so its entries all come back into the category the import names.
    for (const CsvLayout layout : {CsvLayout::Keyvane, CsvLayout::Chrome}) {
        EntryStore store;
        const bool folders = layout != CsvLayout::Chrome;
        store.addEntry({"Bank, main", "anna", "p\"w,1", "https://bank.example", "line 1\nline 2"},
                       folders ? 0 : Misc);
        store.addEntry({"Editor", "", "ABCD-1234", "", "Caf\u00e9 \u20ac"}, folders ? 1 : Misc);
        store.addEntry({"Visa", "Anna B", "4111111111111111", "12/29", ";semi\tcolon"}, folders ? 3 : Misc);
        store.addEntry({"host.example", "root", "", "Linux", "ssh"}, folders ? 4 : Misc);
        store.addEntry({"", "", "only-a-password", "", ""}, Misc);
        QTest::newRow(qPrintable("round trip, " + csvLayoutName(layout)))
            << exportCsv(store, layout) << layout << contents(store);
    }

    // Every field quoted, the group as a path under the root group, LF line ends.
    QTest::newRow("keepassxc")
        << QByteArray(
               "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\","
               "\"Last Modified\",\"Created\"\n"
               "\"Root/Web Pages\",\"Mail\",\"anna\",\"s3cr\"\"et\",\"https://mail.example\",\"two\nlines\","
               "\"\",\"0\",\"2024-01-02T10:00:00Z\",\"2024-01-01T10:00:00Z\"\n"
               "\"Root\",\"Router\",\"admin\",\"x,y\",\"\",\"\",\"\",\"0\",\"\",\"\"\n")
        << CsvLayout::KeePassXC
        << QStringList{"0|Mail|anna|s3cr\"et|https://mail.example|two\nlines", "5|Router|admin|x,y||"};
    // Quotes only where needed.
    QTest::newRow("bitwarden")
        << QByteArray(
               "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,login_password,"
               "login_totp\n"
               "Wallet,1,login,Visa,\"PIN, not here\",,0,,Anna,4111,\n")
        << CsvLayout::Bitwarden << QStringList{"3|Visa|Anna|4111||PIN, not here"};
    // Chrome's columns in its order; a header in capitals and a BOM, as a spreadsheet saves it.
    QTest::newRow("chrome, BOM, capitals")
        << QByteArray("\xEF\xBB\xBFName,URL,Username,Password,Note\r\n"
                      "example.com,https://example.com/login,anna@example.com,pa ss,\r\n")
        << CsvLayout::Chrome
        << QStringList{"5|example.com|anna@example.com|pa ss|https://example.com/login|"};
}

void TestCsvTransfer::readsWhole()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, entries);
    const CsvImport import = readCsvImport(file, {});
    QVERIFY2(import.ok(), qPrintable(import.error + import.problems.join(QLatin1Char('\n'))));
    QTEST(import.layout, "layout");
    EntryStore store;
    QCOMPARE(addImport(store, import), int(entries.size()));
    QCOMPARE(contents(store), entries);
}

void TestCsvTransfer::refusedRows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("room");
    QTest::addColumn<QStringList>("problems");
    QTest::addColumn<int>("addedWhenCut"); // -1: still refused with long fields cut

    const QByteArray header = "name,url,username,password\n";
    QTest::newRow("a long field on line 3")
        << header + "ok,,,\n" + QByteArray(51, 'n') + ",,,pw\n"
        << 100 << QStringList{"Line 3: name has 51 characters; an entry keeps 50."} << 2;
    QTest::newRow("a character the file cannot hold, after a quoted line break")
        << header + "\"two\nlines\",,,\nGreek,,\xCE\xA9mega,\n"
        << 100 << QStringList{"Line 4: username holds characters the database cannot store."} << -1;
    QTest::newRow("more rows than the store has room for")
        << header + "a,,,\nb,,,\n"
        << 1 << QStringList{"The file holds 2 entries, but the store has room for 1 more."} << -1;
}

// A bad row stops the whole import, named by its line; nothing is added.
void TestCsvTransfer::refusedRows()
{
    QFETCH(QByteArray, file);
    QFETCH(int, room);
    QFETCH(int, addedWhenCut);
    CsvImportOptions options;
    options.room = room;
    CsvImport import = readCsvImport(file, options);
    QTEST(import.problems, "problems");
    EntryStore store;
    QCOMPARE(addImport(store, import), 0);
    QCOMPARE(store.totalCount(), 0);

    options.cutLongFields = true;
    import = readCsvImport(file, options);
    QCOMPARE(addImport(store, import), std::max(addedWhenCut, 0));
    if (addedWhenCut > 0) QCOMPARE(store.list(Misc).entry(1).site(), QString(50, QLatin1Char('n')));
}

void TestCsvTransfer::unreadableFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("layout"); // empty: recognised from the header row
    QTest::addColumn<QString>("error");

    QTest::newRow("not UTF-8") << QByteArray("name,url,username,password\ncaf\xE9,,,\n") << ""
                               << "The file is not UTF-8 text.";
    QTest::newRow("unknown header") << QByteArray("a,b,c\n") << ""
                                    << "The header row is not one of a known layout (keyvane, keepassxc, "
                                       "bitwarden, chrome).";
    QTest::newRow("not the layout asked for")
        << QByteArray("name,url,username,password\n") << "keepassxc"
        << "The header row is not that of the keepassxc layout: it has no Group, Title, Notes.";
    QTest::newRow("a quote never closed") << QByteArray("name,url,username,password\n\"a,,,\n") << ""
                                          << "Line 2: a quoted field is never closed.";
    QTest::newRow("empty") << QByteArray() << ""
                           << "The file is empty: it has no header row.";
}

void TestCsvTransfer::unreadableFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, layout);
    QTEST(readCsvImport(file, {csvLayoutNamed(layout)}).error, "error");
}

QTEST_GUILESS_MAIN(TestCsvTransfer)
#include "tst_csvtransfer.moc"
