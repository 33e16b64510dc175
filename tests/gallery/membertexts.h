#pragma once

#include <QStringList>

class QWidget;

// The texts a member reads or hears in a window as it shows: its title,
// labels, buttons, tabs (of tab bars and the material tabs), group box
// titles, header sections, combo box items, the placeholders of line edits,
// the message bar, tooltips and accessible names and descriptions. Hidden
// widgets and feature windows covered by the one on top are left out, and so
// are the texts the member typed and the cells of list and table views, which
// show the member's and the service's data. So are the widgets inside a
// panel of a class named in `leaveOut`.
class MemberTexts final
{
public:
    static QStringList of(QWidget* window, const QStringList& leaveOut = {});
};
