#pragma once

#include "access/accesscontrol.h"

#include <QString>

class QBoxLayout;
class QCheckBox;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

// Building blocks shared by the password windows, so that they look and behave alike.
class SettingsStore;

namespace PasswordForm {

// A caption over a text box, both added to the layout. Masked boxes show '*' for every character.
QLineEdit* addBox(QBoxLayout* layout, QWidget* parent, const QString& caption, const char* name, bool masked);
QPushButton* button(QWidget* parent, const char* name, const QString& caption);
// The program's icon and a fixed, roomy size for one of the password windows.
void finish(QDialog* dialog, const char* name, const QString& caption, int width);
// A box to type again: emptied, with the focus in it.
void retype(QLineEdit* box);

// The prompt of the two verification windows: a picture beside "Please enter your password to continue."
// and its masked box, txtPassword.
QLineEdit* addPrompt(QBoxLayout* layout, QWidget* parent, const QString& iconKey);
// The old password, the new one and the new one again (txtOld, txtNew, txtNew2).
void addChangeBoxes(QBoxLayout* layout, QWidget* parent, QLineEdit*& txtOld, QLineEdit*& txtNew,
                    QLineEdit*& txtNew2);
// The reminder question and its answer (txtQuestion, txtAnswer), shown in clear.
void addReminderBoxes(QBoxLayout* layout, QWidget* parent, QLineEdit*& txtQuestion, QLineEdit*& txtAnswer);
// "Encrypt the database with the master password" (chkEncryptDB, unticked) and the line saying what it adds.
QCheckBox* addSealBox(QBoxLayout* layout, QWidget* parent);
// "&Ok" (the default button) and "C&ancel", then any further buttons, in a row at the foot.
void addOkCancel(QBoxLayout* layout, QWidget* parent, QPushButton*& cmdOk, QPushButton*& cmdCancel,
                 std::initializer_list<QPushButton*> more = {});
// Says why a change of password was refused and puts the focus where to type again; false when it was not.
// A write that failed is said with the settings store's reason, unkept characters with why.
bool refusedChange(QWidget* parent, MasterPassword::Outcome outcome, const SettingsStore& settings,
                   const QString& why, QLineEdit* txtOld, QLineEdit* txtNew, QLineEdit* txtNew2);
// Tells the user that the settings could not be written, and why.
void settingsNotWritten(QWidget* parent, const SettingsStore& settings);

} // namespace PasswordForm
