#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

// Building blocks shared by the password windows, so that they look and behave alike.
namespace PasswordForm {

// A caption over a text box, both added to the layout. Masked boxes show '*' for every character.
QLineEdit* addBox(QBoxLayout* layout, QWidget* parent, const QString& caption, const char* name, bool masked);
QPushButton* button(QWidget* parent, const char* name, const QString& caption);
// The row of buttons at the foot of a window, aligned right.
void addButtons(QBoxLayout* layout, std::initializer_list<QPushButton*> buttons);
// The program's icon and a fixed, roomy size for one of the password windows.
void finish(QDialog* dialog, const char* name, const QString& caption, int width);
// A box to type again: emptied, with the focus in it.
void retype(QLineEdit* box);

} // namespace PasswordForm
