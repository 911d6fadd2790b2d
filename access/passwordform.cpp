#include "passwordform.h"

#include "icons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

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

namespace PasswordForm {

QLineEdit* addBox(QBoxLayout* layout, QWidget* parent, const QString& caption, const char* name, bool masked)
{
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (masked) {
        box->setEchoMode(QLineEdit::Password);
        auto* style = new StarMaskStyle;
        style->setParent(box);
        box->setStyle(style);
    }
    label->setBuddy(box);
    layout->addWidget(label);
    layout->addWidget(box);
    layout->addSpacing(4);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(84);
    return button;
}

void addButtons(QBoxLayout* layout, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    layout->addSpacing(6);
    layout->addLayout(row);
}

void finish(QDialog* dialog, const char* name, const QString& caption, int width)
{
    dialog->setObjectName(QLatin1String(name));
    dialog->setWindowTitle(caption);
    dialog->setWindowIcon(keyvaneIcon(QStringLiteral("keyvane")));
    // Fixed at a width that keeps the longer captions to two or three lines, and the height they then need.
    dialog->setFixedWidth(width);
    dialog->setFixedHeight(dialog->layout()->totalHeightForWidth(width));
}

void retype(QLineEdit* box)
{
    box->clear();
    box->setFocus();
}

} // namespace PasswordForm
