#include "widgets/qtmaterialtabs.h"

#include "widgets/qtmaterialstyle.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPropertyAnimation>
#include <QTimer>

namespace {
constexpr qreal inkHeight = 2;
constexpr int inkDurationMs = 250;
constexpr int tabHeight = 48;
} // namespace

QtMaterialTab::QtMaterialTab(QtMaterialTabs* parent)
    : QtMaterialFlatButton(parent)
{
    setCornerRadius(0);
    setRippleStyle(Material::PositionedRipple);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

void QtMaterialTab::setActive(bool active)
{
    m_active = active;
    update();
}

void QtMaterialTab::setInactiveOpacity(qreal opacity)
{
    m_inactiveOpacity = qBound(0.0, opacity, 1.0);
    update();
}

QSize QtMaterialTab::sizeHint() const
{
    const QSize hint = QtMaterialFlatButton::sizeHint();
    return {hint.width(), qMax(tabHeight, hint.height())};
}

void QtMaterialTab::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintRipples(painter);
    if (!m_active)
        painter.setOpacity(m_inactiveOpacity);
    paintForeground(painter);
}

QtMaterialTabsInkBar::QtMaterialTabsInkBar(QtMaterialTabs* parent)
    : QtMaterialOverlayWidget(parent)
    , m_animation(new QPropertyAnimation(this, "tween", this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_animation->setDuration(inkDurationMs);
    m_animation->setEasingCurve(QEasingCurve::OutCirc);
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
}

QRectF QtMaterialTabsInkBar::targetGeometry() const
{
    if (!m_tab)
        return {};
    const QRect tab = m_tab->geometry();
    return {qreal(tab.left()), tab.bottom() + 1 - inkHeight, qreal(tab.width()), inkHeight};
}

void QtMaterialTabsInkBar::moveTo(QWidget* tab, bool animate)
{
    m_from = m_tab ? targetGeometry() : QRectF();
    m_tab = tab;
    m_animation->stop();
    if (animate && !m_from.isEmpty() && m_from != targetGeometry()) {
        m_animation->start();
    } else {
        m_tween = 1;
        update();
    }
}

void QtMaterialTabsInkBar::refresh()
{
    if (m_animation->state() != QAbstractAnimation::Running)
        m_from = targetGeometry();
    update();
}

void QtMaterialTabsInkBar::setTween(qreal tween)
{
    m_tween = tween;
    update();
}

void QtMaterialTabsInkBar::setColor(const QColor& color)
{
    m_color = color;
    update();
}

QColor QtMaterialTabsInkBar::color() const
{
    return m_color.isValid() ? m_color : QtMaterialStyle::instance().themeColor(QStringLiteral("accent1"));
}

void QtMaterialTabsInkBar::paintEvent(QPaintEvent*)
{
    // The tab may have moved since the slide began: aim at where it is now.
    const QRectF to = targetGeometry();
    if (to.isEmpty())
        return;
    const QRectF from = m_from.isEmpty() ? to : m_from;
    const auto mix = [this](qreal a, qreal b) { return a + (b - a) * m_tween; };
    const QRectF bar(mix(from.left(), to.left()), to.top(), mix(from.width(), to.width()), to.height());
    QPainter painter(this);
    painter.fillRect(bar, color());
}

QtMaterialTabs::QtMaterialTabs(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
    , m_inkBar(new QtMaterialTabsInkBar(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void QtMaterialTabs::addTab(const QString& text, const QIcon& icon)
{
    auto* tab = new QtMaterialTab(this);
    tab->setText(text);
    tab->setIcon(icon);
    tab->setForegroundColor(textColor());
    tab->setOverlayColor(textColor());
    tab->setInactiveOpacity(m_inactiveTextOpacity);
    m_layout->addWidget(tab);
    m_tabs.append(tab);

    const int index = int(m_tabs.size()) - 1;
    connect(tab, &QAbstractButton::clicked, this, [this, index] { setCurrentTab(index); });

    // The first tab becomes current without announcing it, like an empty
    // bar filling up.
    if (m_currentIndex < 0) {
        m_currentIndex = 0;
        tab->setActive(true);
        m_inkBar->moveTo(tab, false);
    }
    m_inkBar->raise();
}

void QtMaterialTabs::setCurrentTab(int index)
{
    if (index < 0 || index >= count())
        return;
    if (index != m_currentIndex) {
        if (QtMaterialTab* previous = tab(m_currentIndex))
            previous->setActive(false);
        m_currentIndex = index;
        m_tabs[index]->setActive(true);
        m_inkBar->moveTo(m_tabs[index], isVisible());
    }
    emit currentChanged(index);
}

void QtMaterialTabs::setInkColor(const QColor& color)
{
    m_inkBar->setColor(color);
}

QColor QtMaterialTabs::inkColor() const
{
    return m_inkBar->color();
}

void QtMaterialTabs::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

QColor QtMaterialTabs::backgroundColor() const
{
    return m_backgroundColor.isValid() ? m_backgroundColor
                                       : QtMaterialStyle::instance().themeColor(QStringLiteral("primary1"));
}

void QtMaterialTabs::setTextColor(const QColor& color)
{
    m_textColor = color;
    for (QtMaterialTab* tab : std::as_const(m_tabs)) {
        tab->setForegroundColor(textColor());
        tab->setOverlayColor(textColor());
    }
}

QColor QtMaterialTabs::textColor() const
{
    return m_textColor.isValid() ? m_textColor
                                 : QtMaterialStyle::instance().themeColor(QStringLiteral("alternateText"));
}

void QtMaterialTabs::setInactiveTextOpacity(qreal opacity)
{
    m_inactiveTextOpacity = qBound(0.0, opacity, 1.0);
    for (QtMaterialTab* tab : std::as_const(m_tabs))
        tab->setInactiveOpacity(m_inactiveTextOpacity);
}

void QtMaterialTabs::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColor());
}

void QtMaterialTabs::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The layout places the tabs after this event; follow them once it has.
    QTimer::singleShot(0, m_inkBar, &QtMaterialTabsInkBar::refresh);
}
