#include "editing/listfiles.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestEditingCore : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void filesInTheDataFolder();
};

void TestEditingCore::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("CR LF, empty line skipped")
        << QByteArray("telnet\r\n\r\nssh\r\n") << QStringList{"telnet", "ssh"};
    QTest::newRow("LF or CR alone, none at the end")
        << QByteArray("telnet\n\nssh\rrsh") << QStringList{"telnet", "ssh", "rsh"};
    QTest::newRow("as they are") << QByteArray(" ssh \r\n   \r\na\r\na\r\n")
                                 << QStringList{" ssh ", "   ", "a", "a"};
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x80\r\n\x93q\x94\r\n")
                                  << QStringList{QStringLiteral("Café €"), QStringLiteral("\u201cq\u201d")};
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
    QTest::newRow("each line ended by CR LF")
        << QStringList{"telnet", "", "ssh"} << QByteArray("telnet\r\n\r\nssh\r\n");
    QTest::newRow("Windows-1252") << QStringList{QStringLiteral("Café €"), QStringLiteral("\u4e2d")}
                                  << QByteArray("Caf\xe9 \x80\r\n?\r\n");
}

void TestEditingCore::encode()
{
    QFETCH(QStringList, items);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ListFiles::encode(items), bytes);
}

void TestEditingCore::filesInTheDataFolder()
{
    TestHome home;
    QString error;
    // Missing is no error and creates nothing; a folder in the file's place cannot be read by anyone.
    QCOMPARE(ListFiles::readItems(home.file("protocol.txt"), &error), QStringList{});
    QVERIFY(error.isEmpty() && !QFile::exists(home.file("protocol.txt")));
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("servers.txt")));
    QCOMPARE(ListFiles::read(ListFiles::Kind::ServerTypes), QStringList{});
    // Replaced as a whole: nothing of the longer list is left behind.
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"telnet", "ssh"}));
    QVERIFY(ListFiles::write(ListFiles::Kind::Protocols, {"x"}));
    QCOMPARE(readFile(home.file("protocol.txt")), QByteArray("x\r\n"));
}

QTEST_GUILESS_MAIN(TestEditingCore)
#include "tst_editingcore.moc"
