#pragma once

#include <QColor>
#include <QWidget>

// Indeterminate busy indicator: a spinning arc that grows and shrinks.
class QtMaterialCircularProgress : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal dashLength READ dashLength WRITE setDashLength)
    Q_PROPERTY(qreal dashOffset READ dashOffset WRITE setDashOffset)
    Q_PROPERTY(qreal angle READ angle WRITE setAngle)

public:
    enum class ProgressType { Indeterminate, Determinate };

    explicit QtMaterialCircularProgress(QWidget* parent = nullptr);

    void setProgressType(ProgressType type);
    ProgressType progressType() const { return m_type; }

    void setSize(int size);
    int size() const { return m_size; }

    void setLineWidth(qreal width);
    qreal lineWidth() const { return m_lineWidth; }

    void setColor(const QColor& color);
    QColor color() const;

    // Only used by the determinate type, 0..100.
    void setValue(int value);
    int value() const { return m_value; }

    QSize sizeHint() const override;

    // Animated: arc length and start in units of 12 degrees, and the
    // rotation of the whole arc in degrees.
    qreal dashLength() const { return m_dashLength; }
    void setDashLength(qreal length);
    qreal dashOffset() const { return m_dashOffset; }
    void setDashOffset(qreal offset);
    qreal angle() const { return m_angle; }
    void setAngle(qreal angle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void startAnimations();

    ProgressType m_type = ProgressType::Indeterminate;
    int m_size = 64;
    qreal m_lineWidth = 6.25;
    QColor m_color;
    int m_value = 0;
    qreal m_dashLength = 0.1;
    qreal m_dashOffset = 0;
    qreal m_angle = 0;
};
