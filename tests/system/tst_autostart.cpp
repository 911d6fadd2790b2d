#include "system/autostart.h"
#include "tests/support/testhome.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void execLine_data();
    void execLine();
    void whereWrittenTwiceThenRemoved();
    void unwritableFolderIsReported();
};

void TestAutostart::execLine_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("home"); // KEYVANE_HOME, empty when unset
    QTest::addColumn<QString>("exec");
    const auto row = [](const char* name, const char* path, const char* home, const char* exec) {
        QTest::newRow(name) << QString::fromLatin1(path) << QString::fromLatin1(home)
                            << QString::fromLatin1(exec);
    };
    row("blank, quote, semicolon: the quotes alone", "/My Apps/x'y;z", "", "\"/My Apps/x'y;z\"");
    // '$', '`' and '"' take one backslash in the quoted argument, which the string escapes double.
    row("dollar, backquote, double quote", "/a$b`c\"d", "", "\"/a\\\\$b\\\\`c\\\\\"d\"");
    // A literal backslash: four in the file.
    row("backslash", "/x\\y/keyvane", "", "\"/x\\\\\\\\y/keyvane\"");
    row("percent is no field code", "/x%fy/keyvane", "", "\"/x%%fy/keyvane\"");
    // The folder of this run goes with the program, so the next login starts on it and not the default.
    row("KEYVANE_HOME quoted", "/usr/bin/keyvane", "/media/my stick/a$b/",
        "env \"KEYVANE_HOME=/media/my stick/a\\\\$b\" \"/usr/bin/keyvane\"");
}

void TestAutostart::execLine()
{
    QFETCH(QString, path);
    QFETCH(QString, home);
    QFETCH(QString, exec);
    const QStringList lines = Autostart::entryText(path, home).split(u'\n');
    QCOMPARE(lines.filter(QStringLiteral("Exec=")), QStringList{"Exec=" + exec});
}

void TestAutostart::whereWrittenTwiceThenRemoved()
{
    TestHome home;
    const QString path = Autostart::entryPath();
    QCOMPARE(path, home.file(QStringLiteral("config/autostart/keyvane.desktop"))); // under XDG_CONFIG_HOME
    QString error;
    // Removing what is not there is no failure.
    QVERIFY(Autostart::setStartWithSession(false, QStringLiteral("/usr/bin/keyvane"), &error));

    QVERIFY(Autostart::setStartWithSession(true, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(Autostart::setStartWithSession(true, QStringLiteral("/usr/bin/keyvane"), &error));
    // Written twice, there once, on the test's KEYVANE_HOME, the folder of this run.
    const QByteArray written = readFile(path);
    QCOMPARE(written, Autostart::entryText(QStringLiteral("/usr/bin/keyvane"), home.path()).toUtf8());
    QVERIFY(written.startsWith("[Desktop Entry]\n") && written.contains("\nType=Application\n") &&
            written.count("\nName=Keyvane\n") == 1 && written.endsWith('\n'));
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"keyvane.desktop"});

    QVERIFY(Autostart::setStartWithSession(false, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(!QFile::exists(path));

    // Without a usable XDG_CONFIG_HOME, under the home folder.
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    for (const char* config : {"", "relative/config"}) {
        qputenv("XDG_CONFIG_HOME", config);
        QCOMPARE(Autostart::entryPath(), home.file(QStringLiteral(".config/autostart/keyvane.desktop")));
    }
    qputenv("HOME", savedHome);
}

void TestAutostart::unwritableFolderIsReported()
{
    TestHome home;
    // A file where the autostart folder should be.
    QVERIFY(writeFile(home.file(QStringLiteral("config/autostart")), {}));
    QString error;
    QVERIFY(!Autostart::setStartWithSession(true, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(!error.isEmpty());

    // An entry that cannot be removed (here a folder in its place) is a failure too.
    QVERIFY(QFile::remove(home.file(QStringLiteral("config/autostart"))));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("config/autostart/keyvane.desktop/inside")));
    error.clear();
    QVERIFY(!Autostart::setStartWithSession(false, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
