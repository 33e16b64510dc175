#pragma once

#include "contrast.h"

#include <QList>
#include <QString>

class QWidget;

// "QLabel lblTitle "MY FRIENDS"": the class, object name and (shortened) text
// of a widget, for a person to find it.
QString describeWidget(const QWidget* widget, const QString& text);

// One text of a window as it shows on the screen.
struct TextReading
{
    QString widget; // class, object name and text, for a person to find it
    Contrast::Sample sample;
    double required = 4.5;
    bool large = false;

    bool passes() const { return sample.ratio >= required; }
    // "QLabel lblTitle "MY FRIENDS": 2.31:1 (needs 4.5:1), #8a8a8a on #ffffff"
    QString describe() const;
};

// Reads every text a window shows: labels, buttons (the material buttons and
// tabs too), check boxes, line edits with text, progress bar texts, the
// message bar, text browsers and the cells of list and table views. Each is rendered twice
// in place, with its text and with the text taken away, and the two renders
// give the text's colour and the colour under it (see Contrast::measure).
//
// The renders are taken from the top-level window, over whatever lies behind
// a translucent window, so a label shows on the background that is really
// under it, not on the transparent pixels of its own grab(). Nothing runs the
// event loop between the two renders, so no layout moves anything; the text
// is put back right after.
//
// Not read: hidden widgets and those without size; disabled controls (WCAG
// asks no contrast of inactive controls); the placeholder of an empty line
// edit; texts whose renders do not differ at all (clipped out of view or
// covered by another widget); header sections; texts under the message bar
// while it shows; a line of text half scrolled out of view.
class Readability final
{
public:
    static QList<TextReading> read(QWidget* window);
    // Behind the top sub-window of an area: every feature window is shown
    // maximised, so the top one covers the others.
    static bool coveredInArea(const QWidget* widget);
};
