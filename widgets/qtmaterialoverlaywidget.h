#pragma once

#include <QPointer>
#include <QWidget>

// A transparent child that always covers its parent's whole rectangle,
// following the parent's resizes and moves, also after a later setParent.
class QtMaterialOverlayWidget : public QWidget
{
    Q_OBJECT

public:
    explicit QtMaterialOverlayWidget(QWidget* parent = nullptr);
    ~QtMaterialOverlayWidget() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The rectangle to cover, in parent coordinates.
    virtual QRect overlayGeometry() const;

private:
    void followParent();

    QPointer<QWidget> m_watchedParent;
};
