#pragma once

#include <QIcon>
#include <QString>

// Keyvane's pictures by key: the category keywords ("HTML", "SERIAL", ...), the toolbar image keys
// ("New", "Save", ...), "copy", "ontop", "keyvane" (the program), "tray". A key with a drawing under
// :/icons/<key>.svg gets it; any other key gets a plain badge with the key's initial, so no button is ever
// left blank.
QIcon keyvaneIcon(const QString& key);
QIcon categoryIcon(int category);
