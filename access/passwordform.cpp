#include "passwordform.h"

#include "icons.h"
#include "starmask.h"

#include <QBoxLayout>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace PasswordForm {

QLineEdit* addBox(QBoxLayout* layout, QWidget* parent, const QString& caption, const char* name, bool masked)
{
    auto* label = new QLabel(caption, parent);
    label->setWordWrap(true);
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    if (masked) {
        box->setEchoMode(QLineEdit::Password);
        useStarMask(box);
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
