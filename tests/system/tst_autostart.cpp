#include "autostart.h"
#include "testhome.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void execQuoting_data();
    void execQuoting();
    void entryPathHonoursXdgConfigHome();
    void entryIsAValidDesktopEntry();
    void writeTwiceThenRemove();
    void unwritableFolderIsReported();

private:
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

void TestAutostart::execQuoting_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("exec");
    QTest::newRow("plain") << "/usr/bin/keyvane"
                           << "\"/usr/bin/keyvane\"";
    QTest::newRow("blanks") << "/opt/My Apps/keyvane"
                            << "\"/opt/My Apps/keyvane\"";
    // '$' and '`' take one backslash in the quoted argument, which the string escapes double.
    QTest::newRow("dollar") << "/home/a$b/keyvane"
                            << "\"/home/a\\\\$b/keyvane\"";
    QTest::newRow("backquote") << "/x`y/keyvane"
                               << "\"/x\\\\`y/keyvane\"";
    QTest::newRow("double quote") << "/x\"y/keyvane"
                                  << "\"/x\\\\\"y/keyvane\"";
    // A literal backslash: four in the file.
    QTest::newRow("backslash") << "/x\\y/keyvane"
                               << "\"/x\\\\\\\\y/keyvane\"";
    QTest::newRow("percent is no field code") << "/x%fy/keyvane"
                                              << "\"/x%%fy/keyvane\"";
    QTest::newRow("single quote and semicolon need only the quotes") << "/x'y;z"
                                                                     << "\"/x'y;z\"";
}

void TestAutostart::execQuoting()
{
    QFETCH(QString, path);
    QFETCH(QString, exec);
    QCOMPARE(Autostart::execArgument(path), exec);
}

void TestAutostart::entryPathHonoursXdgConfigHome()
{
    TestHome home;
    QCOMPARE(Autostart::entryPath(), home.file(QStringLiteral("config/autostart/keyvane.desktop")));

    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    for (const char* config : {"", "relative/config"}) {
        qputenv("XDG_CONFIG_HOME", config);
        QCOMPARE(Autostart::entryPath(), home.file(QStringLiteral(".config/autostart/keyvane.desktop")));
    }
    qputenv("HOME", savedHome);
}

void TestAutostart::entryIsAValidDesktopEntry()
{
    const QStringList lines = Autostart::entryText(QStringLiteral("/opt/Key vane/keyvane")).split(u'\n');
    QCOMPARE(lines.first(), QStringLiteral("[Desktop Entry]"));
    QVERIFY(lines.contains(QStringLiteral("Type=Application")));
    QVERIFY(lines.contains(QStringLiteral("Name=Keyvane")));
    QVERIFY(lines.contains(QStringLiteral("Exec=\"/opt/Key vane/keyvane\"")));
    QCOMPARE(lines.last(), QString()); // ends with a line end
}

void TestAutostart::writeTwiceThenRemove()
{
    TestHome home;
    const QString path = Autostart::entryPath();
    QString error;
    // Removing what is not there is no failure.
    QVERIFY(Autostart::setStartWithSession(false, QStringLiteral("/usr/bin/keyvane"), &error));

    QVERIFY(Autostart::setStartWithSession(true, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(Autostart::setStartWithSession(true, QStringLiteral("/usr/bin/keyvane"), &error));
    QCOMPARE(readAll(path), Autostart::entryText(QStringLiteral("/usr/bin/keyvane")).toUtf8());
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"keyvane.desktop"});

    QVERIFY(Autostart::setStartWithSession(false, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(!QFile::exists(path));
}

void TestAutostart::unwritableFolderIsReported()
{
    TestHome home;
    // A file where the autostart folder should be.
    QFile blocker(home.file(QStringLiteral("config/autostart")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QString error;
    QVERIFY(!Autostart::setStartWithSession(true, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(!error.isEmpty());

    // An entry that cannot be removed (here a folder in its place) is a failure too.
    QVERIFY(blocker.remove());
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("config/autostart/keyvane.desktop/inside")));
    error.clear();
    QVERIFY(!Autostart::setStartWithSession(false, QStringLiteral("/usr/bin/keyvane"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
