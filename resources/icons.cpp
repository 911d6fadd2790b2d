#include "resources/icons.h"

#include "store/categories.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>

namespace {

QColor badgeColour(const QString& key)
{
    // A steady colour per key, so a badge looks the same on every run.
    const uint hue = qHash(key) % 360;
    return QColor::fromHsv(int(hue), 150, 170);
}

QPixmap badge(const QString& key, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(badgeColour(key));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, key.left(1).toUpper());
    return pixmap;
}

} // namespace

QIcon keyvaneIcon(const QString& key)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    const QString file = QStringLiteral(":/icons/%1.svg").arg(key.toLower());
    const QString bitmap = QStringLiteral(":/icons/%1.bmp").arg(key.toLower());
    QIcon icon;
    if (QFile::exists(file)) {
        icon = QIcon(file);
    } else if (QFile::exists(bitmap)) {
        icon.addPixmap(QPixmap::fromImage(withTransparentColour(QImage(bitmap))));
    } else {
        icon.addPixmap(badge(key, 16));
        icon.addPixmap(badge(key, 32));
    }
    cache.insert(key, icon);
    return icon;
}

QIcon categoryIcon(int category)
{
    return keyvaneIcon(categoryKeyword(category));
}

QImage withTransparentColour(const QImage& bitmap, QRgb transparent)
{
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return image;
}
