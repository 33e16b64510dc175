#include "widgets/qtmaterialoverlaywidget.h"

#include <QEvent>

QtMaterialOverlayWidget::QtMaterialOverlayWidget(QWidget* parent)
    : QWidget(parent)
{
    followParent();
}

QtMaterialOverlayWidget::~QtMaterialOverlayWidget() = default;

bool QtMaterialOverlayWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ParentAboutToChange:
        if (m_watchedParent)
            m_watchedParent->removeEventFilter(this);
        m_watchedParent = nullptr;
        break;
    case QEvent::ParentChange:
        followParent();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool QtMaterialOverlayWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watchedParent
        && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        setGeometry(overlayGeometry());
    }
    return QWidget::eventFilter(watched, event);
}

QRect QtMaterialOverlayWidget::overlayGeometry() const
{
    QWidget* parent = parentWidget();
    return parent ? parent->rect() : QRect();
}

void QtMaterialOverlayWidget::followParent()
{
    QWidget* parent = parentWidget();
    if (!parent || parent == m_watchedParent)
        return;
    m_watchedParent = parent;
    parent->installEventFilter(this);
    setGeometry(overlayGeometry());
}
