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
    QIcon icon;
    if (QFile::exists(file)) {
        icon = QIcon(file);
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
