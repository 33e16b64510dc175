#include "app/screenbackground.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace {

// The centred part of a picture of size `picture` that, scaled up or down
// evenly, fills `target`.
QRectF coveringPart(const QSizeF& picture, const QSizeF& target)
{
    if (picture.isEmpty() || target.isEmpty())
        return {};
    const qreal scale = qMax(target.width() / picture.width(), target.height() / picture.height());
    const QSizeF shown = target / scale;
    return {QPointF((picture.width() - shown.width()) / 2, (picture.height() - shown.height()) / 2),
            shown};
}

} // namespace

ScreenBackground::ScreenBackground(QWidget* widget)
    : QObject(widget)
{
    widget->installEventFilter(this);
}

ScreenBackground* ScreenBackground::of(const QWidget* widget)
{
    return widget ? widget->findChild<ScreenBackground*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void ScreenBackground::set(QWidget* widget, const QPixmap& picture, const QString& source)
{
    if (!widget || picture.isNull())
        return;
    ScreenBackground* background = of(widget);
    if (!background)
        background = new ScreenBackground(widget);
    background->m_picture = picture;
    background->m_source = source;
    widget->update();
}

QString ScreenBackground::sourceOf(const QWidget* widget)
{
    const ScreenBackground* background = of(widget);
    return background ? background->m_source : QString();
}

bool ScreenBackground::eventFilter(QObject* watched, QEvent* event)
{
    // Filters run before the widget's own paint handler: the picture goes
    // over the widget's background colour and under everything it draws.
    if (event->type() == QEvent::Paint && watched == parent()) {
        auto* widget = static_cast<QWidget*>(watched);
        const QRectF part = coveringPart(m_picture.deviceIndependentSize(), widget->size());
        if (!part.isEmpty()) {
            QPainter painter(widget);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            const qreal ratio = m_picture.devicePixelRatio();
            painter.drawPixmap(QRectF(widget->rect()), m_picture,
                               QRectF(part.topLeft() * ratio, part.size() * ratio));
        }
    }
    return QObject::eventFilter(watched, event);
}
