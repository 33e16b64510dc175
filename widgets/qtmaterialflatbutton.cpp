#include "widgets/qtmaterialflatbutton.h"

#include "widgets/qtmaterialripple.h"
#include "widgets/qtmaterialstyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor themeColor(const char* key)
{
    return QtMaterialStyle::instance().themeColor(QLatin1String(key));
}

constexpr int horizontalPadding = 16;
constexpr int smallestHeight = 36;
constexpr int iconTextGap = 8;
constexpr qreal hoverOpacity = 0.12;

} // namespace

QtMaterialFlatButton::QtMaterialFlatButton(QWidget* parent)
    : QPushButton(parent)
{
    init();
}

QtMaterialFlatButton::QtMaterialFlatButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    init();
}

QtMaterialFlatButton::~QtMaterialFlatButton() = default;

void QtMaterialFlatButton::init()
{
    m_ripples = new QtMaterialRippleOverlay(this);
    QFont buttonFont(QStringLiteral("Roboto"), 10, QFont::Medium);
    buttonFont.setCapitalization(QFont::AllUppercase);
    setFont(buttonFont);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void QtMaterialFlatButton::setRole(Material::ButtonRole role)
{
    m_role = role;
    update();
}

void QtMaterialFlatButton::setRippleStyle(Material::RippleStyle style)
{
    m_rippleStyle = style;
}

void QtMaterialFlatButton::setBackgroundMode(Qt::BGMode mode)
{
    m_backgroundMode = mode;
    update();
}

void QtMaterialFlatButton::setForegroundColor(const QColor& color)
{
    m_foregroundColor = color;
    update();
}

QColor QtMaterialFlatButton::foregroundColor() const
{
    if (m_foregroundColor.isValid())
        return m_foregroundColor;
    // On a coloured background the text needs the contrasting colour.
    if (m_backgroundMode == Qt::OpaqueMode && m_role != Material::Default)
        return themeColor("alternateText");
    switch (m_role) {
    case Material::Primary: return themeColor("primary1");
    case Material::Secondary: return themeColor("accent1");
    case Material::Default: break;
    }
    return themeColor("text");
}

void QtMaterialFlatButton::setBackgroundColor(const QColor& color)
{
    m_backgroundColor = color;
    update();
}

QColor QtMaterialFlatButton::backgroundColor() const
{
    if (m_backgroundColor.isValid())
        return m_backgroundColor;
    switch (m_role) {
    case Material::Primary: return themeColor("primary1");
    case Material::Secondary: return themeColor("accent1");
    case Material::Default: break;
    }
    return themeColor("canvas");
}

void QtMaterialFlatButton::setOverlayColor(const QColor& color)
{
    m_overlayColor = color;
    update();
}

QColor QtMaterialFlatButton::overlayColor() const
{
    return m_overlayColor.isValid() ? m_overlayColor : foregroundColor();
}

void QtMaterialFlatButton::setDisabledForegroundColor(const QColor& color)
{
    m_disabledForegroundColor = color;
    update();
}

QColor QtMaterialFlatButton::disabledForegroundColor() const
{
    return m_disabledForegroundColor.isValid() ? m_disabledForegroundColor : themeColor("disabled");
}

void QtMaterialFlatButton::setDisabledBackgroundColor(const QColor& color)
{
    m_disabledBackgroundColor = color;
    update();
}

QColor QtMaterialFlatButton::disabledBackgroundColor() const
{
    return m_disabledBackgroundColor.isValid() ? m_disabledBackgroundColor : themeColor("disabled3");
}

void QtMaterialFlatButton::setFontSize(qreal pointSize)
{
    if (pointSize <= 0)
        return;
    QFont buttonFont = font();
    buttonFont.setPointSizeF(pointSize);
    setFont(buttonFont);
    updateGeometry();
    update();
}

void QtMaterialFlatButton::setCornerRadius(qreal radius)
{
    m_cornerRadius = qMax<qreal>(0, radius);
    update();
}

int QtMaterialFlatButton::activeRipples() const
{
    return m_ripples->count();
}

QSize QtMaterialFlatButton::sizeHint() const
{
    ensurePolished();
    const QSize label = fontMetrics().size(Qt::TextSingleLine, text());
    int width = label.width() + 2 * horizontalPadding;
    int height = qMax(smallestHeight, label.height() + 12);
    if (!icon().isNull()) {
        width += iconSize().width() + (text().isEmpty() ? 0 : iconTextGap);
        height = qMax(height, iconSize().height() + 12);
    }
    return {width, height};
}

void QtMaterialFlatButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        emit rightClicked();

    if (m_rippleStyle != Material::NoRipple && isEnabled()) {
        const QPointF center = m_rippleStyle == Material::CenteredRipple
                                   ? QPointF(rect().center())
                                   : event->position();
        m_ripples->addRipple(center, width() / 2.0, overlayColor());
    }
    // Only the left button counts as a click; QAbstractButton ignores others.
    QPushButton::mousePressEvent(event);
}

QPainterPath QtMaterialFlatButton::shape() const
{
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
    return path;
}

void QtMaterialFlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBackground(painter);
    paintHover(painter);
    paintRipples(painter);
    paintForeground(painter);
}

void QtMaterialFlatButton::paintRipples(QPainter& painter)
{
    m_ripples->paint(painter, shape());
}

void QtMaterialFlatButton::paintBackground(QPainter& painter)
{
    if (m_backgroundMode != Qt::OpaqueMode)
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? backgroundColor() : disabledBackgroundColor());
    painter.drawPath(shape());
    painter.restore();
}

void QtMaterialFlatButton::paintHover(QPainter& painter)
{
    if (!isEnabled() || !(underMouse() || hasFocus() || isChecked() || isDown()))
        return;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setOpacity(hoverOpacity);
    painter.setBrush(overlayColor());
    painter.drawPath(shape());
    painter.restore();
}

void QtMaterialFlatButton::paintForeground(QPainter& painter)
{
    const QColor color = isEnabled() ? foregroundColor() : disabledForegroundColor();
    painter.save();
    painter.setPen(color);
    painter.setFont(font());

    const QSize iconArea = icon().isNull() ? QSize() : iconSize();
    const int textWidth = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text());
    const int gap = (!iconArea.isEmpty() && textWidth > 0) ? iconTextGap : 0;
    const int contentWidth = qMin(width(), iconArea.width() + gap + textWidth);
    int x = (width() - contentWidth) / 2;

    if (!iconArea.isEmpty()) {
        const QRect iconRect(QPoint(x, (height() - iconArea.height()) / 2), iconArea);
        icon().paint(&painter, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        x += iconArea.width() + gap;
    }
    if (textWidth > 0) {
        const QRect textRect(x, 0, qMax(0, width() - x), height());
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, textRect.width());
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, shown);
    }
    painter.restore();
}
