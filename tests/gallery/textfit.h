#pragma once

#include <QStringList>

class QWidget;

// Finds the texts of a window that are cut off: a label, a button (push,
// tool, check, radio, the material buttons and tabs), a tab of a tab bar, a
// group box title or a header section whose text does not fit the widget,
// or that sticks out of a widget around it (up to a scroll area, whose
// content scrolls, but not the main window's area, whose feature windows
// show maximised). Word-wrapped labels fit by wrapping, if they are high
// enough for all their lines; widgets marked as eliding their text by design
// (ElidedText) are left out.
//
// Each finding names the widget and the text with the room the text needs and
// the room it has: "QPushButton btnBuy "COMPRAR AHORA": needs 142x19 px, has
// 120x36".
class TextFit final
{
public:
    static QStringList cutOff(QWidget* window);
};
