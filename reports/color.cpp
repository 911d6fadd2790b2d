#include "reports/color.h"

#include "reports/htmlreport.h"

#include <QComboBox>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kSwatchWidth = 56;
constexpr int kSwatchHeight = 14;

QIcon swatch(const QColor& color)
{
    QPixmap pixmap(kSwatchWidth, kSwatchHeight);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray); // so the white swatch still shows its edge
    painter.drawRect(0, 0, kSwatchWidth - 1, kSwatchHeight - 1);
    return QIcon(pixmap);
}

// The combo box is as high as the control was designed (330 twips), never lower than its text needs.
int comboHeight(const QComboBox* combo)
{
    return std::max(combo->sizeHint().height(), combo->logicalDpiY() * 330 / 1440);
}

} // namespace

Color::Color(QWidget* parent) : QWidget(parent)
{
    ImageCombo1 = new QComboBox(this);
    ImageCombo1->setObjectName(QStringLiteral("ImageCombo1"));
    ImageCombo1->setIconSize(QSize(kSwatchWidth, kSwatchHeight));
    for (int i = 0; i < Reports::kTitleColorCount; ++i) {
        ImageCombo1->addItem(swatch(QColor(Reports::titleColor(i))), QString());
        // No text on the swatch, but screen readers and tooltips still name it.
        ImageCombo1->setItemData(i, Reports::titleColorName(i), Qt::AccessibleTextRole);
        ImageCombo1->setItemData(i, Reports::titleColorName(i), Qt::ToolTipRole);
    }
    ImageCombo1->setPlaceholderText(QStringLiteral("Default <Black>"));
    ImageCombo1->setCurrentIndex(-1);
    ImageCombo1->setGeometry(0, 0, width(), comboHeight(ImageCombo1));
    setFocusProxy(ImageCombo1);
}

QString Color::GetColor() const
{
    return Reports::titleColor(ImageCombo1->currentIndex());
}

QSize Color::sizeHint() const
{
    return QSize(ImageCombo1->sizeHint().width(), comboHeight(ImageCombo1));
}

QSize Color::minimumSizeHint() const
{
    return QSize(ImageCombo1->minimumSizeHint().width(), comboHeight(ImageCombo1));
}

void Color::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ImageCombo1->setGeometry(0, 0, width(), comboHeight(ImageCombo1));
}
