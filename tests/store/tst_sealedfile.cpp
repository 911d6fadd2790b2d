#include "store/atomicfile.h"
#include "store/databasefile.h"
#include "store/entrystore.h"
#include "store/sealedfile.h"
#include "tests/support/quickseal.h"
#include "tests/support/testhome.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace SealedLayout;

namespace {

std::unique_ptr<SealKey> keyFor(QString password, const KdfParams& params = quickParams())
{
    return SealKey::derive(password, params);
}

const Entry kEntries[] = {
    {QStringLiteral("Bankhaus Nord"), QStringLiteral("anna.k"), QStringLiteral("Tr0ub4dor&3"),
     QStringLiteral("https://nord.example"), QStringLiteral("pin 4711"), true},
    {QStringLiteral("Router"), QStringLiteral("admin"), QStringLiteral("horse staple"),
     QStringLiteral("192.168.7.1"), QStringLiteral("cellar"), true},
};

} // namespace

class TestSealedFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void rightPasswordOpensWrongIsRefused();
    void everyChangedByteIsRefusedAndFileKept();
    void encryptThenDecryptIsByteIdentical();
    void headerCarriesParameters();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    EntryStore m_store;
};

void TestSealedFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("anna.adr"));
    m_store.setContents({});
    m_store.addEntry(kEntries[0], 0);
    m_store.addEntry(kEntries[1], 4);
}

void TestSealedFile::rightPasswordOpensWrongIsRefused()
{
    const QByteArray image = encodeDatabase(m_store);
    const QByteArray sealed = SealedFile::seal(image, *keyFor(QStringLiteral("Secret ")));

    QString error;
    for (QString wrong : {"Secret", "secret ", ""}) {
        QVERIFY(!SealedFile::unlock(sealed, wrong, nullptr, &error));
        QVERIFY(!error.isEmpty());
    }
    QString typed = QStringLiteral("Secret ");
    QByteArray opened;
    std::unique_ptr<SealKey> key = SealedFile::unlock(sealed, typed, &opened, &error);
    QVERIFY(typed.isEmpty()); // the typed text is gone once the key is derived
    QCOMPARE(opened, image);

    // The app opens it with the key the password gave; without one it neither loads nor writes.
    QVERIFY(writeFile(m_path, sealed));
    DatabaseFile locked(m_path);
    QVERIFY(!locked.read().loadedWhole());
    QVERIFY(!locked.save(m_store, &error));
    DatabaseFile db(m_path);
    db.setKey(std::move(key));
    const DatabaseContents contents = db.read();
    QVERIFY(contents.loadedWhole());
    QCOMPARE(contents.lists[4].value(0), kEntries[1]);
}

void TestSealedFile::everyChangedByteIsRefusedAndFileKept()
{
    EntryStore one;
    one.addEntry(kEntries[0], 0);
    const QByteArray sealed = SealedFile::seal(encodeDatabase(one), *keyFor(QStringLiteral("pw")));
    QString error;
    for (int i = 0; i < sealed.size(); ++i) {
        QByteArray changed = sealed;
        changed[i] = char(changed.at(i) ^ 0x01);
        QString typed = QStringLiteral("pw");
        QVERIFY2(!SealedFile::unlock(changed, typed, nullptr, &error), qPrintable(QString::number(i)));

        // The session's key (from the file as it was) neither opens nor overwrites the changed file.
        QVERIFY(writeFile(m_path, changed));
        DatabaseFile db(m_path);
        db.setKey(keyFor(QStringLiteral("pw"), *SealedFile::readParams(sealed, nullptr)));
        QVERIFY(!db.read().loadedWhole());
        QVERIFY(!db.needsOverwriteConsent());
        db.allowOverwrite();
        QVERIFY(!db.save(one, &error));
        QCOMPARE(readFile(m_path), changed);
    }
    QString typed = QStringLiteral("pw");
    QVERIFY(!SealedFile::unlock(sealed.left(kHeaderSize + kTagSize - 1), typed, nullptr, &error));
}

void TestSealedFile::encryptThenDecryptIsByteIdentical()
{
    DatabaseFile db(m_path);
    QString error;
    QVERIFY(db.save(m_store, &error));
    const QByteArray plain = readFile(m_path);

    QVERIFY2(db.rekey(keyFor(QStringLiteral("pw")), &error), qPrintable(error));
    const QByteArray first = readFile(m_path);
    QCOMPARE(SealedFile::open(first, *db.key()).value_or(QByteArray()), plain);
    QVERIFY(db.save(m_store, &error));
    const QByteArray saved = readFile(m_path);
    QCOMPARE(SealedFile::open(saved, *db.key()).value_or(QByteArray()), plain);
    for (const Entry& e : kEntries)
        for (int n = 1; n <= 5; ++n)
            QVERIFY2(!saved.contains(e.field(n).toLatin1()), qPrintable(e.field(n).toString()));
    QVERIFY(ownerOnly(m_path));
    // A fresh nonce on every save: the same entries never give the same bytes twice.
    QVERIFY(saved.mid(kNonceOffset, kNonceSize) != first.mid(kNonceOffset, kNonceSize));

    QVERIFY(db.rekey(nullptr, &error));
    QCOMPARE(readFile(m_path), plain);
}

void TestSealedFile::headerCarriesParameters()
{
    QString password = QStringLiteral("pw");
    std::unique_ptr<SealKey> key = SealKey::derive(password, KdfParams::standard());
    const QByteArray sealed = SealedFile::seal(encodeDatabase(m_store), *key);
    const char* h = sealed.constData();
    QCOMPARE(sealed.left(8), QByteArray("\0KEYVANE", 8));
    QCOMPARE(qFromLittleEndian<quint32>(h + kVersionOffset), 1u);
    QCOMPARE(qFromLittleEndian<quint32>(h + kKdfOffset), 2u); // Argon2id
    QCOMPARE(qFromLittleEndian<quint64>(h + kMemoryOffset), quint64(64) << 20);
    QCOMPARE(qFromLittleEndian<quint32>(h + kPassesOffset), key->params().passes);
    QCOMPARE(qFromLittleEndian<quint32>(h + kLanesOffset), 1u);
    QCOMPARE(sealed.mid(kSaltOffset, kSaltSize), key->params().salt);
    QCOMPARE(sealed.size(), kHeaderSize + 2 * DatabaseLayout::kRecordSize + kTagSize);
    QVERIFY(KdfParams::standard().salt != key->params().salt);
}

QTEST_GUILESS_MAIN(TestSealedFile)
#include "tst_sealedfile.moc"
