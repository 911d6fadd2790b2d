#include "store/cipher.h"
#include "store/cp1252.h"

#include <QTest>

class TestCipher : public QObject {
    Q_OBJECT
private slots:
    void encryptsWithKeyFromItsSecondCharacter_data();
    void encryptsWithKeyFromItsSecondCharacter();
    void roundTripsEveryByte();
    void keyCaseDoesNotMatterAndEmptyKeyLeavesText();
    void printableTextEnciphersAboveCode96();
    void cp1252MapsBothDirections_data();
    void cp1252MapsBothDirections();
};

void TestCipher::encryptsWithKeyFromItsSecondCharacter_data()
{
    QTest::addColumn<QString>("clear");
    QTest::addColumn<QByteArray>("enciphered");
    // Key "VORK": positions 1..4 use O (79), R (82), K (75), V (86), then the pattern repeats.
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("one") << QStringLiteral("a") << QByteArray("\xb0");                      // 97 + 79
    QTest::newRow("five") << QStringLiteral("AAAAA") << QByteArray("\x90\x93\x8c\x97\x90"); // 65 + O,R,K,V,O
    QTest::newRow("wraps") << QStringLiteral("\u00ff") << QByteArray("\x4e"); // (255 + 79) mod 256
}

void TestCipher::encryptsWithKeyFromItsSecondCharacter()
{
    QFETCH(QString, clear);
    QFETCH(QByteArray, enciphered);
    const QString result = EncryptText(clear, kProgramKey);
    QCOMPARE(Cp1252::fromUnicode(result), enciphered);
    QCOMPARE(result.size(), clear.size());
    QCOMPARE(DecryptText(result, kProgramKey), clear);
}

void TestCipher::roundTripsEveryByte()
{
    // Every code of the page, the five undefined ones included, comes back through both directions.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = Cp1252::toUnicode(all);
    QCOMPARE(Cp1252::fromUnicode(text), all);
    QCOMPARE(DecryptText(EncryptText(text, kProgramKey), kProgramKey), text);
    QCOMPARE(decryptBytes(encryptBytes(all, QStringLiteral("xy")), QStringLiteral("xy")), all);
}

void TestCipher::keyCaseDoesNotMatterAndEmptyKeyLeavesText()
{
    const QString text = QStringLiteral("Passw0rd é€");
    QCOMPARE(EncryptText(text, QStringLiteral("vork")), EncryptText(text, QStringLiteral("VORK")));
    QCOMPARE(EncryptText(text, QString()), text);
    QCOMPARE(DecryptText(text, QString()), text);
    // A one-character key uses that character at every position.
    QCOMPARE(Cp1252::fromUnicode(EncryptText(QStringLiteral("AA"), QStringLiteral("a"))),
             QByteArray("\x82\x82"));
}

void TestCipher::printableTextEnciphersAboveCode96()
{
    QString printable;
    for (int c = 32; c <= 126; ++c)
        printable.append(QChar(c));
    for (const char byte : Cp1252::fromUnicode(EncryptText(printable, kProgramKey))) {
        const int code = static_cast<unsigned char>(byte);
        QVERIFY2(code >= 97 && code <= 216, qPrintable(QString::number(code)));
    }
}

void TestCipher::cp1252MapsBothDirections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Locker") << QByteArray("Locker");
    QTest::newRow("latin1") << QStringLiteral("é\u00ff") << QByteArray("\xe9\xff");
    QTest::newRow("euro and quotes") << QStringLiteral("€\u201c\u2122") << QByteArray("\x80\x93\x99");
    QTest::newRow("outside the page") << QStringLiteral("a\u0416b") << QByteArray("a?b");
    QTest::newRow("astral") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
}

void TestCipher::cp1252MapsBothDirections()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Cp1252::fromUnicode(text), bytes);
    if (!bytes.contains('?')) QCOMPARE(Cp1252::toUnicode(bytes), text);
}

QTEST_APPLESS_MAIN(TestCipher)
#include "tst_cipher.moc"
