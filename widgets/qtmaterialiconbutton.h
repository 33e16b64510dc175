#pragma once

#include <QAbstractButton>
#include <QColor>

class QtMaterialRippleOverlay;

// A borderless button showing only an icon, recoloured in one colour, with a
// round ripple on press.
class QtMaterialIconButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor)

public:
    explicit QtMaterialIconButton(QWidget* parent);
    explicit QtMaterialIconButton(const QIcon& icon = {}, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const;
    void setDisabledColor(const QColor& color);
    QColor disabledColor() const;

    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void init();

    QtMaterialRippleOverlay* m_ripples = nullptr;
    QColor m_color;
    QColor m_disabledColor;
};

// Draws `icon` at `size` with every opaque pixel turned to `color`.
QPixmap tintedIconPixmap(const QIcon& icon, const QSize& size, const QColor& color, qreal devicePixelRatio);
