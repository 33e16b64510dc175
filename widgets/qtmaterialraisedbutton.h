#pragma once

#include "widgets/qtmaterialflatbutton.h"

class QGraphicsDropShadowEffect;
class QPropertyAnimation;

// An opaque button lifted off the page by a shadow that deepens while pressed.
class QtMaterialRaisedButton : public QtMaterialFlatButton
{
    Q_OBJECT

public:
    explicit QtMaterialRaisedButton(QWidget* parent = nullptr);
    explicit QtMaterialRaisedButton(const QString& text, QWidget* parent = nullptr);

    qreal shadowBlur() const;

private:
    void init();
    void animateShadow(qreal blur, const QPointF& offset);

    QGraphicsDropShadowEffect* m_shadow = nullptr;
    QPropertyAnimation* m_blurAnimation = nullptr;
    QPropertyAnimation* m_offsetAnimation = nullptr;
};
