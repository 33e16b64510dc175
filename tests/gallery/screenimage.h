#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

class QWidget;

// What the screen shows on a platform that has no screen of its own (the
// offscreen platform): the visible top-level windows drawn where they stand.
class ScreenImage final
{
public:
    // The visible top-level windows bottom to top: main windows, other
    // windows, modal dialogs (the active one last), `front` at the very end.
    static QList<QWidget*> stack(QWidget* front);
    // The primary screen with every window of stack(front) on it; without
    // `front` itself when `withFront` is false (what lies behind it).
    static QImage compose(QWidget* front, bool withFront = true);
    // The part of compose(front, false) that `front` covers, as large as
    // `front`: the backdrop of a translucent window.
    static QImage behind(QWidget* front);

    // Before QApplication: the offscreen platform with one screen of `size`
    // (96 dpi). Returns the configuration file, which may go once the
    // application exists.
    static QString useOffscreen(const QSize& size);
    // "1366x768" and the like; an invalid size otherwise.
    static QSize parseSize(const QString& text);
};
