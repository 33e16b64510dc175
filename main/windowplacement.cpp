#include "main/windowplacement.h"

#include "main/mainwindow.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

QWidget* windowOf(QWidget* opener, const QWidget* placed)
{
    QWidget* over = opener ? opener->window() : WindowPlacement::owner();
    return over && over != placed && over->isVisible() ? over : nullptr;
}

void moveOver(QWidget* window, const QWidget* over)
{
    const QScreen* screen = over->screen();
    const QRect area = screen ? screen->availableGeometry() : over->frameGeometry();
    window->move(WindowPlacement::centredOrigin(window->frameGeometry().size(), over->frameGeometry(), area));
}

} // namespace

WindowPlacement::WindowPlacement(QWidget* window, QWidget* opener, bool keepAbove)
    : QObject(window)
    , m_opener(opener)
    , m_keepAbove(keepAbove)
{
    setObjectName(QStringLiteral("windowPlacement"));
    window->installEventFilter(this);
}

QWidget* WindowPlacement::owner()
{
    // Looked up rather than MainWindow::instance(), which would make one.
    QWidget* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* main = qobject_cast<MainWindow*>(widget);
        if (main && main->isVisible() && (!found || main->isActiveWindow()))
            found = main;
    }
    return found ? found : QApplication::activeWindow();
}

void WindowPlacement::keepOver(QWidget* window, QWidget* opener)
{
    place(window, opener, true);
}

void WindowPlacement::centreOver(QWidget* window, QWidget* opener)
{
    place(window, opener, false);
    // Already now: a window shown maximised opens on the screen it lies on.
    if (const QWidget* over = window ? windowOf(opener, window) : nullptr)
        moveOver(window, over);
}

void WindowPlacement::place(QWidget* window, QWidget* opener, bool keepAbove)
{
    if (!window)
        return;
    // One placement per window: the latest opener counts.
    delete window->findChild<WindowPlacement*>(QStringLiteral("windowPlacement"), Qt::FindDirectChildrenOnly);
    new WindowPlacement(window, opener, keepAbove);
}

QPoint WindowPlacement::centredOrigin(const QSize& size, const QRect& over, const QRect& screen)
{
    QRect placed(QPoint(), size);
    placed.moveCenter(over.center());
    if (!screen.isValid())
        return placed.topLeft();
    // Bigger than the screen: its top-left corner stays visible.
    const int x = std::max(screen.left(), std::min(placed.left(), screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(placed.top(), screen.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    // A window brought back by the window manager stays where the member left it.
    if (event->type() != QEvent::Show || event->spontaneous() || watched != parent())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    QWidget* over = windowOf(m_opener, window);
    if (!over || !window->isWindow())
        return false;
    // Shown means created: both have their native windows by now, and the
    // window is not on screen yet.
    QWindow* handle = window->windowHandle();
    if (m_keepAbove && handle && over->windowHandle())
        handle->setTransientParent(over->windowHandle());
    if (!(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        moveOver(window, over);
    if (!m_keepAbove) {
        // Placed once; after that the member puts it where they like.
        window->removeEventFilter(this);
        deleteLater();
    }
    return false;
}
