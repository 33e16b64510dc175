#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointF>

class QPainter;
class QPainterPath;
class QWidget;

// The expanding, fading circles drawn where a button was pressed. The
// overlay repaints its widget while ripples run and drops each when done.
class QtMaterialRippleOverlay final : public QObject
{
    Q_OBJECT

public:
    explicit QtMaterialRippleOverlay(QWidget* widget);

    // Starts a ripple at `center` growing to `radius`, fading from 0.35.
    void addRipple(const QPointF& center, qreal radius, const QColor& color);
    int count() const { return int(m_ripples.size()); }

    // Paints the running ripples clipped to `clip`.
    void paint(QPainter& painter, const QPainterPath& clip) const;

private:
    class Ripple;
    QWidget* m_widget;
    QList<Ripple*> m_ripples;
};
