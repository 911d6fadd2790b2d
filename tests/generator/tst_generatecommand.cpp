#include "generatecommand.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextStream>

class TestGenerateCommand : public QObject {
    Q_OBJECT

private slots:
    void passwords_data();
    void passwords();
    void passwordsDiffer();
    void refusals_data();
    void refusals();
    void help();
};

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QStringList& args)
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runGenerateCommand(args, out, err);
    return r;
}

} // namespace

void TestGenerateCommand::passwords_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("line");

    const QString mixed = QStringLiteral("[0-9A-NP-Za-np-z]");
    QTest::newRow("defaults: one mixed password of six") << QStringList{} << 1 << mixed + "{6}";
    QTest::newRow("digits") << QStringList{"--type", "1", "--length", "8"} << 1 << "[0-9]{8}";
    QTest::newRow("upper letters") << QStringList{"--type", "2", "--case", "1", "--length", "40"} << 1
                                   << "[A-NP-Z]{40}";
    QTest::newRow("lower letters, several")
        << QStringList{"--count", "5", "--case", "2", "--type", "2", "--length", "10"} << 5 << "[a-np-z]{10}";
    QTest::newRow("alphanumeric upper")
        << QStringList{"--case", "1", "--length", "30"} << 1 << "[0-9A-NP-Z]{30}";
    QTest::newRow("name=value form") << QStringList{"--type=1", "--length=3", "--count=2"} << 2 << "[0-9]{3}";
    QTest::newRow("longest") << QStringList{"--length", "100"} << 1 << mixed + "{100}";
    QTest::newRow("zero length gives empty lines") << QStringList{"--length", "0", "--count", "3"} << 3 << "";
}

void TestGenerateCommand::passwords()
{
    QFETCH(QStringList, args);
    QFETCH(int, count);
    QFETCH(QString, line);

    const Run r = run(args);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.endsWith(QLatin1Char('\n')));
    const QStringList lines = r.out.chopped(1).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), count);
    const QRegularExpression shape(QStringLiteral("^%1$").arg(line));
    for (const QString& password : lines)
        QVERIFY2(shape.match(password).hasMatch(), qPrintable(password));
}

// Each of the K lines is a fresh draw, not one password repeated.
void TestGenerateCommand::passwordsDiffer()
{
    const Run r = run({"--length", "40", "--count", "20"});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 20);
    QCOMPARE(QSet<QString>(lines.cbegin(), lines.cend()).size(), 20);
}

void TestGenerateCommand::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("length too long") << QStringList{"--length", "101"} << "--length";
    QTest::newRow("length negative") << QStringList{"--length", "-1"} << "--length";
    QTest::newRow("length not a number") << QStringList{"--length", "ten"} << "\"ten\"";
    QTest::newRow("length with a fraction") << QStringList{"--length", "6.5"} << "--length";
    QTest::newRow("type 0") << QStringList{"--type", "0"} << "--type";
    QTest::newRow("type 4") << QStringList{"--type", "4"} << "--type";
    QTest::newRow("case 4") << QStringList{"--case", "4"} << "--case";
    QTest::newRow("count 0") << QStringList{"--count", "0"} << "--count";
    QTest::newRow("count empty") << QStringList{"--count="} << "--count";
    QTest::newRow("missing value") << QStringList{"--type", "1", "--length"} << "--length";
    QTest::newRow("option as value") << QStringList{"--length", "--type", "1"} << "--length";
    QTest::newRow("unknown option") << QStringList{"--symbols"} << "--symbols";
    QTest::newRow("single dash") << QStringList{"-l", "5"} << "-l";
    QTest::newRow("stray word") << QStringList{"12"} << "12";
    QTest::newRow("repeated option") << QStringList{"--length", "5", "--length", "7"} << "--length";
}

void TestGenerateCommand::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);

    const Run r = run(args);
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QString()); // no password escapes alongside an error
    QVERIFY2(r.err.endsWith(QLatin1Char('\n')) && r.err.count(QLatin1Char('\n')) == 1, qPrintable(r.err));
    QVERIFY2(r.err.startsWith(QLatin1String("keyvane-cli generate: ")), qPrintable(r.err));
    QVERIFY2(r.err.contains(mentions), qPrintable(r.err));
}

void TestGenerateCommand::help()
{
    const Run r = run({"--length", "5", "--help"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, generateCommandUsage());
    QVERIFY(r.out.startsWith(QLatin1String("usage: keyvane-cli generate")));
    QCOMPARE(r.err, QString());
}

QTEST_APPLESS_MAIN(TestGenerateCommand)
#include "tst_generatecommand.moc"
