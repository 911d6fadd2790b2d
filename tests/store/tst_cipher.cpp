#include "store/cipher.h"
#include "store/cp1252.h"

#include <QTest>

class TestCipher : public QObject {
    Q_OBJECT
private slots:
    void encryptsWithKeyFromItsSecondCharacter_data();
    void encryptsWithKeyFromItsSecondCharacter();
    void roundTripsEveryByte();
    void cp1252MapsBothDirections_data();
    void cp1252MapsBothDirections();
};

void TestCipher::encryptsWithKeyFromItsSecondCharacter_data()
{
    QTest::addColumn<QString>("clear");
    QTest::addColumn<QByteArray>("enciphered");
    // Key "VORK": positions 1..4 use O (79), R (82), K (75), V (86), then the pattern repeats.
    QTest::newRow("five") << QStringLiteral("AAAAA") << QByteArray("\x90\x93\x8c\x97\x90"); // 65 + O,R,K,V,O
    QTest::newRow("wraps") << QStringLiteral("\u00ff") << QByteArray("\x4e"); // (255 + 79) mod 256
}

void TestCipher::encryptsWithKeyFromItsSecondCharacter()
{
    QFETCH(QString, clear);
    const QString result = EncryptText(clear, kProgramKey);
    QTEST(Cp1252::fromUnicode(result), "enciphered");
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
}

void TestCipher::cp1252MapsBothDirections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro and quotes") << QStringLiteral("€\u201c\u2122") << QByteArray("\x80\x93\x99");
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
