#include "resources/icons.h"

#include "store/categories.h"

#include <QFile>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <tuple>

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

// A drawing parsed once, when first drawn, whatever it is drawn at: each size and mode is rendered when
// first asked for and kept. (An icon made from an SVG file's name parses the file when made, and again for
// each size and mode.)
class DrawingEngine : public QIconEngine {
public:
    explicit DrawingEngine(const QString& file) : m_drawing(std::make_shared<Drawing>(Drawing{file, {}})) {}

    QIconEngine* clone() const override { return new DrawingEngine(*this); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return renderer().defaultSize().scaled(size, Qt::KeepAspectRatio);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        const QSize actual = actualSize(size, mode, state);
        if (actual.isEmpty()) return {};
        QPixmap& kept = m_pixmaps[{actual.width(), actual.height(), mode}];
        if (kept.isNull()) {
            QPixmap plain(actual);
            plain.fill(Qt::transparent);
            QPainter painter(&plain);
            renderer().render(&painter);
            painter.end();
            // The disabled and selected looks are the style's, as for any icon made of a picture.
            kept = mode == QIcon::Normal ? plain : QIcon(plain).pixmap(actual, 1.0, mode, state);
        }
        return kept;
    }

private:
    struct Drawing {
        QString file;
        std::unique_ptr<QSvgRenderer> renderer;
    };
    QSvgRenderer& renderer()
    {
        if (!m_drawing->renderer) m_drawing->renderer = std::make_unique<QSvgRenderer>(m_drawing->file);
        return *m_drawing->renderer;
    }

    std::shared_ptr<Drawing> m_drawing;
    std::map<std::tuple<int, int, QIcon::Mode>, QPixmap> m_pixmaps;
};

} // namespace

QIcon keyvaneIcon(const QString& key)
{
    static QHash<QString, QIcon> cache;
    if (auto it = cache.constFind(key); it != cache.constEnd()) return *it;
    const QString file = QStringLiteral(":/icons/%1.svg").arg(key.toLower());
    QIcon icon;
    if (QFile::exists(file)) {
        icon = QIcon(new DrawingEngine(file));
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
