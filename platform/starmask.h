#pragma once

class QLineEdit;

// Makes a masked box show one "*" a character, whatever the desktop style would draw.
void useStarMask(QLineEdit* box);
