#pragma once

class QWidget;

// Tools > "Windows Logon" and "Screen Saver". Those passwords can only be changed through the password
// providers of the Windows 95/98 family; anywhere else each command says so in a message box.
void ChangeWindowsPassword(QWidget* owner);
void ChangeScreenSaverPassword(QWidget* owner);
