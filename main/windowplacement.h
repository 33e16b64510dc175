#pragma once

#include <QObject>
#include <QPointer>

class QPoint;
class QRect;
class QSize;
class QWidget;

// Puts dialogs and secondary windows over the window that opened them. A
// window without a parent otherwise opens wherever the window manager likes
// (often the screen's top-left corner, over the main window's buttons) and
// may drop behind the main window.
class WindowPlacement final : public QObject
{
    Q_OBJECT

public:
    // The window that dialogs of the running session belong to: the main
    // window while it is up, else the active window; null when there is
    // neither (before sign-in, in tests of a lone dialog).
    static QWidget* owner();

    // Each time `window` shows it is centred over `opener`'s window (unless
    // maximised or full screen) and kept above it as its transient child.
    // A null `opener` means owner() at the time of showing. The window keeps
    // its parent, flags and lifetime, and no style sheet reaches it.
    static void keepOver(QWidget* window, QWidget* opener = nullptr);

    // The hidden top-level `window` first opens centred over `opener`'s
    // window (owner() when null); for windows of their own that the member
    // moves about freely. Maximised, it opens on that window's screen.
    static void centreOver(QWidget* window, QWidget* opener = nullptr);

    // The top-left corner that centres `size` over `over`, moved as little
    // as needed to stay inside `screen`.
    static QPoint centredOrigin(const QSize& size, const QRect& over, const QRect& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    WindowPlacement(QWidget* window, QWidget* opener, bool keepAbove);
    static void place(QWidget* window, QWidget* opener, bool keepAbove);

    QPointer<QWidget> m_opener;
    bool m_keepAbove;
};
