#pragma once

#include "widgets/qtmaterialraisedbutton.h"

// A round raised button with an icon. Left free in its parent it keeps to
// one corner of it; inside a layout it simply fills its own geometry.
class QtMaterialFloatingActionButton : public QtMaterialRaisedButton
{
    Q_OBJECT

public:
    explicit QtMaterialFloatingActionButton(QWidget* parent);
    explicit QtMaterialFloatingActionButton(const QIcon& icon = {}, QWidget* parent = nullptr);

    void setCorner(Qt::Corner corner);
    Qt::Corner corner() const { return m_corner; }

    // Distance from the parent's edges when placed at a corner.
    void setOffset(const QSize& offset);
    QSize offset() const { return m_offset; }

    void setMini(bool mini);
    bool isMini() const { return m_mini; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QPainterPath shape() const override;

private:
    void init();
    void watchParent();
    void placeAtCorner();
    bool managedByLayout() const;
    int diameter() const;

    Qt::Corner m_corner = Qt::BottomRightCorner;
    QSize m_offset{34, 36};
    bool m_mini = false;
};
