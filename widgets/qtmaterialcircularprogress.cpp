#include "widgets/qtmaterialcircularprogress.h"

#include "widgets/qtmaterialstyle.h"

#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

namespace {

constexpr int dashCycleMs = 2050;
// Two turns of the rotation take two dash cycles, so the arc's restart
// happens at the same place on every turn.
constexpr int rotationCycleMs = 2 * dashCycleMs;
// One unit of dash length or offset, in degrees.
constexpr qreal degreesPerUnit = 12;
constexpr qreal longestDash = 20;

} // namespace

QtMaterialCircularProgress::QtMaterialCircularProgress(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    startAnimations();
}

void QtMaterialCircularProgress::startAnimations()
{
    auto* group = new QParallelAnimationGroup(this);
    group->setLoopCount(-1);

    auto* length = new QPropertyAnimation(this, "dashLength", group);
    length->setDuration(dashCycleMs);
    length->setEasingCurve(QEasingCurve::InOutQuad);
    length->setStartValue(0.1);
    length->setKeyValueAt(0.15, 0.2);
    length->setKeyValueAt(0.6, longestDash);
    length->setKeyValueAt(0.7, longestDash);
    length->setEndValue(0.1);

    auto* offset = new QPropertyAnimation(this, "dashOffset", group);
    offset->setDuration(dashCycleMs);
    offset->setEasingCurve(QEasingCurve::InOutQuad);
    offset->setStartValue(0.0);
    offset->setKeyValueAt(0.6, -7.0);
    offset->setKeyValueAt(0.7, -7.0);
    offset->setEndValue(-25.0);

    // The rotation runs at its own pace, so it loops on its own.
    auto* rotation = new QPropertyAnimation(this, "angle", this);
    rotation->setDuration(rotationCycleMs);
    rotation->setStartValue(0.0);
    rotation->setEndValue(719.0);
    rotation->setLoopCount(-1);

    group->addAnimation(length);
    group->addAnimation(offset);
    group->start();
    rotation->start();
}

void QtMaterialCircularProgress::setProgressType(ProgressType type)
{
    m_type = type;
    update();
}

void QtMaterialCircularProgress::setSize(int size)
{
    m_size = qMax(1, size);
    updateGeometry();
    update();
}

void QtMaterialCircularProgress::setLineWidth(qreal width)
{
    m_lineWidth = qMax<qreal>(0.5, width);
    update();
}

void QtMaterialCircularProgress::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QColor QtMaterialCircularProgress::color() const
{
    return m_color.isValid() ? m_color : QtMaterialStyle::instance().themeColor(QStringLiteral("primary1"));
}

void QtMaterialCircularProgress::setValue(int value)
{
    m_value = qBound(0, value, 100);
    update();
}

QSize QtMaterialCircularProgress::sizeHint() const
{
    const int side = m_size + 2;
    return {side, side};
}

void QtMaterialCircularProgress::setDashLength(qreal length)
{
    m_dashLength = length;
    update();
}

void QtMaterialCircularProgress::setDashOffset(qreal offset)
{
    m_dashOffset = offset;
    update();
}

void QtMaterialCircularProgress::setAngle(qreal angle)
{
    m_angle = angle;
    update();
}

void QtMaterialCircularProgress::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal side = qMin<qreal>(m_size, qMin(width(), height()));
    const qreal inset = m_lineWidth / 2;
    const QRectF circle(-side / 2 + inset, -side / 2 + inset, side - 2 * inset, side - 2 * inset);
    if (circle.width() <= 0)
        return;

    QPen pen(color(), m_lineWidth, Qt::SolidLine, Qt::RoundCap);
    painter.translate(width() / 2.0, height() / 2.0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // Qt's arcs run counter-clockwise in sixteenths of a degree; ours turn
    // clockwise from twelve o'clock.
    if (m_type == ProgressType::Determinate) {
        painter.drawArc(circle, 90 * 16, -int(m_value * 360 * 16 / 100));
        return;
    }
    painter.rotate(m_angle);
    const qreal start = 90 + m_dashOffset * degreesPerUnit;
    const qreal span = -m_dashLength * degreesPerUnit;
    painter.drawArc(circle, int(start * 16), int(span * 16));
}
