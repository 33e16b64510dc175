#pragma once

#include <QVariant>
#include <QWidget>

// A widget that paints its text elided by design (a long title in a fixed
// column ends in "..."), as opposed to one whose layout is too tight for its
// text: the checks that find texts cut off leave the marked ones alone.
namespace ElidedText {

inline constexpr char property[] = "elidesText";

inline void mark(QWidget* widget)
{
    widget->setProperty(property, true);
}

inline bool isMarked(const QWidget* widget)
{
    return widget->property(property).toBool();
}

} // namespace ElidedText
