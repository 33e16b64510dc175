#include "widgets/qtmaterialripple.h"

#include <QPainter>
#include <QPainterPath>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QWidget>

namespace {
constexpr int rippleDurationMs = 600;
constexpr qreal rippleStartOpacity = 0.35;
} // namespace

class QtMaterialRippleOverlay::Ripple final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qreal radius MEMBER radius NOTIFY changed)
    Q_PROPERTY(qreal opacity MEMBER opacity NOTIFY changed)

public:
    using QObject::QObject;
    QPointF center;
    QColor color;
    qreal radius = 0;
    qreal opacity = rippleStartOpacity;

signals:
    void changed();
};

QtMaterialRippleOverlay::QtMaterialRippleOverlay(QWidget* widget)
    : QObject(widget)
    , m_widget(widget)
{
}

void QtMaterialRippleOverlay::addRipple(const QPointF& center, qreal radius, const QColor& color)
{
    auto* ripple = new Ripple(this);
    ripple->center = center;
    ripple->color = color;
    m_ripples.append(ripple);

    auto* group = new QParallelAnimationGroup(ripple);
    auto* grow = new QPropertyAnimation(ripple, "radius", group);
    grow->setDuration(rippleDurationMs);
    grow->setEasingCurve(QEasingCurve::OutQuad);
    grow->setStartValue(0.0);
    grow->setEndValue(radius);
    auto* fade = new QPropertyAnimation(ripple, "opacity", group);
    fade->setDuration(rippleDurationMs);
    fade->setEasingCurve(QEasingCurve::InQuad);
    fade->setStartValue(rippleStartOpacity);
    fade->setEndValue(0.0);
    group->addAnimation(grow);
    group->addAnimation(fade);

    connect(ripple, &Ripple::changed, m_widget, qOverload<>(&QWidget::update));
    connect(group, &QAbstractAnimation::finished, this, [this, ripple] {
        m_ripples.removeOne(ripple);
        ripple->deleteLater();
        m_widget->update();
    });
    group->start();
}

void QtMaterialRippleOverlay::paint(QPainter& painter, const QPainterPath& clip) const
{
    if (m_ripples.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(clip);
    painter.setPen(Qt::NoPen);
    for (const Ripple* ripple : m_ripples) {
        painter.setOpacity(ripple->opacity);
        painter.setBrush(ripple->color);
        painter.drawEllipse(ripple->center, ripple->radius, ripple->radius);
    }
    painter.restore();
}

#include "qtmaterialripple.moc"
