#pragma once

#include <QString>

// The program's version as the update window shows it ("1.1").
QString programVersion();
// The name of the operating system. It is never "Windows 95", so the menus are always decorated.
QString GetWindowsName();
