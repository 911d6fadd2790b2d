#include "resources/icons.h"

#include <QApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QTest>

// Keyvane draws each picture from one parse of its file; it must look as an icon made from the file's name.
class IconsTest : public QObject {
    Q_OBJECT
private slots:
    void drawnAsTheFile_data();
    void drawnAsTheFile();
};

void IconsTest::drawnAsTheFile_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QIcon::Mode>("mode");
    for (const int size : {16, 24, 48})
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Selected})
            QTest::addRow("%d px, mode %d", size, int(mode)) << size << mode;
}

void IconsTest::drawnAsTheFile()
{
    QFETCH(int, size);
    QFETCH(QIcon::Mode, mode);
    QDirIterator pictures(QStringLiteral(":/icons"));
    QVERIFY(pictures.hasNext());
    while (pictures.hasNext()) {
        const QString file = pictures.next();
        const QIcon mine = keyvaneIcon(QFileInfo(file).baseName());
        const QIcon plain(file);
        QCOMPARE(mine.actualSize(QSize(size, size), mode), plain.actualSize(QSize(size, size), mode));
        QVERIFY2(mine.pixmap(size, mode).toImage() == plain.pixmap(size, mode).toImage(), qPrintable(file));
    }
}

QTEST_MAIN(IconsTest)
#include "tst_icons.moc"
