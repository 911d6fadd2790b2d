#pragma once

#include <QString>

// The status-bar sentence for a menu item, found by the first four characters of its trimmed text; the
// first match wins. Empty when nothing matches, and the status bar then keeps what it shows.
QString menuHint(const QString& itemText);
