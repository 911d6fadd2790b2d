#include "entryfields.h"
#include "listfiles.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestEditingCore : public QObject {
    Q_OBJECT
private slots:
    void fieldValue_data();
    void fieldValue();
    void joinedUrl_data();
    void joinedUrl();
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void filesLiveInTheDataFolder();
    void writeThenRead();
    void missingFileGivesNoItems();
    void unreadableFileGivesNoItems();
    void unwritableFileIsReported();
};

namespace {
QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
} // namespace

void TestEditingCore::fieldValue_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "abc"
                           << "abc";
    QTest::newRow("padded both sides") << "  abc  "
                                       << "abc";
    QTest::newRow("inner blanks stay") << " a  b "
                                       << "a  b";
    QTest::newRow("60 characters") << QString(60, u'x') << QString(50, u'x');
    // Trimmed first, then cut: the padding does not use up the width.
    QTest::newRow("padded 50") << (QStringLiteral("   ") + QString(50, u'y') + QStringLiteral("  "))
                               << QString(50, u'y');
    QTest::newRow("cut leaves a trailing blank")
        << (QString(49, u'z') + QStringLiteral(" tail")) << (QString(49, u'z') + QStringLiteral(" "));
    QTest::newRow("empty") << ""
                           << "";
}

void TestEditingCore::fieldValue()
{
    QFETCH(QString, box);
    QFETCH(QString, stored);
    QCOMPARE(EntryFields::fieldValue(box), stored);
}

void TestEditingCore::joinedUrl_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    QTest::newRow("http") << "http://"
                          << "abc"
                          << "http://abc";
    QTest::newRow("ftp padded") << "ftp://"
                                << "  abc  "
                                << "ftp://abc";
    QTest::newRow("empty address keeps the protocol") << "http://"
                                                      << ""
                                                      << "http://";
    QTest::newRow("cut after joining")
        << "http://" << QString(50, u'w') << (QStringLiteral("http://") + QString(43, u'w'));
}

void TestEditingCore::joinedUrl()
{
    QFETCH(QString, protocol);
    QFETCH(QString, address);
    QFETCH(QString, url);
    QCOMPARE(EntryFields::joinedUrl(protocol, address), url);
}

void TestEditingCore::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("CR LF, empty line skipped")
        << QByteArray("telnet\r\n\r\nssh\r\n") << QStringList{"telnet", "ssh"};
    QTest::newRow("no line end at the end") << QByteArray("telnet\r\nssh") << QStringList{"telnet", "ssh"};
    QTest::newRow("LF only") << QByteArray("telnet\n\nssh\n") << QStringList{"telnet", "ssh"};
    QTest::newRow("CR only") << QByteArray("telnet\rssh\r") << QStringList{"telnet", "ssh"};
    QTest::newRow("blanks kept as they are") << QByteArray(" ssh \r\n   \r\n") << QStringList{" ssh ", "   "};
    QTest::newRow("duplicates kept") << QByteArray("a\r\na\r\n") << QStringList{"a", "a"};
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x80\r\n\x93q\x94\r\n")
                                  << QStringList{QStringLiteral("Café €"), QStringLiteral("\u201cq\u201d")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("only line ends") << QByteArray("\r\n\r\n\n") << QStringList{};
}

void TestEditingCore::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    QCOMPARE(ListFiles::decode(bytes), items);
}

void TestEditingCore::encode_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("two lines, each ended by CR LF")
        << QStringList{"telnet", "ssh"} << QByteArray("telnet\r\nssh\r\n");
    QTest::newRow("Windows-1252") << QStringList{QStringLiteral("Café €")} << QByteArray("Caf\xe9 \x80\r\n");
    QTest::newRow("outside the code page") << QStringList{QStringLiteral("\u4e2d")} << QByteArray("?\r\n");
    QTest::newRow("an empty item is an empty line")
        << QStringList{"a", "", "b"} << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("no items, no bytes") << QStringList{} << QByteArray();
}

void TestEditingCore::encode()
{
    QFETCH(QStringList, items);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ListFiles::encode(items), bytes);
}

void TestEditingCore::filesLiveInTheDataFolder()
{
    TestHome home;
    QCOMPARE(ListFiles::path(ListFiles::Kind::ServerTypes), home.file("servers.txt"));
    QCOMPARE(ListFiles::path(ListFiles::Kind::Protocols), home.file("protocol.txt"));
}

void TestEditingCore::writeThenRead()
{
    TestHome home;
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet", "", "ssh"}));
    QCOMPARE(fileBytes(home.file("protocol.txt")), QByteArray("telnet\r\n\r\nssh\r\n"));
    QCOMPARE(ListFiles::read(ListFiles::Kind::Protocols), (QStringList{"telnet", "ssh"}));

    // Replaced as a whole: a shorter list leaves nothing of the longer one behind.
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"x"}));
    QCOMPARE(fileBytes(home.file("protocol.txt")), QByteArray("x\r\n"));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {}));
    QCOMPARE(fileBytes(home.file("protocol.txt")), QByteArray());
}

void TestEditingCore::missingFileGivesNoItems()
{
    TestHome home;
    QString error = QStringLiteral("untouched");
    QCOMPARE(ListFiles::readItems(home.file("servers.txt"), &error), QStringList{});
    QCOMPARE(error, QStringLiteral("untouched"));
    QVERIFY(!QFile::exists(home.file("servers.txt")));
}

void TestEditingCore::unreadableFileGivesNoItems()
{
    TestHome home;
    // A folder where the file should be cannot be read as a file, whoever runs the test.
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("servers.txt")));
    QString error;
    QCOMPARE(ListFiles::readItems(home.file("servers.txt"), &error), QStringList{});
}

void TestEditingCore::unwritableFileIsReported()
{
    TestHome home;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("servers.txt")));
    QString error;
    QVERIFY(!ListFiles::write(ListFiles::Kind::ServerTypes, {"Unix"}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(home.file("servers.txt")).isDir());
    QCOMPARE(QDir(home.path()).entryList({QStringLiteral("servers.txt*")}, QDir::Files), QStringList{});
}

QTEST_GUILESS_MAIN(TestEditingCore)
#include "tst_editingcore.moc"
