#pragma once

#include <QObject>

// A widget given its object name where it is made, so that forms and tests can find it by that name.
template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}
