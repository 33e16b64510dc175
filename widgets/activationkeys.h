#pragma once

#include <Qt>

// The keys that click a focused clickable label or widget, as they click a
// push button.
inline bool isActivationKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
}
