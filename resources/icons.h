#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

// Keyvane's pictures by key: the category keywords ("HTML", "SERIAL", ...), the toolbar image keys
// ("New", "Save", ...), "copy", "ontop", "keyvane" (the program), "tray". A key with a drawing under
// :/icons/<key>.svg gets it; any other key gets a plain badge with the key's initial, so no button is ever
// left blank.
QIcon keyvaneIcon(const QString& key);

// Pictures that come as bitmaps mark their background with light grey (C0C0C0): those pixels become
// transparent, so a bitmap drawn over a menu or toolbar shows only its figure.
constexpr QRgb kTransparentColour = 0xC0C0C0;
QImage withTransparentColour(const QImage& bitmap, QRgb transparent = kTransparentColour);
QIcon categoryIcon(int category);
