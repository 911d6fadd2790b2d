#pragma once

#include <QString>

// The program's version as the update window shows it ("1.1").
QString programVersion();
