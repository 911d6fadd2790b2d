#pragma once

#include <QWidget>

// One dialog of each kind over a window: asking for it again brings the one already open to the front.
// Returns that dialog, or nullptr when none of this kind is open over parent.
template <typename Dialog> Dialog* raiseOpenDialog(QWidget* parent)
{
    if (!parent) return nullptr;
    for (Dialog* open : parent->findChildren<Dialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!open->isVisible()) continue; // closed, and about to be deleted
        open->raise();
        open->activateWindow();
        return open;
    }
    return nullptr;
}
