#include "generator/generatecommand.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextStream>

class TestGenerateCommand : public QObject {
    Q_OBJECT

private slots:
    void passwords_data();
    void passwords();
    void refusals_data();
    void refusals();
};

namespace {

int run(const QStringList& args, QString& out, QString& err)
{
    QTextStream o(&out), e(&err);
    return runGenerateCommand(args, o, e);
}

} // namespace

void TestGenerateCommand::passwords_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("line");

    QTest::newRow("defaults: one mixed password of six") << QStringList{} << 1 << "[0-9A-NP-Za-np-z]{6}";
    QTest::newRow("digits") << QStringList{"--type", "1", "--length", "8"} << 1 << "[0-9]{8}";
    QTest::newRow("lower letters, several, distinct")
        << QStringList{"--count", "20", "--case", "2", "--type", "2", "--length", "40"} << 20
        << "[a-np-z]{40}";
    QTest::newRow("alphanumeric upper, name=value")
        << QStringList{"--case=1", "--length=100"} << 1 << "[0-9A-NP-Z]{100}";
    QTest::newRow("zero length gives empty lines") << QStringList{"--length", "0", "--count", "3"} << 3 << "";
}

void TestGenerateCommand::passwords()
{
    QFETCH(QStringList, args);
    QFETCH(int, count);
    QFETCH(QString, line);

    QString out, err;
    QCOMPARE(run(args, out, err), 0);
    QCOMPARE(err, QString());
    QVERIFY(out.endsWith(QLatin1Char('\n')));
    const QStringList lines = out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), count);
    const QRegularExpression shape(QStringLiteral("^%1$").arg(line));
    for (const QString& password : lines)
        QVERIFY2(shape.match(password).hasMatch(), qPrintable(password));
    if (!line.isEmpty()) // each line a fresh draw, not one password repeated
        QCOMPARE(QSet<QString>(lines.cbegin(), lines.cend()).size(), count);
}

void TestGenerateCommand::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("length too long") << QStringList{"--length", "101"} << "--length";
    QTest::newRow("length negative") << QStringList{"--length", "-1"} << "--length";
    QTest::newRow("length not a number") << QStringList{"--length", "ten"} << "\"ten\"";
    QTest::newRow("type 4") << QStringList{"--type", "4"} << "--type";
    QTest::newRow("case 0") << QStringList{"--case", "0"} << "--case";
    QTest::newRow("count 0") << QStringList{"--count", "0"} << "--count";
    QTest::newRow("missing value") << QStringList{"--type", "1", "--length"} << "--length";
    QTest::newRow("unknown option") << QStringList{"--symbols"} << "--symbols";
    QTest::newRow("stray word") << QStringList{"12"} << "12";
    QTest::newRow("repeated option") << QStringList{"--length", "5", "--length", "7"} << "--length";
}

void TestGenerateCommand::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);

    QString out, err;
    QCOMPARE(run(args, out, err), 1);
    QCOMPARE(out, QString()); // no password escapes alongside an error
    QVERIFY2(err.startsWith(QLatin1String("keyvane-cli generate: ")) && err.count(QLatin1Char('\n')) == 1 &&
                 err.endsWith(QLatin1Char('\n')) && err.contains(mentions),
             qPrintable(err));
}

QTEST_APPLESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
