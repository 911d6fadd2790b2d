#include "access/passwordform.h"

#include "platform/desktopservices.h"
#include "platform/starmask.h"
#include "resources/icons.h"
#include "settings/settingsstore.h"

#include <QBoxLayout>
#include <QCheckBox>
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

QLineEdit* addPrompt(QBoxLayout* layout, QWidget* parent, const QString& iconKey)
{
    auto* picture = new QLabel(parent);
    picture->setPixmap(keyvaneIcon(iconKey).pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);
    auto* fields = new QVBoxLayout;
    QLineEdit* box = addBox(fields, parent, QStringLiteral("Please enter your password to continue."),
                            "txtPassword", true);
    fields->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(8);
    top->addLayout(fields, 1);
    layout->addLayout(top);
    return box;
}

void addChangeBoxes(QBoxLayout* layout, QWidget* parent, QLineEdit*& txtOld, QLineEdit*& txtNew,
                    QLineEdit*& txtNew2)
{
    txtOld = addBox(layout, parent, QStringLiteral("Old Password"), "txtOld", true);
    txtNew = addBox(layout, parent, QStringLiteral("New Password"), "txtNew", true);
    txtNew2 = addBox(layout, parent, QStringLiteral("New Password Again"), "txtNew2", true);
}

void addReminderBoxes(QBoxLayout* layout, QWidget* parent, QLineEdit*& txtQuestion, QLineEdit*& txtAnswer)
{
    txtQuestion =
        addBox(layout, parent,
               QStringLiteral("If you wish to do so, please enter a reminder question in the following "
                              "box. This question will be asked to you if you forget your password."),
               "txtQuestion", false);
    txtAnswer =
        addBox(layout, parent, QStringLiteral("Enter the answer to the question below."), "txtAnswer", false);
}

QCheckBox* addSealBox(QBoxLayout* layout, QWidget* parent)
{
    auto* box = new QCheckBox(QStringLiteral("Encrypt the database with the master password"), parent);
    box->setObjectName(QStringLiteral("chkEncryptDB"));
    auto* line =
        new QLabel(QStringLiteral("A stolen database file then reveals nothing without the password, "
                                  "and the password cannot be recovered."),
                   parent);
    line->setWordWrap(true);
    layout->addWidget(box);
    layout->addWidget(line);
    return box;
}

void addOkCancel(QBoxLayout* layout, QWidget* parent, QPushButton*& cmdOk, QPushButton*& cmdCancel,
                 std::initializer_list<QPushButton*> more)
{
    cmdOk = button(parent, "cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = button(parent, "cmdCancel", QStringLiteral("C&ancel"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(cmdOk);
    row->addWidget(cmdCancel);
    for (QPushButton* extra : more)
        row->addWidget(extra);
    layout->addSpacing(6);
    layout->addLayout(row);
}

void settingsNotWritten(QWidget* parent, const SettingsStore& settings)
{
    desktop().message(parent,
                      settings.lastError() + QStringLiteral(" Nothing was changed there; please try again."));
}

bool refusedChange(QWidget* parent, MasterPassword::Outcome outcome, const SettingsStore& settings,
                   const QString& why, QLineEdit* txtOld, QLineEdit* txtNew, QLineEdit* txtNew2)
{
    switch (outcome) {
    case MasterPassword::Outcome::WrongOld:
        desktop().message(parent,
                          QStringLiteral("The old password entered is not valid.  Please try again."));
        retype(txtOld);
        return true;
    case MasterPassword::Outcome::Mismatch:
        desktop().message(parent, QStringLiteral("The new password and the new password verification do not "
                                                 "match.  Please try again."));
        txtNew2->clear();
        retype(txtNew);
        return true;
    case MasterPassword::Outcome::WriteFailed:
        settingsNotWritten(parent, settings);
        return true;
    case MasterPassword::Outcome::Unkept:
        desktop().message(parent, why, DesktopServices::Icon::Warning);
        return true;
    default:
        return false;
    }
}

} // namespace PasswordForm
