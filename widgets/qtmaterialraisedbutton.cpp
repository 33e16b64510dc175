#include "widgets/qtmaterialraisedbutton.h"

#include <QGraphicsDropShadowEffect>
#include <QPropertyAnimation>

namespace {
constexpr qreal restingBlur = 7;
constexpr qreal pressedBlur = 16;
const QPointF restingOffset(0, 2);
const QPointF pressedOffset(0, 6);
constexpr int shadowDurationMs = 150;
} // namespace

QtMaterialRaisedButton::QtMaterialRaisedButton(QWidget* parent)
    : QtMaterialFlatButton(parent)
{
    init();
}

QtMaterialRaisedButton::QtMaterialRaisedButton(const QString& text, QWidget* parent)
    : QtMaterialFlatButton(text, parent)
{
    init();
}

void QtMaterialRaisedButton::init()
{
    setBackgroundMode(Qt::OpaqueMode);
    setRole(Material::Primary);

    m_shadow = new QGraphicsDropShadowEffect(this);
    m_shadow->setColor(QColor(0, 0, 0, 75));
    m_shadow->setBlurRadius(restingBlur);
    m_shadow->setOffset(restingOffset);
    setGraphicsEffect(m_shadow);

    m_blurAnimation = new QPropertyAnimation(m_shadow, "blurRadius", this);
    m_offsetAnimation = new QPropertyAnimation(m_shadow, "offset", this);
    for (QPropertyAnimation* animation : {m_blurAnimation, m_offsetAnimation}) {
        animation->setDuration(shadowDurationMs);
        animation->setEasingCurve(QEasingCurve::OutQuad);
    }

    connect(this, &QAbstractButton::pressed, this, [this] { animateShadow(pressedBlur, pressedOffset); });
    connect(this, &QAbstractButton::released, this, [this] { animateShadow(restingBlur, restingOffset); });
}

qreal QtMaterialRaisedButton::shadowBlur() const
{
    return m_shadow->blurRadius();
}

void QtMaterialRaisedButton::animateShadow(qreal blur, const QPointF& offset)
{
    m_blurAnimation->stop();
    m_blurAnimation->setStartValue(m_shadow->blurRadius());
    m_blurAnimation->setEndValue(blur);
    m_blurAnimation->start();

    m_offsetAnimation->stop();
    m_offsetAnimation->setStartValue(m_shadow->offset());
    m_offsetAnimation->setEndValue(offset);
    m_offsetAnimation->start();
}
