#pragma once

#include "widgets/qtmaterialflatbutton.h"
#include "widgets/qtmaterialoverlaywidget.h"

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPointer>

class QHBoxLayout;
class QPropertyAnimation;
class QtMaterialTabs;

// One tab of a tab bar: a flat button that is dimmed while not current.
class QtMaterialTab final : public QtMaterialFlatButton
{
    Q_OBJECT

public:
    explicit QtMaterialTab(QtMaterialTabs* parent);

    void setActive(bool active);
    bool isActive() const { return m_active; }
    // How strongly the text shows while the tab is not current (0 to 1).
    void setInactiveOpacity(qreal opacity);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_active = false;
    qreal m_inactiveOpacity = 0.7;
};

// The bar under the current tab; slides from the old tab to the new one.
class QtMaterialTabsInkBar final : public QtMaterialOverlayWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal tween READ tween WRITE setTween)

public:
    explicit QtMaterialTabsInkBar(QtMaterialTabs* parent);

    // Moves to `tab`'s bottom edge, sliding there when `animate`.
    void moveTo(QWidget* tab, bool animate);
    // Follows the current tab after the tab row was laid out again.
    void refresh();

    qreal tween() const { return m_tween; }
    void setTween(qreal tween);

    void setColor(const QColor& color);
    QColor color() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF targetGeometry() const;

    QPointer<QWidget> m_tab;
    // Where the slide started; the end is always the current tab.
    QRectF m_from;
    qreal m_tween = 1;
    QColor m_color;
    QPropertyAnimation* m_animation;
};

// A row of tabs with an ink bar under the current one.
class QtMaterialTabs : public QWidget
{
    Q_OBJECT

public:
    explicit QtMaterialTabs(QWidget* parent = nullptr);

    void addTab(const QString& text, const QIcon& icon = QIcon());

    // Makes tab `index` current and emits currentChanged, even when it
    // already was current. An index out of range is ignored.
    void setCurrentTab(int index);
    int currentIndex() const { return m_currentIndex; }
    int count() const { return int(m_tabs.size()); }
    QtMaterialTab* tab(int index) const { return m_tabs.value(index); }

    void setInkColor(const QColor& color);
    QColor inkColor() const;
    void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;
    void setTextColor(const QColor& color);
    QColor textColor() const;
    // Dimming the other tabs' text; 1 keeps it at full strength where a
    // dimmed text would not stand out from a bright bar.
    void setInactiveTextOpacity(qreal opacity);
    qreal inactiveTextOpacity() const { return m_inactiveTextOpacity; }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QHBoxLayout* m_layout;
    QtMaterialTabsInkBar* m_inkBar;
    QList<QtMaterialTab*> m_tabs;
    int m_currentIndex = -1;
    QColor m_backgroundColor;
    QColor m_textColor;
    qreal m_inactiveTextOpacity = 0.7;
};
