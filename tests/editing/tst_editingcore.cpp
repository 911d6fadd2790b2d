#include "editing/listfiles.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
enum Way { Decodes = 1, Encodes = 2, Both = 3 };
}

class TestEditingCore : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void filesInTheDataFolder();
};

void TestEditingCore::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("way");
    QTest::newRow("CR LF, empty line skipped")
        << QByteArray("telnet\r\n\r\nssh\r\n") << QStringList{"telnet", "ssh"} << int(Decodes);
    QTest::newRow("LF or CR alone, none at the end")
        << QByteArray("telnet\n\nssh\rrsh") << QStringList{"telnet", "ssh", "rsh"} << int(Decodes);
    QTest::newRow("as they are") << QByteArray(" ssh \r\n   \r\na\r\na\r\n")
                                 << QStringList{" ssh ", "   ", "a", "a"} << int(Both);
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x80\r\n\x93q\x94\r\n")
                                  << QStringList{QStringLiteral("Café €"), QStringLiteral("\u201cq\u201d")}
                                  << int(Both);
    QTest::newRow("each line ended by CR LF")
        << QByteArray("telnet\r\n\r\nssh\r\n") << QStringList{"telnet", "", "ssh"} << int(Encodes);
    QTest::newRow("beyond Windows-1252")
        << QByteArray("Caf\xe9 \x80\r\n?\r\n")
        << QStringList{QStringLiteral("Café €"), QStringLiteral("\u4e2d")} << int(Encodes);
}

void TestEditingCore::lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, items);
    QFETCH(int, way);
    if (way & Decodes) QCOMPARE(ListFiles::decode(bytes), items);
    if (way & Encodes) QCOMPARE(ListFiles::encode(items), bytes);
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
