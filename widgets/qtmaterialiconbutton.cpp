#include "widgets/qtmaterialiconbutton.h"

#include "widgets/qtmaterialripple.h"
#include "widgets/qtmaterialstyle.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

QPixmap tintedIconPixmap(const QIcon& icon, const QSize& size, const QColor& color, qreal devicePixelRatio)
{
    QPixmap pixmap = icon.pixmap(size, devicePixelRatio);
    if (pixmap.isNull() || !color.isValid())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

QtMaterialIconButton::QtMaterialIconButton(QWidget* parent)
    : QtMaterialIconButton(QIcon(), parent)
{
}

QtMaterialIconButton::QtMaterialIconButton(const QIcon& icon, QWidget* parent)
    : QAbstractButton(parent)
{
    setIcon(icon);
    init();
}

void QtMaterialIconButton::init()
{
    m_ripples = new QtMaterialRippleOverlay(this);
    setIconSize(QSize(24, 24));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void QtMaterialIconButton::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QColor QtMaterialIconButton::color() const
{
    return m_color.isValid() ? m_color : QtMaterialStyle::instance().themeColor(QStringLiteral("text"));
}

void QtMaterialIconButton::setDisabledColor(const QColor& color)
{
    m_disabledColor = color;
    update();
}

QColor QtMaterialIconButton::disabledColor() const
{
    return m_disabledColor.isValid() ? m_disabledColor
                                     : QtMaterialStyle::instance().themeColor(QStringLiteral("disabled"));
}

QSize QtMaterialIconButton::sizeHint() const
{
    return iconSize() * 2;
}

void QtMaterialIconButton::mousePressEvent(QMouseEvent* event)
{
    if (isEnabled())
        m_ripples->addRipple(QPointF(rect().center()), qMax(width(), height()) / 2.0, color());
    QAbstractButton::mousePressEvent(event);
}

void QtMaterialIconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPainterPath round;
    round.addEllipse(QRectF(rect()));
    m_ripples->paint(painter, round);

    const QPixmap pixmap =
        tintedIconPixmap(icon(), iconSize(), isEnabled() ? color() : disabledColor(), devicePixelRatioF());
    if (pixmap.isNull())
        return;
    const QSize shown = iconSize().boundedTo(size());
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.drawPixmap(target, pixmap);
}
