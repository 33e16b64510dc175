#pragma once

#include <QColor>
#include <QPushButton>

class QtMaterialRippleOverlay;

namespace Material {
enum ButtonRole { Default, Primary, Secondary };
enum RippleStyle { CenteredRipple, PositionedRipple, NoRipple };
} // namespace Material

// A flat, text-first button with a press ripple. Colours not set fall back
// to the theme. Also reports right clicks, which never count as clicked().
class QtMaterialFlatButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QColor foregroundColor READ foregroundColor WRITE setForegroundColor)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor overlayColor READ overlayColor WRITE setOverlayColor)
    Q_PROPERTY(QColor disabledForegroundColor READ disabledForegroundColor WRITE setDisabledForegroundColor)
    Q_PROPERTY(QColor disabledBackgroundColor READ disabledBackgroundColor WRITE setDisabledBackgroundColor)
    Q_PROPERTY(qreal fontSize READ fontSize WRITE setFontSize)

public:
    explicit QtMaterialFlatButton(QWidget* parent = nullptr);
    explicit QtMaterialFlatButton(const QString& text, QWidget* parent = nullptr);
    ~QtMaterialFlatButton() override;

    void setRole(Material::ButtonRole role);
    Material::ButtonRole role() const { return m_role; }

    void setRippleStyle(Material::RippleStyle style);
    Material::RippleStyle rippleStyle() const { return m_rippleStyle; }

    void setBackgroundMode(Qt::BGMode mode);
    Qt::BGMode backgroundMode() const { return m_backgroundMode; }

    void setForegroundColor(const QColor& color);
    QColor foregroundColor() const;
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;
    void setOverlayColor(const QColor& color);
    QColor overlayColor() const;
    void setDisabledForegroundColor(const QColor& color);
    QColor disabledForegroundColor() const;
    void setDisabledBackgroundColor(const QColor& color);
    QColor disabledBackgroundColor() const;

    void setFontSize(qreal pointSize);
    qreal fontSize() const { return font().pointSizeF(); }

    void setCornerRadius(qreal radius);
    qreal cornerRadius() const { return m_cornerRadius; }

    // Ripples still being drawn; mostly of interest to tests.
    int activeRipples() const;

    QSize sizeHint() const override;

signals:
    void rightClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // The shape that backgrounds and ripples are clipped to.
    virtual QPainterPath shape() const;
    void paintBackground(QPainter& painter);
    void paintHover(QPainter& painter);
    void paintRipples(QPainter& painter);
    void paintForeground(QPainter& painter);

private:
    void init();

    QtMaterialRippleOverlay* m_ripples = nullptr;
    Material::ButtonRole m_role = Material::Default;
    Material::RippleStyle m_rippleStyle = Material::PositionedRipple;
    Qt::BGMode m_backgroundMode = Qt::TransparentMode;
    qreal m_cornerRadius = 3;
    QColor m_foregroundColor;
    QColor m_backgroundColor;
    QColor m_overlayColor;
    QColor m_disabledForegroundColor;
    QColor m_disabledBackgroundColor;
};
