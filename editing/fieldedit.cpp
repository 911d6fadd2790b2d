#include "fieldedit.h"

#include "entryfields.h"

#include <QKeyEvent>
#include <QProxyStyle>
#include <QTimer>

namespace {

// Masked boxes show one "*" a character, whatever the desktop style would draw.
class StarMaskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

FieldEdit::FieldEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setMaxLength(EntryFields::kMaxLength);
    auto* style = new StarMaskStyle;
    style->setParent(this);
    setStyle(style);
}

void FieldEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // A mouse press places the cursor after the focus arrives; selecting afterwards wins over it.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

PickOnlyCombo::PickOnlyCombo(const QString& name, QWidget* parent) : QComboBox(parent)
{
    setObjectName(name);
}

void PickOnlyCombo::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && text.at(0) != u' ') {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
